// The refrigerant table: the five original refrigerants as they were, the later ones named by
// their code in every file, and a data folder that holds only the five's files.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "catalogue/pricenumbers.h"
#include "catalogue/refrigerants.h"
#include "fixtures.h"

namespace tundrix {
namespace {

// Calculation files, price numbers and the selectors store positions in the table: the entries
// keep their places and new ones only come at the end.
TEST(RefrigerantTable, StoredPositionsOnlyGrowAtTheEnd) {
    const char* stored[] = {"404a",   "22",   "407c", "134a", "410a", "290",  "32",  "1234yf",
                            "1234ze", "448a", "449a", "452a", "454b", "454c", "513a"};
    ASSERT_GE(kRefrigerants, int(std::size(stored)));
    for (int r = 0; r < int(std::size(stored)); ++r)
        EXPECT_EQ(refrigerantEntry(r).code, stored[r]) << r;
}

// What every entry must hold, and what must tell entries apart.
TEST(RefrigerantTable, EveryEntryIsCompleteAndItsNamesAndFilesItsOwn) {
    std::set<std::string_view> codes, captions, propertyFiles;
    std::set<std::string> agrFiles, coefFiles;
    std::set<int> sections;
    bool byCodeSeen = false;
    for (int r = 0; r < kRefrigerants; ++r) {
        const Refrigerant& e = refrigerantEntry(r);
        EXPECT_TRUE(codes.insert(e.code).second) << e.code;
        EXPECT_TRUE(captions.insert(e.caption).second) << e.caption;
        EXPECT_TRUE(propertyFiles.insert(e.propertyFile).second) << e.propertyFile;
        EXPECT_EQ(refrigerantByName("R" + std::string(e.code)), r);
        EXPECT_EQ(refrigerantByName(e.caption), r);
        EXPECT_FALSE(e.modelSource.empty()) << e.code;
        EXPECT_TRUE(e.safetyClass == "A1" || e.safetyClass == "A2L" || e.safetyClass == "A3")
            << e.code;
        EXPECT_GT(e.gwp[0], 0) << e.code;
        EXPECT_GT(e.condfactor, 0.8) << e.code;
        EXPECT_LE(e.condfactor, 1.0) << e.code;
        EXPECT_FALSE(e.editorCaption.empty()) << e.code;
        agrFiles.insert(agrfilename(UnitKind::Out, 1, 1, r));
        if (e.scheme == FileScheme::Original) {
            // The original five come first and share the brand files, a section each (or none).
            EXPECT_FALSE(byCodeSeen) << e.code;
            EXPECT_FALSE(missingFileMeansNone(r));
            if (coefSection(r) >= 0) {
                EXPECT_TRUE(sections.insert(coefSection(r)).second) << e.code;
            }
        } else {
            byCodeSeen = true;
            EXPECT_TRUE(missingFileMeansNone(r));
            EXPECT_EQ(coefSection(r), 0);
            EXPECT_TRUE(coefFiles.insert(coeffilename(1, 1, r)).second) << e.code;
            EXPECT_NE(e.condfactor, 0.87) << e.code;  // that value means R407C's form
        }
    }
    EXPECT_EQ(int(agrFiles.size()), kRefrigerants);
    EXPECT_EQ(coefSection(kRefrigerants), -1);
    EXPECT_FALSE(validRefrigerant(-1));
}

// Each refrigerant named by its code numbers its price files in a block of its own after the
// five's 44, in table order.
TEST(RefrigerantTable, PriceBlocksFollowTheTableOrder) {
    int place = 0;
    for (int r = 0; r < kRefrigerants; ++r) {
        if (refrigerantEntry(r).scheme != FileScheme::ByCode)
            continue;
        const int first = kOriginalPriceFiles + kPriceBlock * place++ + 1;
        int numbered = 0;
        for (int k = int(UnitKind::Out); k <= int(UnitKind::On); ++k)
            for (int l = 1; l <= kLevels; ++l)
                for (int b = 1; b <= kBrands; ++b)
                    if (const int n = priceFileNumber(UnitKind(k), l, b, r); n != 0) {
                        ++numbered;
                        EXPECT_GE(n, first) << r;
                        EXPECT_LT(n, first + kPriceBlock) << r;
                    }
        EXPECT_GT(numbered, 30) << r;
    }
}

TEST(RefrigerantTable, NamedByCodeCaptionOrIndexInAnyCase) {
    for (const char* name : {"R448A", "448a", "9", "r448a", "448A"})
        EXPECT_EQ(refrigerantByName(name), 9) << name;
    EXPECT_EQ(refrigerantByName("R404A/R507"), 0);
    EXPECT_EQ(refrigerantByName("R404A"), 0);
    EXPECT_EQ(refrigerantByName("r1234ze(e)"), 8);
    EXPECT_EQ(refrigerantByName("1234ze"), 8);
    EXPECT_EQ(refrigerantByName("0"), 0);
    for (const char* name : {"", "15", "-1", "R", "R999", "4O4a", "9 ", "1234"})
        EXPECT_EQ(refrigerantByName(name), std::nullopt) << name;
}

TEST(RefrigerantTable, SafetyClassAndGwpAsShownBesideTheSelector) {
    EXPECT_EQ(safetyText(refrigerantEntry(0)), "A1, ПГП 3922/3985");
    EXPECT_EQ(safetyText(refrigerantEntry(3)), "A1, ПГП 1430");
    EXPECT_EQ(safetyText(refrigerantEntry(5)), "A3, ПГП 3, горючий");
    EXPECT_EQ(safetyText(refrigerantEntry(6)), "A2L, ПГП 675, горючий");
    EXPECT_EQ(safetyText(refrigerantEntry(8)), "A2L, ПГП 7, горючий");
    EXPECT_EQ(safetyText(refrigerantEntry(9)), "A1, ПГП 1387");
    EXPECT_EQ(safetyText(refrigerantEntry(12)), "A2L, ПГП 466, горючий");
    EXPECT_EQ(safetyText(refrigerantEntry(14)), "A1, ПГП 631");
    // The blends after the pure ones come from the mixture model, each by its own name.
    for (int r = 9; r < kRefrigerants; ++r) {
        EXPECT_EQ(refrigerantEntry(r).model, PropertyModel::Mixture);
        EXPECT_EQ(refrigerantEntry(r).modelSource, refrigerantEntry(r).caption);
    }
}

TEST(RefrigerantTable, LaterRefrigerantsNameEveryFileByTheirCode) {
    EXPECT_EQ(agrfilename(UnitKind::Out, 1, 1, 5), "outbocklow290.dat");
    EXPECT_EQ(agrfilename(chillerKind(4), 3, 2, 8), "ovhigh1234ze.dat");
    EXPECT_EQ(coeffilename(2, 1, 6), "bock32.dat");
    EXPECT_EQ(coeffilename(3, 3, 7), "bitzer1234yf.dat");
    EXPECT_EQ(coeffilename(1, 4, 8), "dwmcopeland1234ze.dat");
    EXPECT_EQ(coeffilename(1, 2, 5), "masszf290.dat");
    EXPECT_EQ(listfilename(2, 2, 6), "catalzb32.dat");
    EXPECT_EQ(coeffilename(3, 2, 8), "masszr1234ze.dat");
    EXPECT_EQ(listfilename(3, 1, 5), "no");
    EXPECT_EQ(refrigerantEntry(7).propertyFile, "mass1234yf.dat");
    EXPECT_EQ(refrigerantEntry(12).propertyFile, "mass454b.dat");
    EXPECT_EQ(agrfilename(UnitKind::Mka, 2, 3, 9), "mkabitzermiddle448a.dat");
    // The five keep the shared brand files.
    EXPECT_EQ(coefficientFileName(1, 0), "bock.dat");
    EXPECT_EQ(coefficientFileName(4, 4), "dwmcopeland.dat");
    EXPECT_EQ(coefficientFileName(2, 5), "");
}

TEST(RefrigerantTable, LaterRefrigerantsListTheCalculatorLevelsByTheFirstCorner) {
    const auto& levels = refrigerantEntry(5).levels;
    EXPECT_TRUE(levels[0].accepts(-30.5, 10));
    EXPECT_FALSE(levels[0].accepts(-30, 10));
    EXPECT_TRUE(levels[1].accepts(-30, 10));
    EXPECT_TRUE(levels[1].accepts(-15, 10));
    EXPECT_FALSE(levels[2].accepts(-15, 20));
    EXPECT_TRUE(levels[2].accepts(-14.5, 20));
}

TEST(PriceNumbers, LaterRefrigerantsHaveABlockOfFortyAfterTheFortyFour) {
    // The five as the editor numbers them (refrigerant -1: none chosen).
    EXPECT_EQ(priceFileNumber(UnitKind::Agr, 1, 1, 0), 1);
    EXPECT_EQ(priceFileNumber(UnitKind::Out, 3, 2, -1), 0);
    EXPECT_EQ(priceFileNumber(UnitKind::Glcu, 3, 2, 4), 44);
    // R290: 45..84, R32: 85..124, ...
    EXPECT_EQ(priceFileNumber(UnitKind::Agr, 1, 1, 5), 45);
    EXPECT_EQ(priceFileNumber(UnitKind::Glck, 3, 2, 5), 44 + 20);
    EXPECT_EQ(priceFileNumber(UnitKind::Ov, 3, 2, 6), 85 + 28 - 3 - 1);
    EXPECT_EQ(priceFileNumber(UnitKind::Agr, 2, 4, 7), 125 + 39 - 3 - 1);
    EXPECT_EQ(priceFileNumber(UnitKind::Out, 3, 2, 8), 204);
    EXPECT_EQ(priceFileNumber(UnitKind::Glco, 3, 2, 8), 165 + 16 - 1);  // no R410A rule
    EXPECT_EQ(priceFileNumber(UnitKind::Out, 3, 1, 5), 0);
    EXPECT_EQ(priceFileNumber(UnitKind::Agr, 1, 1, 9), 205);  // R448A: 205..244
    EXPECT_EQ(priceFileNumber(UnitKind::Out, 3, 2, 14), 444);
    EXPECT_EQ(priceFileNumber(UnitKind::Out, 1, 2, kRefrigerants), 0);
}

// A data folder with the five's files only: the later refrigerants show no compressors and no
// units, and nothing of the five's data is taken for theirs.
class FiveOnlyFolder : public ::testing::Test {
protected:
    FiveOnlyFolder() : cat(std::make_unique<Catalogue>(dir.path())) {
        testing::condenserList(4).save(dir / "condensators.dat");
        testing::brandTable({{0, 1, "NK1", -40, -20}, {0, 2, "NK2", -20, 5}})
            .save(dir / "bock.dat");
        testing::compressorList(3).save(dir / "masszf.dat");
        testing::compressorList(3).save(dir / "catalzf.dat");
        testing::writeUnitList(dir, "outbocklow404a.dat", {{"АННП-1"}});
    }
    testing::TempFolder dir;
    std::unique_ptr<Catalogue> cat;
};

TEST_F(FiveOnlyFolder, CalculatorShowsNoCompressorsForTheLaterRefrigerants) {
    ASSERT_FALSE(cat->FullDataUpdate(1, 1, 0).noCompressors);
    ASSERT_FALSE(cat->FullDataUpdate(1, 2, 0).noCompressors);
    for (int r = 5; r < kRefrigerants; ++r)
        for (int b = 1; b <= kBrands; ++b)
            for (int l = 1; l <= kLevels; ++l) {
                const CalculatorLists lists = cat->FullDataUpdate(l, b, r);
                EXPECT_TRUE(lists.noCompressors) << r << " " << b << " " << l;
                EXPECT_EQ(lists.selectcompr.items, std::vector<std::string>{"Нет компрессоров"});
                EXPECT_EQ(cat->brandposcount, 0);
            }
    // Back to R404A/R507 the lists are there again.
    EXPECT_EQ(cat->FullDataUpdate(1, 1, 0).selectcompr.items, (std::vector<std::string>{"NK1"}));
}

TEST_F(FiveOnlyFolder, PreloadedDataOfTheFiveDoNotServeALaterRefrigerant) {
    cat->preloadtables(0);
    EXPECT_NE(cat->coefptr[1][1].coef, nullptr);
    EXPECT_NE(cat->listptr[2][1], nullptr);
    cat->preloadtables(5);
    for (int b = 1; b <= kBrands; ++b)
        for (int l = 1; l <= kLevels; ++l) {
            EXPECT_EQ(cat->coefptr[std::size_t(b)][std::size_t(l)].coef, nullptr);
            EXPECT_EQ(cat->coefptr[std::size_t(b)][std::size_t(l)].table, nullptr);
            EXPECT_EQ(cat->listptr[std::size_t(b)][std::size_t(l)], nullptr);
        }
    cat->levelon = {false, true, true, true};
    LoadChoices choices;
    choices.kind = UnitKind::Out;
    choices.refrigerant = 5;
    choices.brandChecked = {false, true, true, true, true};
    EXPECT_FALSE(cat->agrfileexists(UnitKind::Out, 1, 1, 5));
    EXPECT_EQ(cat->loadunits(choices), 0);
    // The five's own rule stays: a missing file keeps the slot (no R22 Scroll files here).
    cat->preloadtables(0);
    cat->preloadtables(1);
    EXPECT_NE(cat->listptr[2][1], nullptr);
}

}  // namespace
}  // namespace tundrix
