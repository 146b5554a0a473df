// File names of the catalogue and the text rules of the unit list cells.
#include <gtest/gtest.h>

#include "catalogue/filenames.h"
#include "catalogue/unitlistparse.h"

namespace tundrix {
namespace {

TEST(UnitListNames, KindBrandLevelRefrigerant) {
    EXPECT_EQ(agrfilename(UnitKind::Out, 1, 1, 0), "outbocklow404a.dat");
    EXPECT_EQ(agrfilename(UnitKind::Mka, 2, 2, 1), "mkamiddle22.dat");
    EXPECT_EQ(agrfilename(chillerKind(5), 3, 4, 3), "oscophigh134a.dat");
    EXPECT_EQ(agrfilename(UnitKind::Agr, 2, 3, 2), "agrbitzermiddle407c.dat");
    EXPECT_EQ(agrfilename(UnitKind::Glco, 1, 3, 4), "glcobitzerlow410a.dat");
}

TEST(UnitListNames, CopelandScrollHasNoBrandPart) {
    EXPECT_EQ(agrfilename(UnitKind::Out, 1, 2, 0), "outlow404a.dat");
    EXPECT_EQ(agrfilename(UnitKind::Out, 2, 2, 0), "outmiddle404a.dat");
    EXPECT_EQ(agrfilename(UnitKind::Out, 3, 2, 0), "outhigh404a.dat");
}

TEST(UnitListNames, ChillerTypesInSelectorOrder) {
    const char* expected[] = {"glco", "glcu", "glcr", "glck", "ov", "os", "on"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(kindPrefix(chillerKind(i)), expected[i]);
        EXPECT_TRUE(isChiller(chillerKind(i)));
    }
    EXPECT_EQ(chillerKind(7), UnitKind::None);
    EXPECT_EQ(chillerKind(-1), UnitKind::None);
    EXPECT_FALSE(isChiller(UnitKind::Mka));
    EXPECT_EQ(agrfilename(UnitKind::None, 1, 1, 0), "bocklow404a.dat");
}

TEST(PerformanceFileNames, BrandFilesForEveryLevelAndRefrigerant) {
    for (int r = 0; r < 5; ++r)
        for (int l = 1; l <= 3; ++l) {
            EXPECT_EQ(coeffilename(l, 1, r), "bock.dat");
            EXPECT_EQ(coeffilename(l, 3, r), "bitzer.dat");
            EXPECT_EQ(coeffilename(l, 4, r), "dwmcopeland.dat");
            EXPECT_EQ(listfilename(l, 1, r), "no");
            EXPECT_EQ(listfilename(l, 4, r), "no");
        }
}

TEST(PerformanceFileNames, CopelandScrollPairsByRefrigerantAndLevel) {
    EXPECT_EQ(coeffilename(1, 2, 0), "masszf.dat");
    EXPECT_EQ(listfilename(1, 2, 0), "catalzf.dat");
    EXPECT_EQ(coeffilename(2, 2, 0), "mass.dat");
    EXPECT_EQ(listfilename(2, 2, 0), "catal.dat");
    EXPECT_EQ(coeffilename(3, 2, 0), "no");
    EXPECT_EQ(listfilename(3, 2, 1), "catalzr22.dat");
    EXPECT_EQ(coeffilename(1, 2, 2), "no");
    EXPECT_EQ(coeffilename(2, 2, 2), "masszb407c.dat");
    EXPECT_EQ(listfilename(1, 2, 3), "catalzf134a.dat");
    EXPECT_EQ(coeffilename(1, 2, 4), "no");
    EXPECT_EQ(coeffilename(2, 2, 4), "no");
    EXPECT_EQ(coeffilename(3, 2, 4), "masszp410a.dat");
    EXPECT_EQ(listfilename(3, 2, 4), "catalzp410a.dat");
    EXPECT_EQ(coeffilename(4, 2, 0), "no");
    EXPECT_EQ(coeffilename(1, 5, 0), "no");
}

TEST(CellIntegers, PlainDecimalWithOptionalMinusOnly) {
    EXPECT_EQ(parseCellInteger("12"), 12);
    EXPECT_EQ(parseCellInteger("-3"), -3);
    EXPECT_EQ(parseCellInteger("007"), 7);
    EXPECT_EQ(parseCellInteger("-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(parseCellInteger(""));
    EXPECT_FALSE(parseCellInteger("-"));
    EXPECT_FALSE(parseCellInteger(" 3"));
    EXPECT_FALSE(parseCellInteger("3 "));
    EXPECT_FALSE(parseCellInteger("+3"));
    EXPECT_FALSE(parseCellInteger("3.0"));
    EXPECT_FALSE(parseCellInteger("0x10"));
    EXPECT_FALSE(parseCellInteger("2147483648"));
    EXPECT_FALSE(parseCellInteger("99999999999999999999"));
}

TEST(CompressorCells, TwoGroupsSplitAtThePlus) {
    const auto c = parseCompressorCells("3+5", "2+1");
    EXPECT_EQ(c.indcompr, 3);
    EXPECT_EQ(c.indcompr2, 5);
    EXPECT_EQ(c.ncompressor, 2);
    EXPECT_EQ(c.ncompressor2, 1);
}

TEST(CompressorCells, OneGroupWithoutPlus) {
    auto c = parseCompressorCells("3", "");
    EXPECT_EQ(c.indcompr, 3);
    EXPECT_EQ(c.indcompr2, 0);
    EXPECT_EQ(c.ncompressor, 1);  // an empty count means one compressor
    EXPECT_EQ(c.ncompressor2, 0);
    c = parseCompressorCells("x", "4");
    EXPECT_EQ(c.indcompr, 0);
    EXPECT_EQ(c.ncompressor, 4);
    c = parseCompressorCells("7", "2+1");  // a "+" only in the count: the cell is not a number
    EXPECT_EQ(c.ncompressor, 1);
    EXPECT_EQ(c.ncompressor2, 0);
}

TEST(CompressorCells, InvalidPartsOfTheSplitCountZero) {
    auto c = parseCompressorCells("3+", "x+2");
    EXPECT_EQ(c.indcompr, 3);
    EXPECT_EQ(c.indcompr2, 0);
    EXPECT_EQ(c.ncompressor, 0);
    EXPECT_EQ(c.ncompressor2, 2);
    c = parseCompressorCells("1+2+3", "2");
    EXPECT_EQ(c.indcompr, 1);
    EXPECT_EQ(c.indcompr2, 0);  // "2+3" is not an integer
    EXPECT_EQ(c.ncompressor, 2);
}

TEST(CondenserCount, EmptyMeansOneAndZeroMeansNone) {
    EXPECT_EQ(parseCondenserCount(""), 1);
    EXPECT_EQ(parseCondenserCount("0"), 0);
    EXPECT_EQ(parseCondenserCount("2"), 2);
    EXPECT_EQ(parseCondenserCount("два"), 1);
}

TEST(RackTotal, SumOfBothPartsOrTheWholeCell) {
    EXPECT_EQ(rackCompressorTotal("2+2"), 4);
    EXPECT_EQ(rackCompressorTotal("3"), 3);
    EXPECT_EQ(rackCompressorTotal("3+x"), 3);
    EXPECT_EQ(rackCompressorTotal(""), 0);
    EXPECT_EQ(rackCompressorTotal("4 "), 0);
}

TEST(ExchangerLetters, LatinAndCyrillicPairs) {
    EXPECT_TRUE(endsInExchangerLetter("ГЛЦО-20В"));  // Cyrillic В
    EXPECT_TRUE(endsInExchangerLetter("GLCO-20B"));  // Latin B
    EXPECT_TRUE(endsInExchangerLetter("ОВ-5К"));
    EXPECT_TRUE(endsInExchangerLetter("ОВ-5K"));
    EXPECT_TRUE(endsInExchangerLetter("ОВ-5М"));
    EXPECT_TRUE(endsInExchangerLetter("ОВ-5M"));
    EXPECT_FALSE(endsInExchangerLetter("ГЛЦО-20"));
    EXPECT_FALSE(endsInExchangerLetter("ГЛЦО-20в"));  // lower case is another letter
    EXPECT_FALSE(endsInExchangerLetter(""));
    EXPECT_EQ(lastCharacter("abВ"), "В");
    EXPECT_EQ(lastCharacter("\x80"), "\x80");
}

}  // namespace
}  // namespace tundrix
