// The basket as the user fills, edits and empties it.
#include <gtest/gtest.h>

#include "basket/basket.h"

namespace tundrix {
namespace {

constexpr std::string_view kCondensing = "Компрессорно-конденсаторный агрегат";
constexpr std::string_view kReceiver = "Компрессорно-ресиверный агрегат";

// The item rows (1 .. rowCount-1) as "type|model|quantity|price|cost".
std::vector<std::string> rows(const Basket& b) {
    std::vector<std::string> out;
    for (int r = 1; r < b.rowCount(); ++r) {
        std::string line;
        for (int c = 0; c < Basket::kColumns; ++c)
            line += (c ? "|" : "") + b.cell(c, r);
        out.push_back(line);
    }
    return out;
}

TEST(Basket, StartsWithTheHeadingAndOneEmptyRow) {
    Basket b('.');
    EXPECT_EQ(b.rowCount(), 2);
    b.writeHeadings();
    EXPECT_EQ(b.cell(0, 0), "Тип оборудования");
    EXPECT_EQ(b.cell(1, 0), "Модель");
    EXPECT_EQ(b.cell(2, 0), "Кол-во");
    EXPECT_EQ(b.cell(3, 0), "Цена");
    EXPECT_EQ(b.cell(4, 0), "Стоимость");
    EXPECT_EQ(rows(b), std::vector<std::string>{"||||"});
}

TEST(Basket, TheSameUnitThreeTimesIsOneRowWithQuantityThree) {
    Basket b('.');
    EXPECT_EQ(b.add(kCondensing, "ККА-1", "1000"), Basket::AddResult::Added);
    EXPECT_EQ(b.add(kCondensing, "ККА-1", "1000"), Basket::AddResult::Increased);
    EXPECT_EQ(b.add(kCondensing, "ККА-1", "1000"), Basket::AddResult::Increased);
    EXPECT_EQ(rows(b),
              (std::vector<std::string>{std::string(kCondensing) + "|ККА-1|3|1000|3000", "||||0"}));
    EXPECT_EQ(b.total(), "3000");
}

TEST(Basket, ARepeatKeepsTheFirstPriceAndCountsUpTheLastMatchingRow) {
    Basket b('.');
    b.add(kReceiver, "A", "100");
    b.add(kReceiver, "B", "7");
    b.setCell(Basket::Model, 2, "A");  // the user renames B to A
    b.add(kReceiver, "A", "120");
    EXPECT_EQ(b.cell(Basket::Quantity, 1), "1");
    EXPECT_EQ(b.cell(Basket::Quantity, 2), "2");
    EXPECT_EQ(b.cell(Basket::Price, 2), "7");
    EXPECT_EQ(b.lastAddedRow(), 2);
}

TEST(Basket, CostsAndTotalFollowEditedQuantities) {
    Basket b('.');
    b.add(kReceiver, "A", "100");
    b.add(kReceiver, "B", "250.5");
    b.setCell(Basket::Quantity, 1, "2");
    b.recompute();
    EXPECT_EQ(b.cell(Basket::Cost, 1), "200");
    EXPECT_EQ(b.cell(Basket::Cost, 2), "250.5");
    EXPECT_EQ(b.cell(Basket::Cost, 3), "0");  // the empty last row: 1 x 0
    EXPECT_EQ(b.total(), "450.5");
}

TEST(Basket, NumbersAreReadAndWrittenWithTheDecimalSeparator) {
    Basket b(',');
    b.add(kReceiver, "A", "100,25");
    b.setCell(Basket::Quantity, 1, "1,5");
    b.add(kReceiver, "A", "100,25");  // 1,5 + 1
    EXPECT_EQ(b.cell(Basket::Quantity, 1), "2,5");
    EXPECT_EQ(b.cell(Basket::Cost, 1), "250,625");
    EXPECT_EQ(b.total(), "250,625");
}

TEST(Basket, QuantityOrPriceThatIsNotANumberCostsAsOneAndZero) {
    Basket b('.');
    b.add(kReceiver, "A", "100");
    b.setCell(Basket::Quantity, 1, "abc");
    b.recompute();
    EXPECT_EQ(b.cell(Basket::Cost, 1), "100");
    b.setCell(Basket::Price, 1, "дорого");
    b.recompute();
    EXPECT_EQ(b.cell(Basket::Cost, 1), "0");
    EXPECT_EQ(b.total(), "0");
}

TEST(Basket, CountingUpAQuantityThatIsNotANumberLeavesTheBasketAsItWas) {
    Basket b('.');
    b.add(kReceiver, "A", "100");
    b.add(kReceiver, "B", "5");
    b.setCell(Basket::Quantity, 1, "abc");
    b.recompute();
    const auto before = rows(b);
    const std::string total = b.total();
    EXPECT_EQ(b.add(kReceiver, "A", "100"), Basket::AddResult::QuantityNotNumber);
    EXPECT_EQ(rows(b), before);
    EXPECT_EQ(b.total(), total);
}

TEST(Basket, TwoKindsOfUnitGiveTwoRowsWithTheirTypes) {
    Basket b('.');
    b.add(Basket::typeText(0), "ККА-1", "10");
    b.add(Basket::typeText(2), "МКА-2", "20");
    EXPECT_EQ(b.cell(Basket::Type, 1), kCondensing);
    EXPECT_EQ(b.cell(Basket::Type, 2), kReceiver);
    EXPECT_EQ(Basket::typeText(1), kReceiver);
    EXPECT_EQ(Basket::typeText(3), kReceiver);
}

TEST(BasketDelete, TheOnlyItemLeavesTheHeadingOneEmptyRowAndTotalZero) {
    Basket b('.');
    b.writeHeadings();
    b.add(kReceiver, "A", "100");
    b.deleteRow(1);
    EXPECT_EQ(b.rowCount(), 2);
    EXPECT_EQ(b.cell(1, 0), "Модель");
    EXPECT_EQ(rows(b), std::vector<std::string>{"||||0"});
    EXPECT_EQ(b.total(), "0");
}

TEST(BasketDelete, RowsBelowMoveUp) {
    Basket b('.');
    b.add(kReceiver, "A", "1");
    b.add(kReceiver, "B", "2");
    b.add(kReceiver, "C", "3");
    b.deleteRow(2);
    EXPECT_EQ(rows(b), (std::vector<std::string>{std::string(kReceiver) + "|A|1|1|1",
                                                 std::string(kReceiver) + "|C|1|3|3", "||||0"}));
    EXPECT_EQ(b.total(), "4");
}

TEST(BasketDelete, DeletingTheEmptyLastRowThenAddingLosesNoItem) {
    Basket b('.');
    b.add(kReceiver, "A", "100");
    b.add(kReceiver, "B", "200");
    b.deleteRow(3);  // the empty last row was current
    EXPECT_EQ(b.rowCount(), 4);
    b.add(kCondensing, "C", "300");
    EXPECT_EQ(rows(b),
              (std::vector<std::string>{std::string(kReceiver) + "|A|1|100|100",
                                        std::string(kReceiver) + "|B|1|200|200",
                                        std::string(kCondensing) + "|C|1|300|300", "||||0"}));
    EXPECT_EQ(b.total(), "600");
}

TEST(BasketDelete, TheHeadingOrARowOutsideTheGridIsNotDeleted) {
    Basket b('.');
    b.writeHeadings();
    b.add(kReceiver, "A", "100");
    b.deleteRow(0);
    b.deleteRow(7);
    b.deleteRow(-1);
    EXPECT_EQ(b.cell(0, 0), "Тип оборудования");
    EXPECT_EQ(b.rowCount(), 3);
}

TEST(BasketAdd, AnEmptyLastRowTheUserTypedIntoIsNotOverwritten) {
    Basket b('.');
    b.add(kReceiver, "A", "100");
    b.setCell(Basket::Model, 2, "своя позиция");
    b.setCell(Basket::Price, 2, "50");
    b.add(kReceiver, "B", "200");
    EXPECT_EQ(b.cell(Basket::Model, 2), "своя позиция");
    EXPECT_EQ(b.cell(Basket::Model, 3), "B");
    EXPECT_EQ(b.rowCount(), 5);
    EXPECT_EQ(b.total(), "350");
}

TEST(BasketAdd, AUnitNamedLikeTheHeadingIsAnItemOfItsOwn) {
    Basket b('.');
    b.writeHeadings();
    EXPECT_EQ(b.add(kReceiver, "Модель", "10"), Basket::AddResult::Added);
    EXPECT_EQ(b.cell(Basket::Quantity, 0), "Кол-во");
    EXPECT_EQ(b.add(kReceiver, "Модель", "10"), Basket::AddResult::Increased);
    EXPECT_EQ(b.cell(Basket::Quantity, 1), "2");
}

TEST(BasketAdd, ARowWithoutANameAddsNothing) {
    Basket b('.');
    EXPECT_EQ(b.add(kReceiver, "", "10"), Basket::AddResult::NoName);
    EXPECT_EQ(b.rowCount(), 2);
}

TEST(Basket, ACatalogueUnitStaysWithItsRowUntilItsModelIsTypedOver) {
    BasketUnit a;
    a.name = "A";
    BasketUnit b = a;
    b.name = "B";
    Basket basket('.');
    basket.add(kReceiver, "A", "100", a);
    basket.add(kReceiver, "B", "7", b);
    basket.add(kReceiver, "B", "7", std::nullopt);  // counted up: B keeps its unit
    basket.deleteRow(1);
    ASSERT_TRUE(basket.unit(1));
    EXPECT_EQ(basket.unit(1)->name, "B");
    basket.setCell(Basket::Price, 1, "5");
    EXPECT_TRUE(basket.unit(1));
    basket.setCell(Basket::Model, 1, "B (особое исполнение)");
    EXPECT_FALSE(basket.unit(1));

    // A saved basket comes back with its units and a free row after it.
    basket.setItems({{{"Тип", "A", "2", "100", ""}, a}, {{"Монтаж", "", "", "300", ""}, {}}});
    EXPECT_EQ(rows(basket), (std::vector<std::string>{"Тип|A|2|100|200", "Монтаж|||300|300",
                                                      "||||0"}));
    ASSERT_TRUE(basket.unit(1));
    EXPECT_EQ(basket.unit(1)->name, "A");
    EXPECT_FALSE(basket.unit(2));
    EXPECT_EQ(basket.total(), "500");
}

}  // namespace
}  // namespace tundrix
