// Header-bounded tables: end markers, the moving-window spline over long tables, table blocks
// cut from a grid image and the two-way interpolation over them.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "engine/spline.h"
#include "engine/tables.h"
#include "literalengine.h"

namespace tundrix {
namespace {

using Long = std::array<double, 501>;
using Points = std::array<double, kMaxSplinePoints>;

// A long table of `count` points x = 1 + 0.5 i with wavy values, zero after its end.
void fillLong(Long& X, Long& Y, int count) {
    X.fill(0.0);
    Y.fill(0.0);
    for (int i = 0; i < count; ++i) {
        X[i] = 1.0 + 0.5 * i;
        Y[i] = std::sin(0.7 * i) + 0.01 * i * i;
    }
}

double windowSpline(const Long& X, const Long& Y, int first, int last, double x) {
    Points wx{}, wy{};
    for (int i = first; i <= last; ++i) {
        wx[i - first] = X[i];
        wy[i - first] = Y[i];
    }
    return spline(wx, wy, last - first, x);
}

TEST(EndMarker, TwoSmallValuesEndASequenceButOneZeroDoesNot) {
    const std::array<double, 8> v = {-20, -10, 0, 10, 20, 0, 0, 7};
    EXPECT_EQ(endMarker(v), 5);
    const std::array<double, 5> w = {-20, -10, 0, 0.00005, 3};
    EXPECT_EQ(endMarker(w), 2);
    // A run that fills the whole span ends at the span's end.
    const std::array<double, 4> full = {1, 2, 3, 4};
    EXPECT_EQ(endMarker(full), 4);
    EXPECT_EQ(endMarker(std::span<const double>(full).first(1)), 1);
    EXPECT_EQ(endMarker(std::span<const double>()), 0);
}

TEST(SplineWindow, LastIntervalOfA450PointTableUsesTheLastFivePoints) {
    Long X, Y;
    fillLong(X, Y, 450);
    const int L = 450;
    ASSERT_EQ(endMarker(X), L);
    const double x = 0.5 * (X[L - 2] + X[L - 1]);
    const double got = splinewindow(X, Y, 5, x);
    EXPECT_DOUBLE_EQ(got, windowSpline(X, Y, L - 5, L - 1, x));
    // A window taking in the end marker would give a different value.
    EXPECT_GT(std::fabs(got - windowSpline(X, Y, L - 4, L, x)), 1e-6);
    // The interval before it still is the last window, the one before that is centred.
    const double x2 = 0.5 * (X[L - 3] + X[L - 2]);
    EXPECT_DOUBLE_EQ(splinewindow(X, Y, 5, x2), windowSpline(X, Y, L - 5, L - 1, x2));
    const double x3 = 0.5 * (X[L - 4] + X[L - 3]);
    EXPECT_DOUBLE_EQ(splinewindow(X, Y, 5, x3), windowSpline(X, Y, L - 6, L - 2, x3));
}

TEST(SplineWindow, BelowTheSecondPointUsesTheFirstWindow) {
    Long X, Y;
    fillLong(X, Y, 450);
    for (double x : {X[0] - 0.3, X[0], 0.5 * (X[0] + X[1]), X[1], 0.5 * (X[2] + X[3])})
        EXPECT_DOUBLE_EQ(splinewindow(X, Y, 5, x), windowSpline(X, Y, 0, 4, x)) << x;
    // From the third interval on the window is centred.
    const double x = 0.5 * (X[3] + X[4]);
    EXPECT_DOUBLE_EQ(splinewindow(X, Y, 5, x), windowSpline(X, Y, 1, 5, x));
}

TEST(SplineWindow, AtOrBeyondTheLastPointExtrapolatesTheLastWindow) {
    Long X, Y;
    fillLong(X, Y, 450);
    for (double x : {X[449], X[449] + 0.2, X[449] + 30.0})
        EXPECT_DOUBLE_EQ(splinewindow(X, Y, 5, x), windowSpline(X, Y, 445, 449, x)) << x;
}

TEST(SplineWindow, AtAnInnerPointTheWindowIsCentredOnIt) {
    Long X, Y;
    fillLong(X, Y, 100);
    EXPECT_DOUBLE_EQ(splinewindow(X, Y, 5, X[40]), windowSpline(X, Y, 38, 42, X[40]));
    EXPECT_DOUBLE_EQ(splinewindow(X, Y, 5, X[40]), Y[40]);
}

TEST(SplineWindow, EvenWindowTakesOneMorePointAndShortTablesAllTheirPoints) {
    Long X, Y;
    fillLong(X, Y, 60);
    const double x = 0.5 * (X[30] + X[31]);
    EXPECT_DOUBLE_EQ(splinewindow(X, Y, 4, x), windowSpline(X, Y, 28, 32, x));
    // A table shorter than the window uses what it has, never its end marker.
    fillLong(X, Y, 3);
    const double y = 0.5 * (X[1] + X[2]);
    EXPECT_DOUBLE_EQ(splinewindow(X, Y, 5, y), windowSpline(X, Y, 0, 2, y));
    fillLong(X, Y, 1);
    EXPECT_EQ(splinewindow(X, Y, 5, 7.0), Y[0]);
}

TEST(SplineWindow, BisectionFindsTheSameWindowAsALinearSearch) {
    std::mt19937_64 rng(4501);
    std::uniform_real_distribution<double> step(0.001, 2.0), value(-50.0, 50.0);
    std::uniform_int_distribution<int> length(8, 480);
    for (int trial = 0; trial < 60; ++trial) {
        const int L = length(rng);
        literal::LongColumn X{}, Y{};
        X[0] = 0.2 + step(rng);
        Y[0] = value(rng);
        for (int i = 1; i < L; ++i) {
            X[i] = X[i - 1] + step(rng);
            Y[i] = value(rng);
        }
        std::uniform_real_distribution<double> where(X[1], X[L - 1]);
        for (int q = 0; q < 20; ++q) {
            const double x = q == 0 ? X[1] : q == 1 ? X[L - 1] : where(rng);
            const double fast = splinewindow(X, Y, 5, x);
            const double ref = literal::splinewindow(X, Y, 5, x);
            ASSERT_LE(std::fabs(fast - ref), 1e-9 * std::max(std::fabs(ref), 50.0))
                << "L=" << L << " x=" << x;
        }
    }
}

// A compressor-style block: row keys tc down column c0, column keys to along row r0 (one of
// them 0 degC), values to the lower right.
GridImage blockImage(int r0, int c0, const std::array<double, 5>& tc,
                     const std::array<double, 4>& to, double (*f)(double, double)) {
    GridImage g;
    g.set(r0, c0, 12345.0);  // the corner is never read
    for (int q = 0; q < 4; ++q)
        g.set(r0, c0 + 1 + q, to[q]);
    for (int p = 0; p < 5; ++p) {
        g.set(r0 + 1 + p, c0, tc[p]);
        for (int q = 0; q < 4; ++q)
            g.set(r0 + 1 + p, c0 + 1 + q, f(to[q], tc[p]));
    }
    return g;
}

double capacityLike(double to, double tc) {
    return 50.0 + 2.0 * to + 0.03 * to * to - 0.6 * tc;
}

TEST(GetTable, CutsTheBlockAtItsEndMarkersAndKeepsAZeroKey) {
    const std::array<double, 5> tc = {25, 30, 40, 50, 60};
    const std::array<double, 4> to = {-20, -10, 0, 10};
    const GridImage g = blockImage(3, 2, tc, to, capacityLike);
    const TableBlock b = gettable(g, 3, 2);
    ASSERT_EQ(b.rows, 5);
    ASSERT_EQ(b.cols, 4);
    EXPECT_EQ(b.C[2], 0.0);
    EXPECT_EQ(b.R[4], 60.0);
    EXPECT_EQ(b.at(3, 1), capacityLike(-10, 50));
}

TEST(GetTable, NeverReadsOutsideTheImageOrPastNinetyNineKeys) {
    GridImage g;
    for (int r = 2; r <= 500; ++r)
        g.set(r, 1, double(r));
    for (int c = 2; c <= 500; ++c)
        g.set(1, c, double(c));
    const TableBlock b = gettable(g, 1, 1);
    EXPECT_EQ(b.rows, kMaxBlockKeys);
    EXPECT_EQ(b.cols, kMaxBlockKeys);
    // A block in the image's last rows ends where the image ends.
    const TableBlock edge = gettable(g, 497, 1);
    EXPECT_EQ(edge.rows, 3);
    EXPECT_EQ(edge.R[2], 500.0);
    const TableBlock outside = gettable(g, 600, -4);
    EXPECT_EQ(outside.rows, 1);
    EXPECT_EQ(outside.cols, 1);
}

TEST(Spline2d, UsesAZeroDegreeKeyAndSkipsAZeroBodyValue) {
    const std::array<double, 5> tc = {25, 30, 40, 50, 60};
    const std::array<double, 4> to = {-20, -10, 0, 10};
    GridImage g = blockImage(1, 1, tc, to, capacityLike);
    const TableBlock b = gettable(g, 1, 1);
    // On a key point the interpolation returns the tabulated value; at to = 0 that needs the
    // 0 degC column (a key run ended there would leave only -20 and -10).
    EXPECT_NEAR(spline2d(b, 0.0, 40.0), capacityLike(0, 40), 1e-12);
    EXPECT_NEAR(spline2d(b, -10.0, 30.0), capacityLike(-10, 30), 1e-12);

    // A missing point (0.0) at to = -10, tc = 40 is left out of that column's spline.
    g.set(1 + 1 + 2, 1 + 1 + 1, 0.0);
    const TableBlock holed = gettable(g, 1, 1);
    const Points R = {25, 30, 50, 60};
    Points Y{};
    for (int i = 0; i < 4; ++i)
        Y[i] = capacityLike(-10, R[i]);
    EXPECT_NEAR(spline2d(holed, -10.0, 40.0), spline(R, Y, 3, 40.0), 1e-12);
    // Linear in tc, so the column without the point still gives the exact value.
    EXPECT_NEAR(spline2d(holed, -10.0, 40.0), capacityLike(-10, 40), 1e-12);
}

TEST(Spline2d, AColumnWithoutAnyDataIsLeftOut) {
    const std::array<double, 5> tc = {25, 30, 40, 50, 60};
    const std::array<double, 4> to = {-20, -10, 5, 10};
    GridImage g = blockImage(1, 1, tc, to, [](double o, double c) { return 80.0 + o - 0.5 * c; });
    for (int p = 0; p < 5; ++p)
        g.set(2 + p, 2 + 3, 0.0);  // the to = 10 column is empty
    const TableBlock b = gettable(g, 1, 1);
    EXPECT_NEAR(spline2d(b, -5.0, 35.0), 80.0 - 5.0 - 17.5, 1e-12);
}

TEST(Spline2d, EqualsTheLiteralTwoStageInterpolationOnRandomBlocks) {
    std::mt19937_64 rng(2002);
    std::uniform_real_distribution<double> step(1.0, 8.0), value(1.0, 300.0), u(0.0, 1.0);
    std::uniform_int_distribution<int> rows(3, 30), cols(3, 20), corner(1, 300);
    for (int trial = 0; trial < 40; ++trial) {
        const int nr = rows(rng), nc = cols(rng), r0 = corner(rng), c0 = corner(rng);
        GridImage g;
        double key = -40.0;
        for (int q = 0; q < nc; ++q, key += step(rng))
            g.set(r0, c0 + 1 + q, key);
        key = 10.0;
        for (int p = 0; p < nr; ++p, key += step(rng))
            g.set(r0 + 1 + p, c0, key);
        for (int p = 0; p < nr; ++p)
            for (int q = 0; q < nc; ++q)
                // about one point in ten is missing, never a whole column's first two
                g.set(r0 + 1 + p, c0 + 1 + q, (p > 1 && u(rng) < 0.1) ? 0.0 : value(rng));
        const TableBlock fast = gettable(g, r0, c0);
        const literal::Block ref = literal::gettable(g, r0, c0);
        ASSERT_EQ(fast.rows, nr);
        ASSERT_EQ(fast.cols, nc);
        for (int q = 0; q < 10; ++q) {
            const double xc = g.at(r0, c0 + 1) + u(rng) * (g.at(r0, c0 + nc) - g.at(r0, c0 + 1));
            const double xr = g.at(r0 + 1, c0) + u(rng) * (g.at(r0 + nr, c0) - g.at(r0 + 1, c0));
            const double want = literal::spline2d(ref.R, ref.C, *ref.B, xc, xr);
            ASSERT_NEAR(spline2d(fast, xc, xr), want, 1e-9 * std::max(std::fabs(want), 300.0));
            ASSERT_NEAR(spline2d(ref.R, ref.C, *ref.B, xc, xr), want,
                        1e-9 * std::max(std::fabs(want), 300.0));
        }
    }
}

// Equal values, or no value from both.
bool sameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// The prepared forms give the direct values bit for bit: windows of long tables of every length
// (shorter than the window too, even windows taking the direct way), x inside and beyond the
// table; blocks with missing points.
TEST(Prepared, WindowsAndBlocksGiveTheDirectValuesExactly) {
    std::mt19937_64 rng(1606);
    std::uniform_real_distribution<double> step(0.001, 2.0), value(-50.0, 50.0), u(0.0, 1.0);
    std::uniform_int_distribution<int> length(1, 60);
    for (int trial = 0; trial < 80; ++trial) {
        const int L = trial < 6 ? trial + 1 : length(rng);
        const int m = trial % 7 == 3 ? 4 : 5;
        Long X{}, Y{};
        X[0] = 0.2 + step(rng);
        Y[0] = value(rng);
        for (int i = 1; i < L; ++i) {
            X[i] = X[i - 1] + step(rng);
            Y[i] = value(rng);
        }
        const PreparedWindows prepared(X, L, Y, m);
        for (int q = 0; q < 30; ++q) {
            const double x = X[0] - 1.0 + u(rng) * (X[std::size_t(L - 1)] - X[0] + 2.0);
            const double want = splinewindow(X, L, Y, m, x);
            ASSERT_TRUE(sameValue(prepared(x), want)) << "L=" << L << " m=" << m << " x=" << x;
        }
    }
    EXPECT_TRUE(std::isnan(PreparedWindows()(1.0)));

    std::uniform_int_distribution<int> rows(2, 25), cols(1, 12);
    for (int trial = 0; trial < 30; ++trial) {
        const int nr = rows(rng), nc = cols(rng);
        GridImage g;
        for (int q = 0; q < nc; ++q)
            g.set(5, 6 + q, -40.0 + 5.0 * q);
        for (int p = 0; p < nr; ++p) {
            g.set(6 + p, 5, 10.0 + 3.0 * p);
            for (int q = 0; q < nc; ++q)
                g.set(6 + p, 6 + q, u(rng) < 0.15 ? 0.0 : value(rng));
        }
        const TableBlock block = gettable(g, 5, 5);
        const PreparedBlock prepared(block);
        for (int q = 0; q < 10; ++q) {
            const double xc = -45.0 + u(rng) * (5.0 * nc + 5.0), xr = 5.0 + u(rng) * 3.0 * nr;
            const double want = spline2d(block, xc, xr);
            ASSERT_TRUE(sameValue(prepared(xc, xr), want)) << xc << " " << xr;
        }
    }
}

// A table image rewritten between runs (same size, any time) serves its new blocks; within a
// run the prepared block is used as it is; the store stays bounded.
TEST(Prepared, TablesFollowAChangedImageFromTheNextRunOn) {
    const std::array<double, 5> tc = {25, 30, 40, 50, 60};
    const std::array<double, 4> to = {-20, -10, 0, 10};
    GridImage g = blockImage(3, 2, tc, to, capacityLike);
    PreparedTables tables;
    tables.beginRun();
    const double before = tables.block(g, 3, 2)(-5.0, 35.0);
    EXPECT_EQ(before, spline2d(gettable(g, 3, 2), -5.0, 35.0));

    g.set(4 + 2, 2 + 2, g.at(4 + 2, 2 + 2) + 1.0);         // one body value
    EXPECT_EQ(tables.block(g, 3, 2)(-5.0, 35.0), before);  // still the same run
    tables.beginRun();
    const double changed = tables.block(g, 3, 2)(-5.0, 35.0);
    EXPECT_NE(changed, before);
    EXPECT_EQ(changed, spline2d(gettable(g, 3, 2), -5.0, 35.0));

    g.set(3 + 6, 2, 70.0);  // a sixth row key where the end marker was
    for (int q = 0; q < 4; ++q)
        g.set(3 + 6, 3 + q, capacityLike(to[q], 70.0));
    tables.beginRun();
    EXPECT_EQ(tables.block(g, 3, 2)(-5.0, 65.0), spline2d(gettable(g, 3, 2), -5.0, 65.0));
    EXPECT_EQ(gettable(g, 3, 2).rows, 6);

    for (int k = 0; k < int(PreparedTables::kMaxBlocks) + 10; ++k)
        tables.block(g, 3, 2 + k % 400 + 500 * (k / 400));
    EXPECT_LE(tables.size(), PreparedTables::kMaxBlocks);
}

}  // namespace
}  // namespace tundrix
