#include "selection/ordersort.h"

#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "selectionfixture.h"

namespace tundrix {
namespace {

using testing::SelectionBench;

class OrderSort : public ::testing::Test {
protected:
    void SetUp() override {
        // Units 1..6 of 14, 5, 17, 8, 11 and 9.5 kW.
        b.writeBock({{.name = "U14", .capacity = 14},
                     {.name = "U5", .capacity = 5},
                     {.name = "U17", .capacity = 17},
                     {.name = "U8", .capacity = 8},
                     {.name = "U11", .capacity = 11},
                     {.name = "U9", .capacity = 9.5}});
        b.run(SelectionBench::inputs());  // loads the units into agrlist
    }
    SelectionBench b;
};

TEST_F(OrderSort, BothSortsOrderUnitNumbersByCapacity) {
    const Performance perf(b.cat->agrlist, b.cycle);
    const std::vector<int> expected = {0, 2, 4, 6, 5, 1, 3};
    std::vector<int> a = {0, 1, 2, 3, 4, 5, 6};
    ordersort(perf, a, 1, 6, 30, -10);
    EXPECT_EQ(a, expected);
    std::vector<int> c = {0, 6, 5, 4, 3, 2, 1};
    ordersort2(perf, c, 1, 6, 30, -10);
    EXPECT_EQ(c, expected);
}

TEST_F(OrderSort, OnlyTheGivenRangeMoves) {
    const Performance perf(b.cat->agrlist, b.cycle);
    std::vector<int> a = {1, 2, 3, 4, 5, 6};
    ordersort(perf, a, 2, 4, 30, -10);  // units 3, 4, 5: 17, 8, 11 kW
    EXPECT_EQ(a, (std::vector<int>{1, 2, 4, 5, 3, 6}));
    std::vector<int> c = {1, 2, 3, 4, 5, 6};
    ordersort2(perf, c, 2, 40, 30, -10);  // the range is cut to the array
    EXPECT_EQ(c, (std::vector<int>{1, 2, 4, 6, 5, 3}));
}

}  // namespace
}  // namespace tundrix
