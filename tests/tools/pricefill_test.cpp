// "Заполнить цены": names, prices and option prices copied by position from a price file.
#include <gtest/gtest.h>

#include <memory>

#include "tools/pricefillcore.h"

namespace tundrix {
namespace {

std::unique_ptr<PriceFile> priceFile(int units) {
    auto p = std::make_unique<PriceFile>();
    for (int k = 0; k < units; ++k) {
        p->setName(k, "Агрегат " + std::to_string(k));
        p->setPrice(k, std::to_string(1000 + k) + ",5");
        for (int i = 1; i <= 11; ++i)
            p->setOptionPrice(k, i, std::to_string(10 * i + k));
    }
    for (int i = 1; i <= 11; ++i)
        p->setOptionName(i, "Опция " + std::to_string(i));
    return p;
}

UnitGrid loadedGrid(int units) {
    UnitGrid g;
    resetGrid(g);
    g.setRowCount(units + 1);
    for (int r = 1; r <= units; ++r) {
        g.rows[std::size_t(r)][0] = "old" + std::to_string(r);
        g.rows[std::size_t(r)][3] = std::to_string(r);
        g.rows[std::size_t(r)][7] = "TechnicalData\\u" + std::to_string(r) + ".pdf";
    }
    return g;
}

TEST(PriceFill, CopiesNamePriceAndOptionsByPosition) {
    UnitGrid g = loadedGrid(3);
    g.insertionRow = 2;
    applyPriceFile(g, *priceFile(3));
    EXPECT_EQ(g.rowCount(), 4);
    EXPECT_EQ(g.rows[0][12], "Опция 1");
    EXPECT_EQ(g.rows[0][22], "Опция 11");
    EXPECT_EQ(g.rows[0][0], "Название агрегата");
    EXPECT_EQ(g.rows[1][0], "Агрегат 0");
    EXPECT_EQ(g.rows[3][10], "1002,5");
    EXPECT_EQ(g.rows[2][12], "11");
    EXPECT_EQ(g.rows[2][22], "111");
    // Compressor, condenser, indices and file references stay; the insertion row too.
    EXPECT_EQ(g.rows[2][3], "2");
    EXPECT_EQ(g.rows[3][7], "TechnicalData\\u3.pdf");
    EXPECT_EQ(g.insertionRow, 2);
}

TEST(PriceFill, APriceFileShorterThanTheListCutsTheGrid) {
    UnitGrid g = loadedGrid(5);
    applyPriceFile(g, *priceFile(2));
    EXPECT_EQ(g.rowCount(), 3);
    EXPECT_EQ(g.rows[2][0], "Агрегат 1");
}

TEST(PriceFill, ALongerPriceFileAddsRows) {
    UnitGrid g = loadedGrid(1);
    applyPriceFile(g, *priceFile(4));
    EXPECT_EQ(g.rowCount(), 5);
    EXPECT_EQ(g.rows[4][0], "Агрегат 3");
    EXPECT_EQ(g.rows[4][3], "");
}

TEST(PriceFill, UnitCount) {
    EXPECT_EQ(priceFileUnits(*priceFile(7)), 7);
    EXPECT_EQ(priceFileUnits(*priceFile(200)), 200);
    // Record 0 counts even without a name; the list ends at the first empty name after it.
    auto p = priceFile(5);
    p->setName(0, "");
    EXPECT_EQ(priceFileUnits(*p), 5);
    p->setName(2, "");
    EXPECT_EQ(priceFileUnits(*p), 2);
    EXPECT_EQ(priceFileUnits(PriceFile{}), 1);
}

TEST(PriceFill, FileName) {
    EXPECT_EQ(priceFilePath("data", 43).generic_string(), "data/Pricedata/mashine43.dat");
    EXPECT_EQ(priceFilePath("data", 7).filename().string(), "mashine7.dat");
}

}  // namespace
}  // namespace tundrix
