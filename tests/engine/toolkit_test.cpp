// The operating-envelope test, the condenser temperature difference and the result sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "engine/toolkit.h"

namespace tundrix {
namespace {

// A typical compressor envelope, counter-clockwise in (to, tc).
struct Hexagon {
    std::array<double, 6> x = {-40, -10, 10, 10, -20, -40};
    std::array<double, 6> y = {20, 20, 35, 60, 60, 45};
    bool contains(double X, double Y) const {
        return inenvelope(X, Y, x[0], y[0], x[1], y[1], x[2], y[2], x[3], y[3], x[4], y[4], x[5],
                          y[5]);
    }
};

TEST(Envelope, EveryVertexAndEdgePointIsInside) {
    const Hexagon h;
    for (int k = 0; k < 6; ++k) {
        EXPECT_TRUE(h.contains(h.x[k], h.y[k])) << "vertex " << k;
        const int n = (k + 1) % 6;
        EXPECT_TRUE(h.contains(0.5 * (h.x[k] + h.x[n]), 0.5 * (h.y[k] + h.y[n]))) << "edge " << k;
    }
    EXPECT_TRUE(h.contains(-15, 40));
}

TEST(Envelope, PointsJustOutsideAreRejected) {
    const Hexagon h;
    EXPECT_FALSE(h.contains(-15, 19.9));  // below the bottom edge
    EXPECT_FALSE(h.contains(10.1, 50));   // right of the right edge
    EXPECT_FALSE(h.contains(-41, 30));    // left of the left edge
    EXPECT_FALSE(h.contains(0, 27));      // beyond the sloping edge from (-10,20) to (10,35)
    EXPECT_TRUE(h.contains(0, 27.6));
    EXPECT_FALSE(h.contains(-35, 60));  // beyond the corner cut (-20,60)-(-40,45)
}

TEST(Envelope, RepeatedVerticesMakeAPolygonWithFewerCorners) {
    // A rectangle given as six vertices, two of them repeated.
    auto inside = [](double X, double Y) {
        return inenvelope(X, Y, -30, 25, 5, 25, 5, 25, 5, 55, -30, 55, -30, 55);
    };
    EXPECT_TRUE(inside(-30, 25));
    EXPECT_TRUE(inside(5, 55));
    EXPECT_TRUE(inside(5, 40));
    EXPECT_TRUE(inside(-10, 40));
    EXPECT_FALSE(inside(6, 40));
    EXPECT_FALSE(inside(-10, 56));
}

TEST(CondenserDelta, PlainAndOffsetFormsAndNoCondenser) {
    EXPECT_DOUBLE_EQ(condenserdelta(20, 30, 1.0), 15.0 * 20 / 30);
    EXPECT_DOUBLE_EQ(condenserdelta(20, 30, 0.96), 15.0 * 20 / 30 / 0.96);
    EXPECT_DOUBLE_EQ(condenserdelta(20, 30, 0.87), 13.04 * 20 / 30 / 0.87 + 2);
    // The offset form covers factors within 0.01 of 0.87.
    EXPECT_DOUBLE_EQ(condenserdelta(20, 30, 0.875), 13.04 * 20 / 30 / 0.875 + 2);
    EXPECT_DOUBLE_EQ(condenserdelta(20, 30, 0.885), 15.0 * 20 / 30 / 0.885);
    EXPECT_EQ(condenserdelta(20, 0, 1.0), 0.0);
    EXPECT_EQ(condenserdelta(20, 0, 0.87), 0.0);
    // The rated capacity is the capacity at 15 K.
    EXPECT_DOUBLE_EQ(condenserdelta(30, 30, 1.0), 15.0);
}

TEST(Quicksort, SortsAscendingAndTagsFollowTheirKeys) {
    std::vector<double> keys = {5.5, 1.25, 9.0, 3.0, 7.5, 0.5, 6.0, 2.0};
    std::vector<int> tags = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::vector<double> original = keys;
    quicksort(keys, tags, 0, int(keys.size()) - 1);
    EXPECT_EQ(keys, (std::vector<double>{0.5, 1.25, 2.0, 3.0, 5.5, 6.0, 7.5, 9.0}));
    for (std::size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(original[tags[i] - 1], keys[i]);
}

TEST(Quicksort, SortedInputStaysAsItIs) {
    std::vector<double> keys = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    std::vector<int> tags = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110};
    quicksort(keys, tags, 0, 10);
    EXPECT_EQ(keys, (std::vector<double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(tags, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110}));
}

TEST(Quicksort, OnlyTheGivenRangeIsSortedAndItIsClampedToTheArrays) {
    std::vector<double> keys = {9, 8, 7, 6, 5, 4};
    std::vector<int> tags = {0, 1, 2, 3, 4, 5};
    quicksort(keys, tags, 1, 4);
    EXPECT_EQ(keys, (std::vector<double>{9, 5, 6, 7, 8, 4}));
    EXPECT_EQ(tags, (std::vector<int>{0, 4, 3, 2, 1, 5}));
    quicksort(keys, tags, -3, 40);
    EXPECT_EQ(keys, (std::vector<double>{4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(tags, (std::vector<int>{5, 4, 3, 2, 1, 0}));
}

TEST(Quicksort, EqualKeysKeepEveryTag) {
    std::vector<double> keys = {3, 1, 3, 2, 1, 3};
    std::vector<int> tags = {0, 1, 2, 3, 4, 5};
    quicksort(keys, tags, 0, 5);
    EXPECT_EQ(keys, (std::vector<double>{1, 1, 2, 3, 3, 3}));
    std::vector<int> seen = tags;
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(keys[2], 2.0);
    EXPECT_EQ(tags[2], 3);
}

}  // namespace
}  // namespace tundrix
