// The unit list editor's grid operations: loading and writing unit list files, generated names,
// "Добавить" and "Удалить строку".
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "catalogue/unitlisttable.h"
#include "tools/unitgridcore.h"

namespace tundrix {
namespace {

GridRow unitRow(const std::string& name, const std::string& price = "") {
    GridRow row;
    row[0] = name;
    row[1] = "ZB15";
    row[3] = "1";
    row[10] = price;
    return row;
}

UnitGrid gridWithUnits(int n) {
    UnitGrid g;
    resetGrid(g);
    g.rows.resize(1);
    for (int i = 1; i <= n; ++i)
        g.rows.push_back(unitRow("unit" + std::to_string(i)));
    g.rows.push_back(GridRow{});  // the empty row below the last unit
    g.insertionRow = n + 1;
    return g;
}

TEST(GeneratedName, LevelPrefixCodeMultiplierAndModel) {
    EXPECT_EQ(generatedUnitName(1, false, "ВК", "2", "ZF18"), "АННВК-2xZF18");
    EXPECT_EQ(generatedUnitName(1, true, "ВК", "2", "HGX4"), "АННПВК-2xHGX4");
    EXPECT_EQ(generatedUnitName(2, false, "ВК", "1", "ZB30"), "АСНВК-ZB30");
    EXPECT_EQ(generatedUnitName(2, true, "", "1", "HG3"), "АСНП-HG3");
    EXPECT_EQ(generatedUnitName(1, false, "ВК", "3", "ZF18"), "АННВК-3xZF18");
}

TEST(GeneratedName, HighLevelPrefixMixesLatinAndCyrillic) {
    const auto name = generatedUnitName(3, false, "K", "1", "M");
    ASSERT_TRUE(name);
    // Latin A, Cyrillic В (U+0412), Latin H: bytes 41 C2 48 once stored in Windows-1251.
    EXPECT_EQ(*name, "A\xD0\x92HK-M");
    UnitListTable t;
    t.setCell(0, 1, *name);
    EXPECT_EQ(t.bytes()[UnitListTable::offset(0, 1) + 1], 0x41);
    EXPECT_EQ(t.bytes()[UnitListTable::offset(0, 1) + 2], 0xC2);
    EXPECT_EQ(t.bytes()[UnitListTable::offset(0, 1) + 3], 0x48);
}

TEST(GeneratedName, NoLevelNoNameAndLongCodeHeld) {
    EXPECT_FALSE(generatedUnitName(0, false, "ВК", "1", "ZB30"));
    const std::string code(60, 'K');
    EXPECT_EQ(*generatedUnitName(1, false, code, "1", "M"), "АНН" + std::string(50, 'K') + "-M");
}

CalculatorChoice calcChoice() {
    CalculatorChoice c;
    c.model1 = "ZB30";
    c.pos1 = 4;
    c.model2 = "ZB15";
    c.pos2 = 1;
    c.mapped1 = 17;
    c.mapped2 = 9;
    c.condenserName = "Конденсатор 7";
    c.condenserPos = 6;
    c.pol = "ВК7";
    c.count1 = "2";
    c.count2 = "1";
    c.condensers = "3";
    return c;
}

TEST(AddUnit, CopelandRowFromTheCalculator) {
    UnitGrid g;
    resetGrid(g);
    const int current = addUnitRow(g, calcChoice(), 2, true, false);
    const GridRow& r = g.rows[1];
    EXPECT_EQ(r[0], "АСНВК7-2xZB30");
    EXPECT_EQ(r[1], "ZB30");
    EXPECT_EQ(r[2], "Конденсатор 7");
    EXPECT_EQ(r[3], "5");
    EXPECT_EQ(r[4], "7");
    EXPECT_EQ(r[5], "2");
    EXPECT_EQ(r[6], "3");
    EXPECT_EQ(current, 2);
    EXPECT_EQ(g.insertionRow, 2);
    EXPECT_EQ(g.rowCount(), 3);  // a fresh empty row below the new unit
    EXPECT_EQ(g.rows[0][0], "Название агрегата");
}

TEST(AddUnit, SecondCompressorAndBrandTableNumbers) {
    UnitGrid g;
    resetGrid(g);
    CalculatorChoice c = calcChoice();
    c.second = true;
    addUnitRow(g, c, 1, false, true);
    const GridRow& r = g.rows[1];
    EXPECT_EQ(r[0], "АННПВК7-2xZB30");
    EXPECT_EQ(r[1], "ZB30+ZB15");
    EXPECT_EQ(r[3], "17+9");  // coefficient-table record numbers, not selector positions
    EXPECT_EQ(r[5], "2+1");
}

TEST(AddUnit, NoCondenserAndKeptName) {
    UnitGrid g;
    resetGrid(g);
    g.rows[1][0] = "Мой агрегат";
    CalculatorChoice c = calcChoice();
    c.noCondenser = true;
    addUnitRow(g, c, 1, true, false);
    EXPECT_EQ(g.rows[1][0], "Мой агрегат");
    EXPECT_EQ(g.rows[1][2], "Нет конденсатора");
    EXPECT_EQ(g.rows[1][4], "0");
    EXPECT_EQ(g.rows[1][6], "0");
}

TEST(AddUnit, NeverFillsTheHeadingRow) {
    UnitGrid g;
    resetGrid(g);
    g.insertionRow = 0;
    addUnitRow(g, calcChoice(), 1, true, false);
    EXPECT_EQ(g.rows[0][0], "Название агрегата");
    EXPECT_EQ(g.rows[1][1], "ZB30");
    // An insertion row left below a grid that a price fill shortened to its two units.
    g.setRowCount(3);
    g.rows[2][0] = "unit2";
    g.insertionRow = 9;
    addUnitRow(g, calcChoice(), 1, true, false);
    EXPECT_EQ(g.rowCount(), 5);
    EXPECT_EQ(g.rows[3][1], "ZB30");
    EXPECT_EQ(g.rows[2][0], "unit2");
}

TEST(WriteAndLoad, RoundTripThroughTheFile) {
    UnitGrid g = gridWithUnits(3);
    for (int c = 12; c <= 22; ++c)
        g.rows[0][std::size_t(c)] = "опция " + std::to_string(c);
    g.rows[2][23] = "Textfiles\\a.txt";
    auto table = std::make_unique<UnitListTable>();
    const WriteReport rep = gridToTable(g, *table);
    EXPECT_TRUE(rep.lossless());
    EXPECT_EQ(rep.rowsStored, 3);  // the empty last row is left out
    EXPECT_TRUE(table->cellEmpty(0, 4));
    for (int c = 24; c < 31; ++c)
        EXPECT_TRUE(table->cellEmpty(c, 1));

    UnitGrid loaded;
    loadGrid(loaded, *table);
    EXPECT_EQ(loaded.rowCount(), 4);
    EXPECT_EQ(loaded.insertionRow, 4);
    EXPECT_EQ(loaded.rows[0][12], "опция 12");
    EXPECT_EQ(loaded.rows[2][23], "Textfiles\\a.txt");
    EXPECT_EQ(loaded.rows[3][0], "unit3");
}

TEST(WriteAndLoad, EmptyOptionHeadingRoundTrips) {
    UnitGrid g = gridWithUnits(1);
    g.rows[0][12] = "Опция А";
    g.rows[0][13] = "";
    g.rows[0][14] = "Опция В";
    auto table = std::make_unique<UnitListTable>();
    gridToTable(g, *table);
    UnitGrid loaded;
    loaded.rows.resize(1);
    loaded.rows[0][13] = "old heading";
    loadGrid(loaded, *table);
    EXPECT_EQ(loaded.rows[0][12], "Опция А");
    EXPECT_EQ(loaded.rows[0][13], "");
    EXPECT_EQ(loaded.rows[0][14], "Опция В");
}

TEST(WriteAndLoad, AnEmptyNameEndsTheListOnLoad) {
    UnitGrid g = gridWithUnits(3);
    g.rows[2][0].clear();  // the middle unit has no name
    auto table = std::make_unique<UnitListTable>();
    gridToTable(g, *table);
    EXPECT_EQ(table->cell(0, 3), "unit3");  // stored as it was
    UnitGrid loaded;
    loadGrid(loaded, *table);
    EXPECT_EQ(loaded.rowCount(), 2);
    EXPECT_EQ(loaded.insertionRow, 2);
}

TEST(WriteAndLoad, LoadingAnEmptyListStartsAtRowOne) {
    auto table = std::make_unique<UnitListTable>();
    UnitGrid loaded;
    loadGrid(loaded, *table);
    EXPECT_EQ(loaded.rowCount(), 2);
    EXPECT_EQ(loaded.insertionRow, 1);
}

TEST(WriteReportTest, LongCellsAndRowsPast200AreReported) {
    UnitGrid g = gridWithUnits(203);
    g.rows.pop_back();  // last row has a name: it is written
    g.rows[5][1] = std::string(55, 'x');
    g.rows[6][2] = "€ и ☃";  // the snowman has no Windows-1251 byte
    auto table = std::make_unique<UnitListTable>();
    const WriteReport rep = gridToTable(g, *table);
    EXPECT_EQ(rep.rowsStored, 200);
    EXPECT_EQ(rep.rowsDropped, 3);
    ASSERT_EQ(rep.changedCells.size(), 2u);
    EXPECT_TRUE(rep.changedCells[0].cut);
    EXPECT_EQ(rep.changedCells[0].row, 5);
    EXPECT_FALSE(rep.changedCells[1].cut);
    EXPECT_EQ(table->cell(1, 5), std::string(50, 'x'));
    EXPECT_EQ(table->cell(0, 200), "unit200");
    const std::string text = describeLosses(rep);
    EXPECT_NE(text.find("не записано строк: 3"), std::string::npos);
    EXPECT_NE(text.find("Обрезано до 50 символов ячеек: 1"), std::string::npos);
    EXPECT_NE(text.find("строка 5 столбец 1"), std::string::npos);
    EXPECT_EQ(describeLosses(WriteReport{}), "");
}

TEST(DeleteRow, WriteDeleteWriteLeavesNoTrace) {
    UnitGrid g = gridWithUnits(3);
    auto first = std::make_unique<UnitListTable>();
    gridToTable(g, *first);
    auto read = std::make_unique<UnitListTable>();
    read->assignFront(first->bytes());
    UnitGrid loaded;
    loadGrid(loaded, *read);
    ASSERT_TRUE(deleteGridRow(loaded, *read, 2));
    EXPECT_EQ(loaded.rowCount(), 3);
    EXPECT_EQ(loaded.rows[2][0], "unit3");
    EXPECT_EQ(read->cell(0, 2), "unit3");
    EXPECT_TRUE(read->cellEmpty(0, 3));
    EXPECT_EQ(loaded.insertionRow, 3);  // still one past the last unit

    auto second = std::make_unique<UnitListTable>();
    gridToTable(loaded, *second);
    EXPECT_EQ(second->cell(0, 1), "unit1");
    EXPECT_EQ(second->cell(0, 2), "unit3");
    for (int c = 0; c < UnitListTable::kColumns; ++c)
        EXPECT_TRUE(second->cellEmpty(c, 3));
    // Byte for byte what a file written with the two units alone holds.
    UnitGrid two = gridWithUnits(2);
    two.rows[2] = unitRow("unit3");
    two.rows.pop_back();
    auto expected = std::make_unique<UnitListTable>();
    gridToTable(two, *expected);
    EXPECT_TRUE(*second == *expected);
}

TEST(DeleteRow, AddingAfterADeletionNeverOverwritesAUnit) {
    auto read = std::make_unique<UnitListTable>();
    // Loaded, one past the last unit: the next unit goes below the two that remain.
    UnitGrid loaded = gridWithUnits(3);
    loaded.rows.pop_back();
    loaded.insertionRow = 4;
    ASSERT_TRUE(deleteGridRow(loaded, *read, 1));
    addUnitRow(loaded, calcChoice(), 1, true, false);
    EXPECT_EQ(loaded.rows[1][1], "ZB15");
    EXPECT_EQ(loaded.rows[2][0], "unit3");
    EXPECT_EQ(loaded.rows[2][1], "ZB15");
    EXPECT_EQ(loaded.rows[3][1], "ZB30");
    // After "Добавить" the insertion row is the empty row; deleting it or a unit below leaves
    // the units above alone.
    UnitGrid added = gridWithUnits(3);  // units 1..3, insertion row 4 (the empty row)
    ASSERT_TRUE(deleteGridRow(added, *read, 4));
    EXPECT_EQ(added.insertionRow, 4);
    addUnitRow(added, calcChoice(), 1, true, false);
    EXPECT_EQ(added.rows[3][0], "unit3");
    EXPECT_EQ(added.rows[3][1], "ZB15");
    EXPECT_EQ(added.rows[4][1], "ZB30");
}

TEST(MoveRow, ADraggedRowTakesItsUnitAndTheInsertionRowFollowsItsRow) {
    auto read = std::make_unique<UnitListTable>();
    UnitGrid g = gridWithUnits(4);  // units 1..4, insertion row 5 (the empty row)
    for (int r = 1; r <= 4; ++r)
        read->setCell(0, r, "unit" + std::to_string(r));
    read->setCell(30, 1, "unit1 col30");
    ASSERT_TRUE(moveGridRow(g, *read, 1, 3));
    const std::vector<std::string> down = {"unit2", "unit3", "unit1", "unit4"};
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(g.rows[std::size_t(r)][0], down[std::size_t(r - 1)]);
        EXPECT_EQ(read->cell(0, r), down[std::size_t(r - 1)]);
    }
    EXPECT_EQ(read->cell(30, 3), "unit1 col30");
    EXPECT_EQ(g.insertionRow, 5);
    ASSERT_TRUE(moveGridRow(g, *read, 5, 1));  // the empty insertion row dragged to the top
    EXPECT_EQ(g.insertionRow, 1);
    EXPECT_EQ(g.rows[2][0], "unit2");
    g.insertionRow = 4;  // a double click on unit1's name
    ASSERT_TRUE(moveGridRow(g, *read, 4, 2));
    EXPECT_EQ(g.insertionRow, 2);
    EXPECT_EQ(g.rows[2][0], "unit1");
    EXPECT_EQ(read->cell(30, 2), "unit1 col30");
    EXPECT_FALSE(moveGridRow(g, *read, 0, 2));
    EXPECT_FALSE(moveGridRow(g, *read, 2, 6));
}

TEST(DeleteRow, TheOnlyUnitRowStaysAsAnEmptyRow) {
    UnitGrid g = gridWithUnits(1);
    g.rows.pop_back();  // heading + one unit
    auto read = std::make_unique<UnitListTable>();
    ASSERT_TRUE(deleteGridRow(g, *read, 1));
    EXPECT_EQ(g.rowCount(), 2);
    EXPECT_EQ(g.rows[1][0], "");
    EXPECT_EQ(g.insertionRow, 1);
    EXPECT_EQ(g.rows[0][0], "Название агрегата");
    addUnitRow(g, calcChoice(), 1, true, false);
    EXPECT_EQ(g.rows[0][0], "Название агрегата");
    EXPECT_EQ(g.rows[1][1], "ZB30");
}

TEST(DeleteRow, HeadingRowCannotBeDeleted) {
    UnitGrid g = gridWithUnits(2);
    auto read = std::make_unique<UnitListTable>();
    EXPECT_FALSE(deleteGridRow(g, *read, 0));
    EXPECT_FALSE(deleteGridRow(g, *read, 7));
    EXPECT_EQ(g.rowCount(), 4);
}

TEST(ResetGrid, ShowingKeepsOptionHeadingsAndResetsRows) {
    UnitGrid g = gridWithUnits(4);
    g.rows[0][15] = "Опция";
    g.rows[1][15] = "12";
    resetGrid(g);
    EXPECT_EQ(g.rowCount(), 2);
    EXPECT_EQ(g.rows[0][15], "Опция");
    EXPECT_EQ(g.rows[0][9], "Техничекие характеристики");
    EXPECT_EQ(g.rows[0][23], "Описание");
    EXPECT_EQ(g.rows[1][0], "");
    EXPECT_EQ(g.insertionRow, 1);
}

}  // namespace
}  // namespace tundrix
