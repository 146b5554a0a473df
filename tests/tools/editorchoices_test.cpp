// The names the unit list editor derives from its choices: unit list files, technical-data
// tables and price file numbers.
#include <gtest/gtest.h>

#include "tools/editorchoicescore.h"

namespace tundrix {
namespace {

using K = EditorKind;
using B = EditorBrand;

EditorChoices choices(K kind, B brand, int level, int refrigerant, int chillerType = 0) {
    EditorChoices c;
    c.kind = kind;
    c.brand = brand;
    c.level = level;
    c.refrigerant = refrigerant;
    c.chillerType = chillerType;
    return c;
}

TEST(UnitListFileName, KindBrandLevelRefrigerant) {
    EXPECT_EQ(unitListFileName(choices(K::Out, B::Bock, 1, 0)), "outbocklow404a.dat");
    EXPECT_EQ(unitListFileName(choices(K::Agr, B::Copeland, 1, 1)), "agrlow22.dat");
    EXPECT_EQ(unitListFileName(choices(K::Mka, B::Bitzer, 2, 2)), "mkabitzermiddle407c.dat");
    EXPECT_EQ(unitListFileName(choices(K::Out, B::Dwmcop, 3, 3)), "outcophigh134a.dat");
    EXPECT_EQ(unitListFileName(choices(K::Chiller, B::Copeland, 3, 4, 1)), "glcuhigh410a.dat");
}

TEST(UnitListFileName, LaterRefrigerantsByTheirCode) {
    EXPECT_EQ(unitListFileName(choices(K::Out, B::Bock, 1, 5)), "outbocklow290.dat");
    EXPECT_EQ(unitListFileName(choices(K::Chiller, B::Copeland, 3, 8, 4)), "ovhigh1234ze.dat");
    // Their price files: a block of 40 after the 44, high Copeland condensing units included.
    EXPECT_EQ(priceFileNumber(choices(K::Out, B::Bock, 1, 5)), 44 + 22);
    EXPECT_EQ(priceFileNumber(choices(K::Out, B::Copeland, 3, 6)), 124);
}

TEST(UnitListFileName, EveryChillerType) {
    const char* expected[] = {"glco", "glcu", "glcr", "glck", "ov", "os", "on"};
    for (int t = 0; t < 7; ++t)
        EXPECT_EQ(unitListFileName(choices(K::Chiller, B::Bock, 2, 1, t)),
                  std::string(expected[t]) + "bockmiddle22.dat");
}

TEST(UnitListFileName, GroupsWithoutChoiceAddNothing) {
    EXPECT_EQ(unitListFileName(choices(K::GlcuButton, B::Bock, 1, 0)), "bocklow404a.dat");
    EXPECT_EQ(unitListFileName(choices(K::Out, B::None, 0, -1)), "out");
    EXPECT_EQ(unitListFileName(choices(K::None, B::Copeland, 0, 1)), "22.dat");
}

TEST(TechDataTableName, KindPartWithOlForOn) {
    EXPECT_EQ(techDataTableName(choices(K::Out, B::Bock, 1, 0)), "out");
    EXPECT_EQ(techDataTableName(choices(K::Agr, B::Bock, 1, 0)), "agr");
    EXPECT_EQ(techDataTableName(choices(K::Mka, B::Bock, 1, 0)), "mka");
    EXPECT_EQ(techDataTableName(choices(K::Chiller, B::Bock, 1, 0, 5)), "os");
    // The ОН chillers: files say "on", the technical-data table is "ol".
    EXPECT_EQ(techDataTableName(choices(K::Chiller, B::Bock, 1, 0, 6)), "ol");
    EXPECT_EQ(unitListFileName(choices(K::Chiller, B::Bock, 1, 0, 6)), "onbocklow404a.dat");
    EXPECT_EQ(techDataTableName(choices(K::GlcuButton, B::Bock, 1, 0)), "");
}

struct PriceCase {
    int n;
    K kind;
    B brand;
    int level;
    int refrigerant;
    int type;
};

TEST(PriceFileNumber, EveryRule) {
    const PriceCase cases[] = {
        {1, K::Agr, B::Bock, 1, 0, 0},          {2, K::Agr, B::Bock, 2, 0, 0},
        {2, K::Agr, B::Bock, 3, 0, 0},          {3, K::Agr, B::Copeland, 1, 0, 0},
        {4, K::Agr, B::Copeland, 2, 0, 0},      {5, K::Agr, B::Copeland, 3, 0, 0},
        {6, K::Agr, B::Bitzer, 1, 0, 0},        {7, K::Agr, B::Bitzer, 2, 0, 0},
        {40, K::Agr, B::Dwmcop, 1, 0, 0},       {39, K::Agr, B::Dwmcop, 2, 0, 0},
        {39, K::Agr, B::Dwmcop, 3, 0, 0},       {8, K::Mka, B::Bock, 1, 0, 0},
        {9, K::Mka, B::Bock, 2, 0, 0},          {9, K::Mka, B::Bock, 3, 0, 0},
        {10, K::Mka, B::Copeland, 1, 0, 0},     {11, K::Mka, B::Copeland, 2, 0, 0},
        {12, K::Mka, B::Copeland, 3, 0, 0},     {13, K::Mka, B::Bitzer, 1, 0, 0},
        {14, K::Mka, B::Bitzer, 2, 0, 0},       {42, K::Mka, B::Dwmcop, 1, 0, 0},
        {41, K::Mka, B::Dwmcop, 2, 0, 0},       {41, K::Mka, B::Dwmcop, 3, 0, 0},
        {15, K::Chiller, B::Bock, 3, 1, 0},     {16, K::Chiller, B::Copeland, 3, 1, 0},
        {43, K::Chiller, B::Copeland, 3, 4, 0}, {17, K::Chiller, B::Bock, 3, 1, 1},
        {18, K::Chiller, B::Copeland, 3, 2, 1}, {44, K::Chiller, B::Copeland, 3, 4, 1},
        {19, K::Chiller, B::Copeland, 3, 0, 2}, {20, K::Chiller, B::Copeland, 3, 0, 3},
        {28, K::Chiller, B::Copeland, 3, 0, 4}, {29, K::Chiller, B::Bock, 3, 0, 4},
        {30, K::Chiller, B::Dwmcop, 3, 0, 4},   {31, K::Chiller, B::Bitzer, 3, 0, 4},
        {32, K::Chiller, B::Copeland, 2, 0, 5}, {33, K::Chiller, B::Bock, 2, 0, 5},
        {34, K::Chiller, B::Dwmcop, 2, 0, 5},   {35, K::Chiller, B::Bitzer, 2, 0, 5},
        {36, K::Chiller, B::Copeland, 1, 0, 6}, {37, K::Chiller, B::Bock, 1, 0, 6},
        {38, K::Chiller, B::Dwmcop, 1, 0, 6},   {22, K::Out, B::Bock, 1, 0, 0},
        {21, K::Out, B::Bock, 2, 0, 0},         {24, K::Out, B::Copeland, 1, 0, 0},
        {23, K::Out, B::Copeland, 2, 0, 0},     {26, K::Out, B::Copeland, 3, 3, 0},
        {25, K::Out, B::Copeland, 3, 2, 0},     {25, K::Out, B::Copeland, 3, 1, 0},
        {27, K::Out, B::Copeland, 3, 4, 0},
    };
    for (const PriceCase& c : cases)
        EXPECT_EQ(priceFileNumber(choices(c.kind, c.brand, c.level, c.refrigerant, c.type)), c.n)
            << "expected file " << c.n;
}

TEST(PriceFileNumber, R410aChillersReplaceTheCopelandFile) {
    // The same ГЛЦО/ГЛЦУ Copeland choice names file 16/18 for other refrigerants.
    for (int r : {0, 1, 2, 3}) {
        EXPECT_EQ(priceFileNumber(choices(K::Chiller, B::Copeland, 3, r, 0)), 16);
        EXPECT_EQ(priceFileNumber(choices(K::Chiller, B::Copeland, 3, r, 1)), 18);
    }
    // Bock has no R410a file of its own.
    EXPECT_EQ(priceFileNumber(choices(K::Chiller, B::Bock, 3, 4, 0)), 15);
}

TEST(PriceFileNumber, NoMatchGivesZero) {
    // R404a/R507 for high-level Copeland condensing units has no file.
    EXPECT_EQ(priceFileNumber(choices(K::Out, B::Copeland, 3, 0)), 0);
    EXPECT_EQ(priceFileNumber(choices(K::Out, B::Bock, 3, 1)), 0);
    EXPECT_EQ(priceFileNumber(choices(K::Out, B::Bitzer, 1, 1)), 0);
    EXPECT_EQ(priceFileNumber(choices(K::Agr, B::Bitzer, 3, 1)), 0);
    // The separate ГЛЦУ button selects no price file.
    EXPECT_EQ(priceFileNumber(choices(K::GlcuButton, B::Copeland, 3, 1)), 0);
    EXPECT_EQ(priceFileNumber(choices(K::Chiller, B::Copeland, 1, 1, 0)), 0);
    EXPECT_EQ(priceFileNumber(choices(K::Chiller, B::Bitzer, 1, 1, 6)), 0);
    EXPECT_EQ(priceFileNumber(choices(K::Agr, B::None, 1, 1)), 0);
    EXPECT_EQ(priceFileNumber(choices(K::Agr, B::Bock, 0, 1)), 0);
}

}  // namespace
}  // namespace tundrix
