// The calculator's lists (FullDataUpdate, DatUpdate, DatUpdatebock) and the preloaded store.
#include <gtest/gtest.h>

#include <memory>

#include "catalogue/catalogue.h"
#include "fixtures.h"

namespace tundrix {
namespace {

using testing::TempFolder;

class CalculatorLoad : public ::testing::Test {
  protected:
    CalculatorLoad() : cat(std::make_unique<Catalogue>(dir.path())) {
        testing::condenserList(4).save(dir / "condensators.dat");
    }
    TempFolder dir;
    std::unique_ptr<Catalogue> cat;
};

const std::vector<std::string> kNone = {"Нет компрессоров"};

// Section 2 (R407C) of a Bitzer table: named records with various envelopes, one unnamed record
// whose envelope would pass the filter.
CoefImage bitzerR407C() {
    return testing::brandTable({
        {2, 1, "2KES", -20, 5},
        {2, 2, "2JES", -5, 15},   // x1 > -10: not level 2
        {2, 3, "", -30, 0},       // empty record
        {2, 5, "4TES", -10, 12},  // x1 = -10 passes "x1 <= -10"
        {2, 150, "8GE", -40, 10},
        {1, 4, "R22 only", -40, 0},
    });
}

TEST_F(CalculatorLoad, BitzerR407CLowLevelHasNoCompressors) {
    bitzerR407C().save(dir / "bitzer.dat");
    const auto lists = cat->FullDataUpdate(1, 3, 2);
    EXPECT_TRUE(lists.noCompressors);
    EXPECT_EQ(lists.selectcompr.items, kNone);
    EXPECT_EQ(lists.selectcompr2.items, kNone);
    EXPECT_EQ(lists.selectcompr.selected, 0);
    EXPECT_EQ(cat->brandposcount, 0);
    EXPECT_EQ(cat->brandfile, "bitzer.dat");
    EXPECT_TRUE(cat->isbrandtable);
    EXPECT_EQ(lists.condensator.items.size(), 4u);
}

TEST_F(CalculatorLoad, BitzerR407CMiddleLevelListsRecordsInRecordOrder) {
    bitzerR407C().save(dir / "bitzer.dat");
    const auto lists = cat->FullDataUpdate(2, 3, 2);
    EXPECT_FALSE(lists.noCompressors);
    const std::vector<std::string> expected = {"2KES", "4TES", "8GE"};
    EXPECT_EQ(lists.selectcompr.items, expected);
    EXPECT_EQ(lists.selectcompr2.items, expected);
    EXPECT_EQ(lists.selectcompr.selected, 0);
    EXPECT_EQ(lists.selectcompr2.selected, 0);
    ASSERT_EQ(cat->brandposcount, 3);
    EXPECT_EQ(cat->brandpos[0], 1);
    EXPECT_EQ(cat->brandpos[1], 5);
    EXPECT_EQ(cat->brandpos[2], 150);
    EXPECT_TRUE(cat->brandcoef == bitzerR407C());
}

TEST_F(CalculatorLoad, EnvelopeFilterPerRefrigerantAndLevel) {
    // Records of sections 0 (R404A/R507), 1 (R22) and 3 (R134a) around the filter limits.
    testing::brandTable({
                            {0, 1, "lt", -35, 0},
                            {0, 2, "lt-edge", -30, 0},  // x1 = -30 is not below -30
                            {0, 3, "mt", -20, 0},       // x3 >= 0
                            {1, 1, "r22-low", -30, -5},
                            {1, 2, "r22-mid", -20, 3},
                            {1, 3, "r22-high", -10, 7},
                            {3, 1, "134-low", -25, 10},
                            {3, 4, "134-edge", -25, 12.5},
                            {3, 2, "134-mid", -15, 13},
                            {3, 3, "134-high", 0, 11},
                        })
        .save(dir / "bock.dat");
    auto items = [&](int level, int r) {
        return cat->FullDataUpdate(level, 1, r).selectcompr.items;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(items(1, 0), (V{"lt"}));
    EXPECT_EQ(items(2, 0), (V{"lt", "lt-edge", "mt"}));
    EXPECT_EQ(items(3, 0), kNone);
    EXPECT_EQ(items(1, 1), (V{"r22-low"}));
    EXPECT_EQ(items(2, 1), (V{"r22-mid", "r22-high"}));
    EXPECT_EQ(items(3, 1), (V{"r22-high"}));
    EXPECT_EQ(items(1, 3), (V{"134-low", "134-edge"}));
    EXPECT_EQ(items(2, 3), (V{"134-mid"}));
    EXPECT_EQ(items(3, 3), (V{"134-mid", "134-high", "134-edge"}));
}

TEST_F(CalculatorLoad, R404AMiddleSelectsOnlyTheFirstSelector) {
    testing::brandTable({{0, 1, "mt", -20, 0}}).save(dir / "dwmcopeland.dat");
    const auto lists = cat->FullDataUpdate(2, 4, 0);
    EXPECT_EQ(lists.selectcompr.selected, 0);
    EXPECT_EQ(lists.selectcompr2.selected, -1);
    EXPECT_EQ(lists.selectcompr2.items.size(), 1u);
    EXPECT_EQ(cat->brandfile, "dwmcopeland.dat");
}

TEST_F(CalculatorLoad, R410ALeavesTheBrandSelectorsAsTheyAre) {
    testing::brandTable({{0, 1, "x", -20, 0}}).save(dir / "bock.dat");
    cat->brandpos[0] = 77;
    cat->brandposcount = 1;
    const auto lists = cat->FullDataUpdate(2, 1, 4);
    EXPECT_FALSE(lists.selectcompr.changed);
    EXPECT_FALSE(lists.selectcompr2.changed);
    EXPECT_FALSE(lists.noCompressors);
    EXPECT_TRUE(lists.condensator.changed);
    EXPECT_EQ(cat->brandpos[0], 77);
    EXPECT_EQ(cat->brandposcount, 1);
    EXPECT_EQ(cat->brandcoef.name(0, 1), "x");  // the brand table is still read
}

TEST_F(CalculatorLoad, CopelandScrollWithoutFilesShowsNoCompressors) {
    const auto lists = cat->FullDataUpdate(3, 2, 0);
    EXPECT_EQ(lists.selectcompr.items, kNone);
    EXPECT_EQ(lists.selectcompr2.items, kNone);
    EXPECT_FALSE(lists.condensator.changed);
    EXPECT_FALSE(cat->isbrandtable);
}

TEST_F(CalculatorLoad, CopelandScrollFillsSelectorsFromTheCompressorList) {
    testing::compressorList(3).save(dir / "catalzf22.dat");
    GridImage g;
    g.set(10, 2, 1.5);
    g.save(dir / "masszf22.dat");
    cat->brandfile = "bock.dat";
    const auto lists = cat->FullDataUpdate(1, 2, 1);
    EXPECT_EQ(cat->brandfile, "bock.dat");  // Copeland Scroll leaves it
    EXPECT_EQ(lists.selectcompr.items, (std::vector<std::string>{"ZS1", "ZS2", "ZS3"}));
    EXPECT_EQ(lists.selectcompr2.selected, 0);
    EXPECT_EQ(cat->comprpos[0], 10);
    EXPECT_EQ(cat->comprpos[2], 30);
    EXPECT_EQ(cat->calcgridptr, &cat->calcgrid);
    EXPECT_EQ(cat->calcgrid.at(10, 2), 1.5);
    EXPECT_EQ(lists.condensator.items.front(), "КД-1");
    EXPECT_EQ(lists.condensator.selected, 0);
    EXPECT_TRUE(cat->agrlist.condenser == cat->conderlist);
}

TEST_F(CalculatorLoad, MissingCalculatorFilesKeepWhatWasLoaded) {
    const auto lists = cat->DatUpdate("masszf22.dat", "catalzf22.dat");
    EXPECT_EQ(cat->calcgridptr, nullptr);
    EXPECT_TRUE(lists.selectcompr.items.empty());
    EXPECT_EQ(lists.selectcompr.selected, -1);

    testing::compressorList(2).save(dir / "catalzb22.dat");
    cat->DatUpdate("masszb22.dat", "catalzb22.dat");
    const auto again = cat->DatUpdate("masszr22.dat", "catalzr22.dat");  // both missing
    EXPECT_EQ(again.selectcompr.items.size(), 2u);
    EXPECT_EQ(cat->calcgridptr, nullptr);
}

TEST_F(CalculatorLoad, DamagedCountsListNoMoreThanTheListHolds) {
    auto list = testing::compressorList(2);
    list.setCount(100000);
    list.save(dir / "catal.dat");
    auto cond = testing::condenserList(1);
    cond.setCount(-5);
    cond.save(dir / "condensators.dat");
    const auto lists = cat->DatUpdate("mass.dat", "catal.dat");
    EXPECT_EQ(lists.selectcompr.items.size(), 100u);
    EXPECT_TRUE(lists.condensator.items.empty());
}

TEST_F(CalculatorLoad, BrandTableUpdateLeavesAgrlistCondenserAlone) {
    const Condenserprop before = cat->agrlist.condenser;
    const auto lists = cat->DatUpdatebock("bock.dat");
    EXPECT_EQ(lists.condensator.items.size(), 4u);
    EXPECT_TRUE(cat->conderlist == testing::condenserList(4));
    EXPECT_TRUE(cat->agrlist.condenser == before);
}

TEST_F(CalculatorLoad, RandomCalculatorFilesStayWithinBounds) {
    dir.writeBytes("catal.dat", testing::randomBytes(Comprprop::kSize, 11));
    dir.writeBytes("condensators.dat", testing::randomBytes(Condenserprop::kSize, 12));
    dir.writeBytes("bock.dat", testing::randomBytes(CoefImage::kSize, 13));
    const auto a = cat->DatUpdate("mass.dat", "catal.dat");
    EXPECT_LE(a.selectcompr.items.size(), 100u);
    EXPECT_LE(a.condensator.items.size(), 100u);
    const auto b = cat->FullDataUpdate(2, 1, 1);
    EXPECT_LE(b.selectcompr.items.size(), 150u);
}

class Preload : public CalculatorLoad {};

TEST_F(Preload, ReadsEveryBrandAndLevelForTheRefrigerant) {
    testing::brandTable({{1, 1, "bock-22", -30, 0}}).save(dir / "bock.dat");
    testing::brandTable({{1, 1, "bitzer-22", -30, 0}}).save(dir / "bitzer.dat");
    for (const char* lvl : {"zf", "zb", "zr"}) {
        testing::compressorList(2).save(dir / (std::string("catal") + lvl + "22.dat"));
        GridImage().save(dir / (std::string("mass") + lvl + "22.dat"));
    }
    cat->preloadtables(1);
    for (int l = 1; l <= 3; ++l) {
        EXPECT_EQ(cat->coefptr[1][l].coef, cat->coefstore.coef(1, l));
        EXPECT_EQ(cat->coefstore.coef(1, l)->name(1, 1), "bock-22");
        EXPECT_EQ(cat->coefstore.coef(3, l)->name(1, 1), "bitzer-22");
        EXPECT_EQ(cat->coefptr[2][l].table, cat->coefstore.table(l));
        EXPECT_EQ(cat->listptr[2][l], &cat->liststore[std::size_t(l - 1)]);
        EXPECT_TRUE(cat->coefptr[4][l].empty());  // no dwmcopeland.dat
        EXPECT_EQ(cat->listptr[1][l], nullptr);
    }
}

TEST_F(Preload, MissingFileKeepsTheSlotOfTheRefrigerantBefore) {
    auto r404 = testing::compressorList(3);
    r404.save(dir / "catal.dat");
    GridImage().save(dir / "mass.dat");
    cat->preloadtables(0);
    ASSERT_NE(cat->listptr[2][2], nullptr);
    cat->preloadtables(2);  // masszb407c.dat / catalzb407c.dat do not exist
    EXPECT_EQ(cat->listptr[2][2], &cat->liststore[1]);
    EXPECT_TRUE(cat->liststore[1] == r404);
    EXPECT_EQ(cat->listptr[2][1], nullptr);
}

TEST_F(Preload, AFileNamedNoIsNeverRead) {
    testing::compressorList(1).save(dir / "no");
    cat->preloadtables(0);  // R404A/R507 high has no Copeland Scroll files
    EXPECT_TRUE(cat->coefptr[2][3].empty());
    EXPECT_EQ(cat->listptr[2][3], nullptr);
    EXPECT_FALSE(cat->existingFile("no"));
}

TEST_F(Preload, PathsLeavingTheDataFolderAreMissing) {
    EXPECT_FALSE(cat->existingFile("../condensators.dat"));
    EXPECT_TRUE(cat->existingFile("condensators.dat"));
    testing::writeUnitList(dir, "outbocklow22.dat", {{.name = "x"}});
    EXPECT_TRUE(cat->existingFile("agrdata\\outbocklow22.dat"));
}

}  // namespace
}  // namespace tundrix
