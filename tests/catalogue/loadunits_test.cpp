// Loading the unit lists of the checked brands and covered levels into agrlist.
#include <gtest/gtest.h>

#include <memory>

#include "catalogue/catalogue.h"
#include "fixtures.h"

namespace tundrix {
namespace {

using testing::BrandRecord;
using testing::TempFolder;
using testing::UnitRow;

class LoadUnits : public ::testing::Test {
protected:
    LoadUnits() : cat(std::make_unique<Catalogue>(dir.path())) {}

    LoadChoices choices(UnitKind kind, std::initializer_list<int> brands, int refrigerant = 0) {
        LoadChoices c;
        c.kind = kind;
        c.refrigerant = refrigerant;
        for (int b : brands)
            c.brandChecked[std::size_t(b)] = true;
        return c;
    }
    void coverLevels(std::initializer_list<int> levels) {
        cat->levelon = {};
        for (int l : levels)
            cat->levelon[std::size_t(l)] = true;
    }
    std::vector<std::string> names() const {
        std::vector<std::string> v;
        for (int k = 1; k <= cat->agrlist.count; ++k)
            v.push_back(cat->agrlist.name[std::size_t(k)]);
        return v;
    }

    TempFolder dir;
    std::unique_ptr<Catalogue> cat;
};

TEST_F(LoadUnits, CopelandScrollListsHaveNoBrandPart) {
    testing::writeUnitList(dir, "outlow404a.dat", {{.name = "L"}});
    testing::writeUnitList(dir, "outmiddle404a.dat", {{.name = "M"}});
    testing::writeUnitList(dir, "outhigh404a.dat", {{.name = "H"}});
    testing::writeUnitList(dir, "outcoplow404a.dat", {{.name = "other brand"}});
    coverLevels({1, 2, 3});
    EXPECT_TRUE(cat->agrfileexists(UnitKind::Out, 1, 2, 0));
    EXPECT_FALSE(cat->agrfileexists(UnitKind::Out, 1, 1, 0));
    EXPECT_EQ(cat->loadunits(choices(UnitKind::Out, {2})), 3);
    EXPECT_EQ(names(), (std::vector<std::string>{"L", "M", "H"}));
    EXPECT_EQ(cat->agrlist.layer[3], 3);
    EXPECT_EQ(cat->agrlist.agrtype[1], 2);
    EXPECT_FALSE(cat->agrlist.method[1]);
}

TEST_F(LoadUnits, UnitsAreNumberedLevelByLevelInBrandOrder) {
    testing::writeUnitList(dir, "agrcoplow22.dat", {{.name = "L4"}});
    testing::writeUnitList(dir, "agrbocklow22.dat", {{.name = "L1a"}, {.name = "L1b"}});
    testing::writeUnitList(dir, "agrlow22.dat", {{.name = "L2"}});
    testing::writeUnitList(dir, "agrbitzerlow22.dat", {{.name = "L3"}});
    testing::writeUnitList(dir, "agrbockmiddle22.dat", {{.name = "M1"}});
    testing::writeUnitList(dir, "agrbitzerhigh22.dat", {{.name = "H3"}});
    coverLevels({1, 3});  // level 2 not covered: M1 stays out
    EXPECT_EQ(cat->loadunits(choices(UnitKind::Agr, {1, 2, 3, 4}, 1)), 6);
    EXPECT_EQ(names(), (std::vector<std::string>{"L1a", "L1b", "L2", "L3", "L4", "H3"}));
    const auto& a = cat->agrlist;
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(a.order[std::size_t(k)], k);
    EXPECT_EQ(a.agrtype[5], 4);
    EXPECT_EQ(a.layer[6], 3);
    EXPECT_TRUE(a.method[1]);
    EXPECT_FALSE(a.method[3]);

    // Unchecked brands contribute nothing.
    EXPECT_EQ(cat->loadunits(choices(UnitKind::Agr, {3}, 1)), 2);
    EXPECT_EQ(names(), (std::vector<std::string>{"L3", "H3"}));
}

TEST_F(LoadUnits, RowCellsFillTheUnit) {
    testing::writeUnitList(
        dir, "outbocklow404a.dat",
        {{.name = "ОВ-1", .indices = "3+5", .condenser = "7", .counts = "2+1"},
         {.name = "ОВ-2", .indices = "3", .counts = "", .condensers = "0"},
         {.name = "ОВ-3", .indices = "4", .condensers = "2", .price = "1500,5"}});
    coverLevels({1});
    ASSERT_EQ(cat->loadunits(choices(UnitKind::Out, {1})), 3);
    const auto& a = cat->agrlist;
    EXPECT_EQ(a.indcompr[1], 3);
    EXPECT_EQ(a.indcompr2[1], 5);
    EXPECT_EQ(a.ncompressor[1], 2);
    EXPECT_EQ(a.ncompressor2[1], 1);
    EXPECT_EQ(a.indconder[1], 7);
    EXPECT_EQ(a.ncondensator[1], 1);  // column 6 empty
    EXPECT_EQ(a.indcompr[2], 3);
    EXPECT_EQ(a.ncompressor[2], 1);
    EXPECT_EQ(a.ncompressor2[2], 0);
    EXPECT_EQ(a.ncondensator[2], 0);  // column 6 "0": no condenser
    EXPECT_EQ(a.ncondensator[3], 2);
    EXPECT_EQ(a.price[3], "1500,5");
    EXPECT_EQ(a.imagepath[1], "TechnicalData\\ОВ-1.pdf");
    EXPECT_EQ(a.complectpath[2], "Complect\\c.txt");
    EXPECT_EQ(a.techdata[3], "3");
    EXPECT_EQ(a.picturepath[1], "images\\p.jpg");
    EXPECT_EQ(a.textpath[1], "Textfiles\\t.txt");
    EXPECT_EQ(a.delta[1], 0.0);  // not a chiller
    // Option names come from the heading row, prices from the unit's row.
    EXPECT_EQ(a.optionagr[2].name[1], "Опция1");
    EXPECT_EQ(a.optionagr[2].name[11], "Опция11");
    EXPECT_EQ(a.optionagr[2].price[1], "2.1");
    EXPECT_EQ(a.optionagr[3].price[11], "3.11");
}

TEST_F(LoadUnits, OptionFlagsSurviveTheNextRun) {
    testing::writeUnitList(dir, "outbocklow404a.dat", {{.name = "A"}, {.name = "B"}});
    coverLevels({1});
    cat->loadunits(choices(UnitKind::Out, {1}));
    cat->agrlist.optionagr[2].flag[4] = true;
    cat->loadunits(choices(UnitKind::Out, {1}));
    EXPECT_TRUE(cat->agrlist.optionagr[2].flag[4]);
    EXPECT_FALSE(cat->agrlist.optionagr[1].flag[4]);
}

TEST_F(LoadUnits, EmptyFirstRowMeansNoUnits) {
    auto t = testing::unitList({{.name = ""}, {.name = "hidden"}});
    t.save(dir / "agrdata/outbocklow404a.dat");
    coverLevels({1});
    cat->agrlist.count = 5;
    EXPECT_EQ(cat->loadunits(choices(UnitKind::Out, {1})), 0);
    EXPECT_EQ(cat->agrlist.count, 0);
}

TEST_F(LoadUnits, FullListLoadsAllTwoHundredRows) {
    std::vector<UnitRow> rows;
    for (int i = 1; i <= 200; ++i)
        rows.push_back({.name = "U" + std::to_string(i)});
    testing::writeUnitList(dir, "outbocklow404a.dat", rows);
    testing::writeUnitList(dir, "outbitzerlow404a.dat", {{.name = "next file"}});
    coverLevels({1});
    EXPECT_EQ(cat->loadunits(choices(UnitKind::Out, {1, 3})), 201);
    EXPECT_EQ(cat->agrlist.name[200], "U200");
    // The unit after row 200 is the next file's first row, not something past the table.
    EXPECT_EQ(cat->agrlist.name[201], "next file");
}

TEST_F(LoadUnits, StopsAtOneThousandUnits) {
    std::vector<UnitRow> rows;
    for (int i = 1; i <= 200; ++i)
        rows.push_back({.name = "U" + std::to_string(i)});
    for (const char* lvl : {"low", "middle", "high"})
        for (const char* brand : {"bock", "bitzer"})
            testing::writeUnitList(dir, std::string("out") + brand + lvl + "404a.dat", rows);
    coverLevels({1, 2, 3});
    EXPECT_EQ(cat->loadunits(choices(UnitKind::Out, {1, 3})), 1000);
    EXPECT_EQ(cat->agrlist.count, 1000);
    EXPECT_EQ(cat->agrlist.layer[1000], 3);
    EXPECT_EQ(cat->agrlist.agrtype[1000], 1);
}

TEST_F(LoadUnits, MissingFileKeepsThePreviousBuffer) {
    testing::writeUnitList(dir, "outbocklow404a.dat", {{.name = "kept"}});
    coverLevels({1});
    cat->loadunits(choices(UnitKind::Out, {1}));
    std::filesystem::remove(dir / "agrdata/outbocklow404a.dat");
    EXPECT_EQ(cat->loadunits(choices(UnitKind::Out, {1})), 0);
    EXPECT_EQ(cat->agrfile.cell(0, 1), "kept");
}

TEST_F(LoadUnits, AListChangedOnDiskIsReadAgain) {
    testing::writeUnitList(dir, "outbocklow404a.dat", {{.name = "first"}});
    coverLevels({1});
    ASSERT_EQ(cat->loadunits(choices(UnitKind::Out, {1})), 1);
    EXPECT_EQ(cat->agrlist.name[1], "first");
    EXPECT_EQ(cat->loadunits(choices(UnitKind::Out, {1})), 1);
    EXPECT_EQ(cat->agrlist.name[1], "first");
    // Rewritten in place and replaced by a rename: each seen by the next load.
    testing::writeUnitList(dir, "outbocklow404a.dat", {{.name = "second"}, {.name = "third"}});
    ASSERT_EQ(cat->loadunits(choices(UnitKind::Out, {1})), 2);
    EXPECT_EQ(cat->agrlist.name[2], "third");
    testing::writeUnitList(dir, "new.dat", {{.name = "renamed"}});
    std::filesystem::rename(dir / "agrdata/new.dat", dir / "agrdata/outbocklow404a.dat");
    ASSERT_EQ(cat->loadunits(choices(UnitKind::Out, {1})), 1);
    EXPECT_EQ(cat->agrlist.name[1], "renamed");
}

TEST_F(LoadUnits, SubmergedExchangerAcceptsLatinAndCyrillicLetter) {
    testing::writeUnitList(dir, "ovbocklow404a.dat",
                           {{.name = "ОВ-10В"}, {.name = "ОВ-10B"}, {.name = "ОВ-10"}});
    coverLevels({1});
    auto c = choices(UnitKind::Ov, {1});
    c.exchanger = Exchanger::Submerged;
    EXPECT_EQ(cat->loadunits(c), 2);
    EXPECT_EQ(names(), (std::vector<std::string>{"ОВ-10В", "ОВ-10B"}));
    EXPECT_EQ(cat->agrlist.delta[1], 5.0);
    EXPECT_EQ(cat->agrlist.delta[2], 5.0);

    c.exchanger = Exchanger::All;
    EXPECT_EQ(cat->loadunits(c), 3);
    EXPECT_EQ(cat->agrlist.delta[3], 0.0);

    // No exchanger item chosen: no letter test, like "Все".
    c.exchanger = Exchanger::NotChosen;
    EXPECT_EQ(cat->loadunits(c), 3);
}

TEST_F(LoadUnits, PlateAndShellExchangerLetters) {
    testing::writeUnitList(dir, "glcobocklow404a.dat",
                           {{.name = "A-M"}, {.name = "A-М"}, {.name = "A-K"}, {.name = "A-К"}});
    coverLevels({1});
    auto c = choices(chillerKind(0), {1});
    c.exchanger = Exchanger::Plate;
    EXPECT_EQ(cat->loadunits(c), 2);
    EXPECT_EQ(names(), (std::vector<std::string>{"A-M", "A-М"}));
    c.exchanger = Exchanger::ShellAndTube;
    EXPECT_EQ(cat->loadunits(c), 2);
    EXPECT_EQ(names(), (std::vector<std::string>{"A-K", "A-К"}));
}

TEST_F(LoadUnits, LetterTestOnlyOnTheChillerTab) {
    testing::writeUnitList(dir, "agrbocklow404a.dat", {{.name = "R-В"}, {.name = "R-1"}});
    coverLevels({1});
    auto c = choices(UnitKind::Agr, {1});
    c.exchanger = Exchanger::Plate;
    EXPECT_EQ(cat->loadunits(c), 2);
    EXPECT_EQ(cat->agrlist.delta[1], 0.0);  // the 5 K difference is a chiller's
}

TEST_F(LoadUnits, RackSizeFilter) {
    testing::writeUnitList(dir, "mkabocklow404a.dat",
                           {{.name = "four", .indices = "1+2", .counts = "2+2"},
                            {.name = "three", .counts = "3"},
                            {.name = "two", .counts = "2"},
                            {.name = "seven", .counts = "7"},
                            {.name = "unknown", .counts = ""}});
    coverLevels({1});
    auto c = choices(UnitKind::Mka, {1});
    c.rackSizeChecked[2] = true;
    c.rackSizeChecked[3] = true;
    // Totals outside 2..5 have no size item and are kept.
    EXPECT_EQ(cat->loadunits(c), 4);
    EXPECT_EQ(names(), (std::vector<std::string>{"three", "two", "seven", "unknown"}));
    c.rackSizeChecked = {};
    c.rackSizeChecked[4] = true;
    EXPECT_EQ(cat->loadunits(c), 3);
    EXPECT_EQ(names(), (std::vector<std::string>{"four", "seven", "unknown"}));
}

TEST_F(LoadUnits, UnitsReferToThePreloadedDataOfTheirBrandAndLevel) {
    testing::compressorList(5).save(dir / "catalzf.dat");
    GridImage table;
    table.set(1, 1, 1.0);
    table.save(dir / "masszf.dat");
    testing::brandTable({{0, 2, "HGX", -35, -5}}).save(dir / "bock.dat");
    cat->preloadtables(0);
    testing::writeUnitList(dir, "outlow404a.dat", {{.name = "S", .indices = "3"}});
    testing::writeUnitList(dir, "outbocklow404a.dat", {{.name = "B", .indices = "2"}});
    coverLevels({1});
    ASSERT_EQ(cat->loadunits(choices(UnitKind::Out, {1, 2})), 2);
    const auto& a = cat->agrlist;
    EXPECT_EQ(a.p1[1].coef, cat->coefstore.coef(1, 1));
    EXPECT_EQ(a.p2[1], nullptr);
    EXPECT_EQ(a.p1[2].table, cat->coefstore.table(1));
    EXPECT_EQ(a.p2[2], &cat->liststore[0]);
    // Envelopes: the brand record's for B, the compressor list entry's for S.
    EXPECT_EQ(a.envelope(1), cat->coefstore.coef(1, 1)->envelope(0, 2));
    EXPECT_EQ(a.xlim[0][1], -35.0);
    EXPECT_EQ(a.xlim[2][1], -5.0);
    EXPECT_EQ(a.xlim[0][2], -30 + 1 + 0.03);
    EXPECT_EQ(a.ylim[5][2], 46.0);
    EXPECT_TRUE(a.compressor == cat->liststore[0]);
    EXPECT_TRUE(cat->brandcoef == *cat->coefstore.coef(1, 1));
    EXPECT_TRUE(a.computable(1, 0));
    EXPECT_TRUE(a.computable(2, 0));
}

TEST_F(LoadUnits, EachBrandTableUnitTakesItsEnvelopeFromItsOwnBrand) {
    testing::brandTable({{1, 1, "bock", -35, -5}}).save(dir / "bock.dat");
    testing::brandTable({{1, 1, "bitzer", -15, 5}}).save(dir / "bitzer.dat");
    cat->preloadtables(1);
    testing::writeUnitList(dir, "outbocklow22.dat", {{.name = "B1"}});
    testing::writeUnitList(dir, "outbitzerlow22.dat", {{.name = "Z1"}});
    testing::writeUnitList(dir, "outbockmiddle22.dat", {{.name = "B2"}});
    coverLevels({1, 2});
    ASSERT_EQ(cat->loadunits(choices(UnitKind::Out, {1, 3}, 1)), 3);
    EXPECT_EQ(cat->agrlist.xlim[0][1], -35.0);
    EXPECT_EQ(cat->agrlist.xlim[0][2], -15.0);
    EXPECT_EQ(cat->agrlist.xlim[2][3], -5.0);
    // The brand table in use is the one of the last brand-table unit.
    EXPECT_EQ(cat->brandcoef.name(1, 1), "bock");
}

TEST_F(LoadUnits, R410AKeepsTheEnvelopeOfBrandTableUnits) {
    testing::brandTable({{0, 1, "HGX", -35, -5}}).save(dir / "bitzer.dat");
    cat->preloadtables(4);
    testing::writeUnitList(dir, "outbitzerlow404a.dat", {{.name = "first"}});
    testing::writeUnitList(dir, "outbitzerlow410a.dat", {{.name = "second"}});
    coverLevels({1});
    cat->loadunits(choices(UnitKind::Out, {3}, 0));
    const auto before = cat->agrlist.envelope(1);
    EXPECT_EQ(before[0], -35.0);
    cat->loadunits(choices(UnitKind::Out, {3}, 4));
    EXPECT_EQ(cat->agrlist.name[1], "second");
    EXPECT_EQ(cat->agrlist.envelope(1), before);
    EXPECT_EQ(cat->agrlist.dataCheck(1, 4), UnitData::NoRefrigerantSection);
}

TEST_F(LoadUnits, UnitsWithoutPreloadedDataAreListedButNotComputable) {
    testing::writeUnitList(dir, "outlow22.dat", {{.name = "no data", .price = "10"}});
    testing::writeUnitList(dir, "outcoplow22.dat", {{.name = "no coef"}});
    coverLevels({1});
    ASSERT_EQ(cat->loadunits(choices(UnitKind::Out, {2, 4}, 1)), 2);
    const auto& a = cat->agrlist;
    EXPECT_EQ(a.price[1], "10");
    EXPECT_TRUE(a.p1[1].empty());
    EXPECT_EQ(a.dataCheck(1, 1), UnitData::NoPerformanceData);
    EXPECT_EQ(a.dataCheck(2, 1), UnitData::NoPerformanceData);
    EXPECT_EQ(a.envelope(1), (std::array<double, 12>{}));
}

TEST_F(LoadUnits, CondenserListIsCopiedIntoAgrlist) {
    cat->conderlist = testing::condenserList(3);
    coverLevels({});
    cat->loadunits(choices(UnitKind::Out, {1}));
    EXPECT_TRUE(cat->agrlist.condenser == cat->conderlist);
}

TEST_F(LoadUnits, RandomBytesInAUnitListNeverLeaveTheArrays) {
    testing::compressorList(3).save(dir / "catalzb22.dat");
    GridImage().save(dir / "masszb22.dat");
    cat->preloadtables(1);
    for (unsigned seed = 1; seed <= 4; ++seed) {
        // Random bytes, with names and indices that sometimes lead into the data (compressor
        // entries 1..3 have tables) and sometimes past it.
        UnitListTable list;
        list.assignFront(testing::randomBytes(UnitListTable::kSize, seed));
        for (int r = 1; r <= UnitListTable::kUnitRows; ++r) {
            list.setCell(0, r, "U" + std::to_string(r));
            list.setCell(3, r, std::to_string(int((r + seed) % 6) - 1));
            list.setCell(4, r, std::to_string(int((r * 7 + seed) % 104) - 2));
        }
        ASSERT_TRUE(list.save(dir / "agrdata/mkamiddle22.dat"));
        dir.writeBytes("agrdata/mkabockmiddle22.dat", testing::randomBytes(5000, seed));
        coverLevels({2});
        auto c = choices(UnitKind::Mka, {1, 2}, 1);
        c.rackSizeChecked = {true, true, true, true, true, true};
        const int n = cat->loadunits(c);
        EXPECT_GE(n, 0);
        EXPECT_LE(n, 400);
        // A unit that passes the check leads only inside its data; any other is left out of
        // the computation. What the check passes is checked here against the unit's own cells.
        const agregat& a = cat->agrlist;
        int computable = 0;
        for (int k = 1; k <= n; ++k) {
            const auto u = std::size_t(k);
            if (!a.computable(k, 1))
                continue;
            ++computable;
            const Comprprop* list = a.p2[u];
            ASSERT_TRUE(list);
            EXPECT_TRUE(Comprprop::validEntry(a.indcompr[u])) << k;
            EXPECT_GE(list->position(a.indcompr[u]), 1) << k;
            EXPECT_LT(list->position(a.indcompr[u]), GridImage::kDim) << k;
            if (a.ncompressor2[u] != 0) {
                EXPECT_TRUE(Comprprop::validEntry(a.indcompr2[u])) << k;
            }
            EXPECT_GE(a.indconder[u], 0) << k;
            EXPECT_LE(a.indconder[u], Condenserprop::kEntries) << k;
        }
        EXPECT_GT(computable, 0);
        EXPECT_LT(computable, n);
    }
}

}  // namespace
}  // namespace tundrix
