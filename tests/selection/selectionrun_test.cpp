#include "selection/selectionrun.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "selectionfixture.h"

namespace tundrix {
namespace {

using testing::SelectionBench;
using testing::TestUnit;

// Five units listed out of capacity order: 14, 5, 17, 8, 11 kW.
std::vector<TestUnit> fiveUnits() {
    return {{.name = "U14", .capacity = 14},
            {.name = "U5", .capacity = 5},
            {.name = "U17", .capacity = 17},
            {.name = "U8", .capacity = 8},
            {.name = "U11", .capacity = 11}};
}

std::vector<std::string> column(const SelectionResult& r, int c) {
    std::vector<std::string> v;
    for (std::size_t i = 1; i < r.rows.size(); ++i)
        v.push_back(r.rows[i].cells[std::size_t(c)]);
    return v;
}

TEST(SelectionGrid, RowsAscendByCapacityUnderTheHeadings) {
    SelectionBench b;
    b.writeBock(fiveUnits());
    const SelectionResult r = b.run(SelectionBench::inputs());
    ASSERT_FALSE(r.pagesHidden);
    ASSERT_EQ(r.count, 5);
    ASSERT_EQ(r.rows.size(), 6u);
    const std::array<std::string, 6> headings = {
        "Агрегат", "Холод-сть, кВт", "Мощность, кВт", "Теплоотдача, кВт", "Ток, А", "Цена(EUR)"};
    EXPECT_EQ(r.rows[0].cells, headings);
    EXPECT_EQ(column(r, 0), (std::vector<std::string>{"U5", "U8", "U11", "U14", "U17"}));
    EXPECT_EQ(column(r, 1), (std::vector<std::string>{"5", "8", "11", "14", "17"}));
    // Without a fourth coefficient set the condenser takes capacity plus power.
    EXPECT_EQ(r.rows[1].cells[3], "8");
    EXPECT_EQ(r.rows[1].cells[4], "6");
    EXPECT_EQ(r.rows[1].cells[5], "100");
    EXPECT_EQ(r.rows[1].unit, 2);
    EXPECT_DOUBLE_EQ(r.rows[1].to, -10.0);
    EXPECT_DOUBLE_EQ(r.rows[1].tc, 30.0);  // no condenser: condenses at the typed temperature
    EXPECT_EQ(r.progressLabel, "Всего установок:5");
    EXPECT_EQ(r.progress, 100);
}

TEST(SelectionGrid, ChillerTabHeadsItsFirstColumnDifferently) {
    SelectionBench b;
    b.writeBock(fiveUnits(), "glcobocklow404a.dat");
    SelectionInputs in = SelectionBench::inputs();
    in.kind = UnitKind::Glco;
    in.useEvaporate = true;
    const SelectionResult r = b.run(in);
    ASSERT_EQ(r.count, 5);
    EXPECT_EQ(r.rows[0].cells[0], "Холодильная установка");
}

TEST(SelectionGrid, NoUnitListHidesThePagesAndCountsZero) {
    SelectionBench b;
    b.writeBock(fiveUnits(), "agrbocklow404a.dat");  // compressor-receiver units only
    const SelectionResult r = b.run(SelectionBench::inputs());
    EXPECT_TRUE(r.pagesHidden);
    EXPECT_EQ(r.count, 0);
    EXPECT_TRUE(r.rows.empty());
    EXPECT_EQ(r.progressLabel, "Всего установок:0");
    EXPECT_EQ(r.progress, -1);  // the progress bar is left as it was
}

TEST(SelectionGrid, UnitListWithoutPassingUnitsShowsOneEmptyRow) {
    SelectionBench b;
    std::vector<TestUnit> racks = fiveUnits();
    for (auto& u : racks)
        u.counts = "2+2";
    b.writeBock(racks, "mkabocklow404a.dat");
    SelectionInputs in = SelectionBench::inputs();
    in.kind = UnitKind::Mka;
    in.rackSizeChecked = {false, false, true, true, false, true};  // "4" unchecked
    const SelectionResult r = b.run(in);
    EXPECT_FALSE(r.pagesHidden);
    EXPECT_EQ(r.count, 0);
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[1].cells, (std::array<std::string, 6>{}));
    EXPECT_EQ(r.cursorRow, 1);
    EXPECT_EQ(r.progressLabel, "Всего установок:0");
}

TEST(SelectionGrid, LevelChoiceDecidesTheListsRead) {
    SelectionBench b;
    b.writeBock(fiveUnits());
    b.writeBock({{.name = "M1"}}, "outbockmiddle404a.dat");
    SelectionInputs in = SelectionBench::inputs();
    in.levelChoice = 4;  // low and middle
    EXPECT_EQ(b.run(in).count, 6);
    in.levelChoice = 2;  // middle
    EXPECT_EQ(b.run(in).count, 1);
    EXPECT_EQ(evaporateForChoice(2), "-10");
    EXPECT_EQ(evaporateForChoice(4), "");
}

TEST(SelectionGrid, UnitOutsideItsEnvelopeKeepsNameAndPriceOnly) {
    SelectionBench b;
    b.writeBock({{.name = "IN", .capacity = 4}, {.name = "OUT", .capacity = 9, .inside = false}});
    const SelectionResult r = b.run(SelectionBench::inputs());
    ASSERT_EQ(r.count, 2);
    const SelectionRow& out = r.rows[2];
    EXPECT_EQ(out.cells[0], "OUT");
    EXPECT_FALSE(out.inside);
    for (int c = 1; c <= 4; ++c)
        EXPECT_EQ(out.cells[std::size_t(c)], "") << c;
    EXPECT_TRUE(std::isnan(out.capacity));
    EXPECT_EQ(out.cells[5], "100");
    // The progress bar advances only with units inside their envelope.
    EXPECT_EQ(r.progress, 50);
}

TEST(SelectionGrid, UnitWithoutPerformanceDataIsListedLastWithEmptyCells) {
    SelectionBench b;
    b.writeBock(fiveUnits());
    // A Bitzer list, but no bitzer.dat was ever read.
    testing::unitFile({{.name = "BZ", .price = "7"}}).save(b.dir / "agrdata/outbitzerlow404a.dat");
    SelectionInputs in = SelectionBench::inputs();
    in.brandChecked[3] = true;
    in.required = "100";
    const SelectionResult r = b.run(in);
    ASSERT_EQ(r.count, 6);
    EXPECT_EQ(r.rows[6].cells[0], "BZ");
    EXPECT_EQ(r.rows[6].cells[1], "");
    EXPECT_EQ(r.rows[6].cells[5], "7");
    // Above every capacity: the last row with values.
    EXPECT_EQ(r.cursorRow, 5);
}

TEST(SelectionGrid, FiguresFromDamagedPerformanceDataAreNoFigures) {
    SelectionBench b;
    const double inf = std::numeric_limits<double>::infinity();
    // The cheapest units are the damaged ones; the sound unit costs most.
    b.writeBock({{.name = "SOUND", .capacity = 10, .price = "900"},
                 {.name = "ZERO", .capacity = 0, .price = "1"},
                 {.name = "NEGATIVE", .capacity = -10, .price = "2"},
                 {.name = "ENDLESS", .capacity = inf, .price = "3"},
                 {.name = "NOPOWER", .capacity = 10, .power = 0, .price = "4"},
                 {.name = "POWERLESS", .capacity = 10, .power = -3, .price = "5"}});
    SelectionInputs in = SelectionBench::inputs();
    in.required = "10";
    in.cheapest = true;
    const SelectionResult r = b.run(in);
    ASSERT_EQ(r.count, 6);
    for (std::size_t i = 1; i < r.rows.size(); ++i) {
        const SelectionRow& row = r.rows[i];
        if (row.cells[0] == "SOUND") {
            EXPECT_TRUE(row.inside);
            EXPECT_EQ(row.cells[1], "10");
            continue;
        }
        EXPECT_FALSE(row.inside) << row.cells[0];
        for (int c = 1; c <= 4; ++c)
            EXPECT_EQ(row.cells[std::size_t(c)], "") << row.cells[0] << " " << c;
        // What the basket and the report take from the row: no figures, the price kept.
        EXPECT_TRUE(std::isnan(row.capacity) && std::isnan(row.power)) << row.cells[0];
        EXPECT_FALSE(row.cells[5].empty());
    }
    // Neither the cheapest pick nor the capacity pick lands on a damaged unit.
    EXPECT_EQ(r.rows[std::size_t(r.cursorRow)].cells[0], "SOUND");
    in.cheapest = false;
    const SelectionResult byCapacity = b.run(in);
    EXPECT_EQ(byCapacity.rows[std::size_t(byCapacity.cursorRow)].cells[0], "SOUND");
}

struct CursorCase {
    const char* required;
    int row;
};

class CapacityCursor : public ::testing::TestWithParam<CursorCase> {};

TEST_P(CapacityCursor, LandsOnTheFirstUnitReachingTheRequirement) {
    SelectionBench b;
    b.writeBock(fiveUnits());
    SelectionInputs in = SelectionBench::inputs();
    in.required = GetParam().required;
    in.cursorRow = 2;
    const SelectionResult r = b.run(in);
    EXPECT_EQ(r.cursorRow, GetParam().row);
    EXPECT_EQ(r.modelLabel, r.rows[std::size_t(r.cursorRow)].cells[0]);
}

INSTANTIATE_TEST_SUITE_P(Required, CapacityCursor,
                         ::testing::Values(CursorCase{"11", 3},    // equal to row 3 of 5
                                           CursorCase{"12,5", 4},  // between rows 3 and 4
                                           CursorCase{"40", 5},    // above the largest
                                           CursorCase{"2", 1},     // below the smallest
                                           CursorCase{"5", 1},     // equal to the smallest
                                           CursorCase{"17", 5},    // equal to the largest
                                           CursorCase{"", 2},      // no requirement: stays
                                           CursorCase{"0", 2}, CursorCase{"много", 2}));

TEST(CapacityCursor, StaysInsideTheGridWhenTheListShrinks) {
    SelectionBench b;
    b.writeBock(fiveUnits());
    SelectionInputs in = SelectionBench::inputs();
    in.cursorRow = 9;
    EXPECT_EQ(b.run(in).cursorRow, 5);
}

TEST(CapacityCursor, PickOutsideItsEnvelopeMovesDown) {
    SelectionBench b;
    auto units = fiveUnits();
    units[0].inside = false;  // 14 kW, row 4
    b.writeBock(units);
    SelectionInputs in = SelectionBench::inputs();
    in.required = "12";
    const SelectionResult r = b.run(in);
    EXPECT_EQ(r.cursorRow, 5);
    EXPECT_EQ(r.modelLabel, "U17");
}

TEST(CapacityCursor, PickOutsideWithNothingBelowMovesUp) {
    SelectionBench b;
    auto units = fiveUnits();
    units[0].inside = false;  // 14 kW, row 4
    units[2].inside = false;  // 17 kW, row 5
    b.writeBock(units);
    SelectionInputs in = SelectionBench::inputs();
    in.required = "12";
    const SelectionResult r = b.run(in);
    EXPECT_EQ(r.cursorRow, 3);
    EXPECT_EQ(r.modelLabel, "U11");
}

// For 10 kW the band is 9.5 .. 13 kW, both ends excluded.
std::vector<TestUnit> bandUnits() {
    return {{.name = "A9.4", .capacity = 9.4, .price = "10"},
            {.name = "B9.6", .capacity = 9.6, .price = "300"},
            {.name = "C12.9", .capacity = 12.9, .price = "200"},
            {.name = "D13.1", .capacity = 13.1, .price = "5"},
            {.name = "E11", .capacity = 11, .price = "1", .inside = false}};
}

TEST(CheapestCursor, LowestPriceInsideTheBandWins) {
    SelectionBench b;
    b.writeBock(bandUnits());
    SelectionInputs in = SelectionBench::inputs();
    in.required = "10";
    in.cheapest = true;
    const SelectionResult r = b.run(in);
    EXPECT_EQ(r.modelLabel, "C12.9");
    EXPECT_TRUE(r.message.empty());
}

TEST(CheapestCursor, ChosenOptionsCountInTheTotal) {
    SelectionBench b;
    b.writeBock(bandUnits());
    Catalogue& cat = b.open();
    // Option flags belong to the unit position and survive the reload; unit 3 is C12.9.
    cat.agrlist.optionagr[3].flag[11] = true;  // +110 EUR: 310 > 300
    SelectionInputs in = SelectionBench::inputs();
    in.required = "10";
    in.cheapest = true;
    const SelectionResult r = b.run(in);
    EXPECT_EQ(r.modelLabel, "B9.6");
    const SelectionRow& c = r.rows[4];  // 9.4, 9.6, 11, 12.9, 13.1
    EXPECT_EQ(c.cells[0], "C12.9-У");
    EXPECT_EQ(c.cells[5], "310");
}

TEST(CheapestCursor, NoCandidateGoesToRowOneAndSaysSo) {
    SelectionBench b;
    b.writeBock(bandUnits());
    SelectionInputs in = SelectionBench::inputs();
    in.required = "30";
    in.cheapest = true;
    in.cursorRow = 4;
    const SelectionResult r = b.run(in);
    EXPECT_EQ(r.cursorRow, 1);
    EXPECT_FALSE(r.message.empty());
}

TEST(CheapestCursor, NoRequirementLeavesTheCursor) {
    SelectionBench b;
    b.writeBock(bandUnits());
    SelectionInputs in = SelectionBench::inputs();
    in.cheapest = true;
    in.cursorRow = 4;
    const SelectionResult r = b.run(in);
    EXPECT_EQ(r.cursorRow, 4);
    EXPECT_TRUE(r.message.empty());
}

TEST(SelectionNames, ChosenOptionsAddTheirFirstLetters) {
    SelectionBench b;
    b.writeBock({{.name = "ABC-10"}});
    Catalogue& cat = b.open();
    cat.agrlist.optionagr[1].flag[1] = true;  // "Ресивер"
    cat.agrlist.optionagr[1].flag[2] = true;  // "Подогрев картера"
    const SelectionResult r = b.run(SelectionBench::inputs());
    EXPECT_EQ(r.rows[1].cells[0], "ABC-10-Р-П");
    EXPECT_EQ(r.modelLabel, "ABC-10-Р-П");
    EXPECT_EQ(r.rows[1].cells[5], "130");  // 100 + 10 + 20
    // The stored name itself is unchanged.
    EXPECT_EQ(cat.agrlist.name[1], "ABC-10");
}

TEST(SelectionPrices, DecimalCommaPriceReadsTheSameUnderEitherSeparator) {
    for (const char sep : {',', '.'}) {
        SelectionBench b;
        b.writeBock({{.name = "P", .price = "1250,50"}});
        Catalogue& cat = b.open();
        cat.agrlist.optionagr[1].flag[1] = true;
        SelectionInputs in = SelectionBench::inputs();
        in.decimalSeparator = sep;
        const SelectionResult r = b.run(in);
        EXPECT_DOUBLE_EQ(r.rows[1].price, 1260.5) << sep;
        EXPECT_EQ(r.rows[1].cells[5], sep == ',' ? "1260,5" : "1260.5");
        EXPECT_EQ(cat.agrlist.price[1], sep == ',' ? "1250,50" : "1250.50");
    }
}

TEST(SelectionPrices, PriceThatIsNotANumberCountsZero) {
    SelectionBench b;
    b.writeBock({{.name = "P", .price = "по запросу"}});
    EXPECT_EQ(b.run(SelectionBench::inputs()).rows[1].cells[5], "0");
}

TEST(SelectionFans, FanTermsCountOneCondenserWhateverTheCondenserCount) {
    SelectionBench b;
    Condenserprop cond;
    cond.setCount(2);
    cond.setName(1, "КД-1");
    cond.setCapacity(1, 40);
    cond.setNumfuns(1, 2);
    cond.setFunsCap(1, 0.25);
    cond.setFunsCurrent(1, 1.5);
    b.writeCondensers(cond);
    b.writeBock({{.name = "TWO", .power = 3, .current = 6, .condenser = "1", .condensers = "2"},
                 {.name = "NONE", .capacity = 12, .power = 3, .current = 6}});
    const SelectionResult r = b.run(SelectionBench::inputs());
    ASSERT_EQ(r.count, 2);
    const SelectionRow& two = r.rows[1];
    ASSERT_EQ(two.cells[0], "TWO");
    EXPECT_DOUBLE_EQ(two.power, 3 + 2 * 0.25);
    EXPECT_DOUBLE_EQ(two.current, 6 + 2 * 1.5);
    // Heat stays the compressors' own: capacity plus compressor power.
    EXPECT_DOUBLE_EQ(two.heat, 13.0);
    // Two condensers of 40 kW reject 13 kW with 15 * 13 / 80 K above the ambient.
    EXPECT_NEAR(two.tc, 30 + 15.0 * 13 / 80, 1e-12);
    const SelectionRow& none = r.rows[2];
    EXPECT_DOUBLE_EQ(none.power, 3.0);
    EXPECT_DOUBLE_EQ(none.current, 6.0);
}

TEST(SelectionFans, CondensingTemperatureTypedOutsideAmbientMode) {
    SelectionBench b;
    b.writeBock({{.name = "A", .condenser = "1", .condensers = "1"}});
    b.writeCondensers(testing::condenserList(1));
    SelectionInputs in = SelectionBench::inputs();
    in.ambientMode = false;
    in.condensate = "41,5";
    const SelectionResult r = b.run(in);
    EXPECT_DOUBLE_EQ(r.rows[1].tc, 41.5);
}

TEST(SelectionEnvelope, CondenserUnitsAreTestedWithZeroForTheFirstThreeCorners) {
    // An envelope whose first three corners lie at 50 degC condensing: a unit without condensers
    // at 30 degC is outside, the same envelope for a unit with condensers reaches down to 0.
    SelectionBench b;
    CoefImage c = testing::brandFile({{.name = "X"}, {.name = "Y"}});
    const CoefImage::Envelope high = {-50, 50, 20, 50, 20, 55, 20, 70, -50, 70, -50, 60};
    c.setEnvelope(0, 1, high);
    c.setEnvelope(0, 2, high);
    c.save(b.dir / "bock.dat");
    Condenserprop cond = testing::condenserList(1);
    cond.setCapacity(1, 1e6);  // the condensing temperature stays at the ambient
    b.writeCondensers(cond);
    testing::unitFile({{.name = "X"}, {.name = "Y", .condenser = "1", .condensers = "1"}})
        .save(b.dir / "agrdata/outbocklow404a.dat");
    const SelectionResult r = b.run(SelectionBench::inputs());
    ASSERT_EQ(r.count, 2);
    for (std::size_t i = 1; i <= 2; ++i) {
        if (r.rows[i].cells[0] == "X")
            EXPECT_FALSE(r.rows[i].inside);
        else
            EXPECT_TRUE(r.rows[i].inside);
    }
}

TEST(SelectionFactors, SuperheatAndSubcoolingDefaultWhenNotNumbers) {
    SelectionBench b;
    b.writeBock(fiveUnits());
    SelectionInputs in = SelectionBench::inputs();
    in.superheat = "десять";
    in.subcool = "";
    const SelectionResult r = b.run(in);
    EXPECT_DOUBLE_EQ(b.cycle.superheat, 10.0);
    EXPECT_DOUBLE_EQ(b.cycle.subcooling, 0.0);
    // At the rating conditions both corrections are exactly 1.
    EXPECT_DOUBLE_EQ(r.corrfactor, 1.0);
    EXPECT_DOUBLE_EQ(r.shfactor, 1.0);
}

TEST(SelectionChillers, OutletTemperatureLessTheExchangerDifference) {
    SelectionBench b;
    b.writeBock({{.name = "W-К", .capacity = 20}, {.name = "W-2", .capacity = 10}},
                "osbocklow404a.dat");
    SelectionInputs in = SelectionBench::inputs();
    in.kind = UnitKind::Os;
    in.outlet = "7";
    in.evaporate = "-3";
    in.exchanger = Exchanger::All;
    const SelectionResult r = b.run(in);
    ASSERT_EQ(r.count, 2);
    EXPECT_EQ(r.rows[1].cells[0], "W-2");
    EXPECT_DOUBLE_EQ(r.rows[1].to, 7.0);  // no exchanger letter: no difference
    EXPECT_DOUBLE_EQ(r.rows[2].to, 2.0);  // shell-and-tube: 5 K below the outlet
    // "Использовать температуру кипения": the evaporating temperature as typed, for every unit.
    in.useEvaporate = true;
    const SelectionResult typed = b.run(in);
    EXPECT_DOUBLE_EQ(typed.rows[1].to, -3.0);
    EXPECT_DOUBLE_EQ(typed.rows[2].to, -3.0);
}

}  // namespace
}  // namespace tundrix
