// The natural cubic spline: the few-point rules, the piece an abscissa falls in, extrapolation,
// and agreement of the tridiagonal solve with the dense reference elimination.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "engine/spline.h"

namespace tundrix {
namespace {

using Points = std::array<double, kMaxSplinePoints>;

TEST(Spline, ThreeCollinearPointsGiveTheStraightLine) {
    const Points X = {1.0, 2.5, 4.0};
    const Points Y = {3.0, 6.0, 9.0};  // y = 2x + 1
    for (double x : {-3.0, 1.0, 1.7, 2.5, 3.9, 4.0, 8.0})
        EXPECT_NEAR(spline(X, Y, 2, x), 2.0 * x + 1.0, 1e-12) << x;
}

TEST(Spline, CollinearPointsStayStraightWithUnevenSteps) {
    const Points X = {-40, -35, -20, -10, 0, 5, 7, 15};
    Points Y{};
    for (int i = 0; i < 8; ++i)
        Y[i] = 0.3 * X[i] - 4.0;
    for (double x = -50; x <= 25; x += 0.37)
        EXPECT_NEAR(spline(X, Y, 7, x), 0.3 * x - 4.0, 1e-12) << x;
}

TEST(Spline, TwoPointsGiveTheSecondOrdinateEverywhere) {
    const Points X = {0.0, 1.0};
    const Points Y = {5.0, 7.0};
    for (double x : {-10.0, 0.0, 0.5, 1.0, 100.0})
        EXPECT_EQ(spline(X, Y, 1, x), 7.0);
}

TEST(Spline, OnePointGivesItsOrdinateAndNoPointsNoValue) {
    const Points X = {2.0};
    const Points Y = {4.5};
    EXPECT_EQ(spline(X, Y, 0, -3.0), 4.5);
    EXPECT_EQ(spline(X, Y, 0, 9.0), 4.5);
    EXPECT_TRUE(std::isnan(spline(X, Y, -1, 1.0)));
}

TEST(Spline, PointCountBeyondTheVectorsGivesNoValue) {
    const std::vector<double> X = {0, 1, 2};
    const std::vector<double> Y = {0, 1, 4};
    EXPECT_TRUE(std::isnan(spline(X, Y, 3, 1.0)));
    EXPECT_TRUE(std::isnan(spline(X, Y, 200, 1.0)));
}

TEST(Spline, PassesThroughEveryPoint) {
    const Points X = {0, 1, 3, 4, 7, 8};
    const Points Y = {2, -1, 5, 4, 0, 3};
    for (int i = 0; i <= 5; ++i)
        EXPECT_NEAR(spline(X, Y, 5, X[i]), Y[i], 1e-12) << i;
}

// At an inner abscissa the piece starting there is used: its value there is exactly its
// constant term, the ordinate, with no rounding from the previous piece's polynomial.
TEST(Spline, InnerAbscissaUsesThePieceThatStartsThere) {
    const Points X = {0.0, 0.1, 0.3, 0.7, 1.0};
    const Points Y = {1.0 / 3.0, 0.7, 2.0 / 7.0, 0.9, 0.25};
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(spline(X, Y, 4, X[k]), Y[k]) << k;
    // The last abscissa still belongs to the last piece (t = h there, not 0).
    EXPECT_NEAR(spline(X, Y, 4, X[4]), Y[4], 1e-14);
}

TEST(Spline, NaturalEndsExtrapolateWithTheEndPieces) {
    // Far outside, the end pieces keep their cubic shape: the value is the end piece's
    // polynomial, so it differs from any clamped value and grows without bound.
    const Points X = {0, 1, 2, 3};
    const Points Y = {0, 1, 0, 1};
    const double inside = spline(X, Y, 3, 2.9);
    const double beyond = spline(X, Y, 3, 4.0);
    const double far = spline(X, Y, 3, 10.0);
    EXPECT_NE(beyond, Y[3]);
    EXPECT_GT(std::fabs(far), 10.0 * std::fabs(inside));
    EXPECT_EQ(spline(X, Y, 3, 10.0), splineReference(X, Y, 3, 10.0));
}

TEST(Spline, NaturalSplineMatchesAKnownCurve) {
    // Through (0,0), (1,1), (2,0) the natural spline is 1.5x - 0.5x^3 on [0, 1].
    const Points X = {0, 1, 2};
    const Points Y = {0, 1, 0};
    for (double x : {0.0, 0.25, 0.5, 0.9})
        EXPECT_NEAR(spline(X, Y, 2, x), 1.5 * x - 0.5 * x * x * x, 1e-14) << x;
    EXPECT_NEAR(spline(X, Y, 2, 1.5), spline(X, Y, 2, 0.5), 1e-14);  // symmetric
}

double relDiff(double a, double b) {
    const double scale = std::max({std::fabs(a), std::fabs(b), 1e-300});
    return std::fabs(a - b) / scale;
}

TEST(Spline, TridiagonalSolveEqualsDenseEliminationOnRandomData) {
    std::mt19937_64 rng(20261208);
    std::uniform_real_distribution<double> step(0.01, 10.0), value(-1000.0, 1000.0);
    std::uniform_int_distribution<int> count(2, 100);
    double worst = 0.0;
    for (int trial = 0; trial < 120; ++trial) {
        const int n = count(rng);
        Points X{}, Y{};
        X[0] = value(rng);
        Y[0] = value(rng);
        for (int i = 1; i <= n; ++i) {
            X[i] = X[i - 1] + step(rng);
            Y[i] = value(rng);
        }
        const double span = X[n] - X[0];
        for (int q = 0; q < 10; ++q) {
            std::uniform_real_distribution<double> where(X[0] - 0.1 * span, X[n] + 0.1 * span);
            const double x = q < 3 ? X[std::min(n, q * n / 2)] : where(rng);
            const double fast = spline(X, Y, n, x);
            const double ref = splineReference(X, Y, n, x);
            // Relative to the data's magnitude, since a value can cross zero.
            const double diff = std::fabs(fast - ref) / std::max(std::fabs(ref), 1000.0);
            worst = std::max(worst, diff);
            ASSERT_LT(diff, 1e-9) << "n=" << n << " x=" << x;
        }
    }
    // Smooth data, compared relative to the value itself.
    for (int trial = 0; trial < 60; ++trial) {
        const int n = count(rng);
        Points X{}, Y{};
        for (int i = 0; i <= n; ++i) {
            X[i] = i == 0 ? -50.0 : X[i - 1] + step(rng);
            Y[i] = 100.0 + std::exp(0.01 * X[i]) + 0.1 * X[i];
        }
        for (int q = 0; q < 10; ++q) {
            std::uniform_real_distribution<double> where(X[0], X[n]);
            const double x = where(rng);
            ASSERT_LT(relDiff(spline(X, Y, n, x), splineReference(X, Y, n, x)), 1e-9);
        }
    }
    RecordProperty("worst_relative_difference", std::to_string(worst));
}

TEST(Spline, ReferenceFollowsTheSameSmallPointRules) {
    const Points X = {1, 2};
    const Points Y = {3, 4};
    EXPECT_EQ(splineReference(X, Y, 1, 0.0), 4.0);
    EXPECT_EQ(splineReference(X, Y, 0, 0.0), 3.0);
    EXPECT_TRUE(std::isnan(splineReference(X, Y, -1, 0.0)));
}

TEST(Spline, BuiltOnceEvaluatesLikeTheFreeFunction) {
    const Points X = {-20, -10, 0, 10, 20, 30};
    const Points Y = {5, 7, 12, 11, 15, 22};
    const NaturalSpline curve(X, Y, 5);
    const CompactSpline compact(X, Y, 5);
    for (double x = -25; x <= 35; x += 0.5) {
        EXPECT_EQ(curve(x), spline(X, Y, 5, x));
        EXPECT_EQ(compact(x), curve(x));
    }
    // The small point rules hold for the compact form too.
    EXPECT_EQ(CompactSpline(X, Y, 1)(0.0), 7.0);
    EXPECT_TRUE(std::isnan(CompactSpline(X, Y, -1)(0.0)));
    EXPECT_TRUE(std::isnan(CompactSpline()(0.0)));
}

}  // namespace
}  // namespace tundrix
