#include "engine/polyfit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tundrix {
namespace {

// A capacity-like surface with every term present.
const Poly10 kKnown{12.5, 0.41, -0.083, 0.0061, -0.0024, 0.0009, 3.1e-5, -1.7e-5, 2.2e-5, -6.0e-6};

FitPoints pointsOf(const Poly10& c, const std::array<std::array<double, 2>, 10>& at) {
    FitPoints p{};
    for (int i = 0; i < 10; ++i)
        p[i] = {at[i][0], at[i][1], poly10(c, at[i][0], at[i][1])};
    return p;
}

// Spread over a medium-temperature envelope, in an order without exact zero pivots.
const std::array<std::array<double, 2>, 10> kSpread{{{-20, 25},
                                                     {5, 55},
                                                     {0, 25},
                                                     {-20, 45},
                                                     {5, 35},
                                                     {-10, 55},
                                                     {-10, 35},
                                                     {-5, 45},
                                                     {-15, 30},
                                                     {0, 50}}};

TEST(Poly10, EvaluatesTheTenTermsInCatalogueOrder) {
    for (int k = 0; k < 10; ++k) {
        Poly10 c{};
        c[k] = 1.0;
        const double to = -7.0, tc = 41.0;
        const double expected[10] = {
            1,       to,           tc,           to * to,      to * tc,
            tc * tc, to * to * to, tc * to * to, to * tc * tc, tc * tc * tc};
        EXPECT_DOUBLE_EQ(poly10(c, to, tc), expected[k]) << "term " << k + 1;
    }
}

TEST(PolyFit, TenPointsOfAKnownPolynomialGiveItBack) {
    const Poly10 c = fitpoly10(pointsOf(kKnown, kSpread));
    for (const auto& at : kSpread)
        EXPECT_NEAR(poly10(c, at[0], at[1]), poly10(kKnown, at[0], at[1]), 1e-9);
    // Between the points too, since the polynomial itself is recovered.
    for (double to = -20; to <= 5; to += 2.5)
        for (double tc = 25; tc <= 55; tc += 2.5)
            EXPECT_NEAR(poly10(c, to, tc), poly10(kKnown, to, tc), 1e-7);
    for (int k = 0; k < 10; ++k)
        EXPECT_NEAR(c[k], kKnown[k], 1e-6 * (1 + std::abs(kKnown[k]))) << "c" << k + 1;
}

TEST(PolyFit, FirstPointAtZeroZeroWorks) {
    auto at = kSpread;
    at[0] = {0, 0};
    const Poly10 c = fitpoly10(pointsOf(kKnown, at));
    EXPECT_NEAR(c[0], kKnown[0], 1e-9);  // the constant is the value at (0, 0)
    for (const auto& a : at)
        EXPECT_NEAR(poly10(c, a[0], a[1]), poly10(kKnown, a[0], a[1]), 1e-8);
}

TEST(PolyFit, ExactlyZeroPivotIsExchangedForALaterRow) {
    // Row 2 after eliminating with row 1 has an exact zero in column 2 (same to as point 1);
    // a later row must be swapped in for the fit to succeed.
    const std::array<std::array<double, 2>, 10> at{{{-10, 30},
                                                    {-10, 40},
                                                    {0, 30},
                                                    {0, 50},
                                                    {-20, 25},
                                                    {5, 45},
                                                    {-15, 45},
                                                    {-5, 55},
                                                    {5, 30},
                                                    {-20, 40}}};
    const Poly10 c = fitpoly10(pointsOf(kKnown, at));
    for (const auto& a : at)
        EXPECT_NEAR(poly10(c, a[0], a[1]), poly10(kKnown, a[0], a[1]), 1e-7);
}

TEST(PolyFit, SingularSetsGiveNumbersWithoutCrashing) {
    // Two equal points.
    auto twice = kSpread;
    twice[9] = twice[0];
    const Poly10 a = fitpoly10(pointsOf(kKnown, twice));
    // Only three distinct condensing temperatures: the cubic in tc cannot be separated.
    const std::array<std::array<double, 2>, 10> threeTc{{{-20, 30},
                                                         {-10, 30},
                                                         {0, 30},
                                                         {-20, 40},
                                                         {-10, 40},
                                                         {0, 40},
                                                         {-20, 50},
                                                         {-10, 50},
                                                         {0, 50},
                                                         {5, 50}}};
    const Poly10 b = fitpoly10(pointsOf(kKnown, threeTc));
    // Empty rows of the builder count as (0, 0) with value 0.
    FitPoints empty{};
    const Poly10 e = fitpoly10(empty);
    for (const Poly10* c : {&a, &b, &e})
        for (double v : *c)
            EXPECT_TRUE(std::isfinite(v));
}

TEST(PolyFit, ValuesBetweenGridPointsNeedFullPrecision) {
    // Rounded to thousandths as shown, the coefficients of a realistic surface no longer
    // reproduce it: only the display is rounded, the stored sets keep every digit.
    const Poly10 c = fitpoly10(pointsOf(kKnown, kSpread));
    Poly10 shown{};
    for (int k = 0; k < 10; ++k)
        shown[k] = roundThousandths(c[k]);
    EXPECT_GT(std::abs(poly10(shown, -20, 55) - poly10(kKnown, -20, 55)), 0.05);
    EXPECT_NEAR(poly10(c, -20, 55), poly10(kKnown, -20, 55), 1e-7);
}

TEST(RoundThousandths, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundThousandths(0.0625), 0.062);  // 62.5 -> 62
    EXPECT_EQ(roundThousandths(0.1875), 0.188);  // 187.5 -> 188
    EXPECT_EQ(roundThousandths(-0.0625), -0.062);
    EXPECT_EQ(roundThousandths(2.5), 2.5);
    EXPECT_EQ(roundThousandths(0.0004), 0.0);
    EXPECT_EQ(roundThousandths(-0.0004), 0.0);
    EXPECT_FALSE(std::signbit(roundThousandths(-0.0004)));
    EXPECT_EQ(roundThousandths(1.23456), 1.235);
    EXPECT_EQ(roundThousandths(-7.65449), -7.654);
}

}  // namespace
}  // namespace tundrix
