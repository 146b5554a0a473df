// Whether a loaded unit can be computed: every index it carries must lead inside its data.
#include <gtest/gtest.h>

#include <memory>

#include "catalogue/agregat.h"

namespace tundrix {
namespace {

class UnitDataCheck : public ::testing::Test {
  protected:
    UnitDataCheck() : a(std::make_unique<agregat>()) {
        list.setCount(10);
        for (int k = 1; k <= 10; ++k)
            list.setPosition(k, 10 * k);
        a->count = 2;
        // Unit 1: Copeland Scroll (table method); unit 2: brand table.
        a->method[1] = false;
        a->p1[1] = {&table, nullptr};
        a->p2[1] = &list;
        a->indcompr[1] = 3;
        a->ncompressor[1] = 1;
        a->method[2] = true;
        a->p1[2] = {nullptr, &coef};
        a->indcompr[2] = 150;
        a->ncompressor[2] = 2;
    }
    GridImage table;
    CoefImage coef;
    Comprprop list;
    std::unique_ptr<agregat> a;
};

TEST_F(UnitDataCheck, LoadedUnitsWithDataAreComputable) {
    EXPECT_TRUE(a->computable(1, 0));
    EXPECT_TRUE(a->computable(2, 3));
    EXPECT_TRUE(a->computable(1, 4));  // tables exist for R410A
}

TEST_F(UnitDataCheck, UnitNumberMustBeLoaded) {
    EXPECT_EQ(a->dataCheck(0, 0), UnitData::NoUnit);
    EXPECT_EQ(a->dataCheck(3, 0), UnitData::NoUnit);
    a->count = 5000;
    EXPECT_EQ(a->dataCheck(1, 0), UnitData::NoUnit);
}

TEST_F(UnitDataCheck, PerformanceDataNeverLoaded) {
    a->p1[1] = {};
    EXPECT_EQ(a->dataCheck(1, 0), UnitData::NoPerformanceData);
    a->p1[1] = {nullptr, &coef};  // a table unit needs a table image
    EXPECT_EQ(a->dataCheck(1, 0), UnitData::NoPerformanceData);
    a->p1[2] = {&table, nullptr};
    EXPECT_EQ(a->dataCheck(2, 0), UnitData::NoPerformanceData);
    a->p1[1] = {&table, nullptr};
    a->p2[1] = nullptr;
    EXPECT_EQ(a->dataCheck(1, 0), UnitData::NoCompressorList);
}

TEST_F(UnitDataCheck, CompressorIndicesWithinListOrRecords) {
    a->indcompr[1] = 101;
    EXPECT_EQ(a->dataCheck(1, 0), UnitData::CompressorOutOfRange);
    a->indcompr[1] = 0;
    EXPECT_EQ(a->dataCheck(1, 0), UnitData::CompressorOutOfRange);
    a->indcompr[1] = 100;
    list.setPosition(100, 5);
    EXPECT_TRUE(a->computable(1, 0));
    a->indcompr[2] = 151;
    EXPECT_EQ(a->dataCheck(2, 0), UnitData::CompressorOutOfRange);
    a->indcompr[2] = -1;
    EXPECT_EQ(a->dataCheck(2, 0), UnitData::CompressorOutOfRange);
}

TEST_F(UnitDataCheck, SecondGroupCheckedOnlyWhenPresent) {
    a->indcompr2[1] = 500;
    EXPECT_TRUE(a->computable(1, 0));
    a->ncompressor2[1] = 1;
    EXPECT_EQ(a->dataCheck(1, 0), UnitData::CompressorOutOfRange);
    a->indcompr2[1] = 4;
    EXPECT_TRUE(a->computable(1, 0));
    a->indcompr2[2] = 0;
    a->ncompressor2[2] = 1;
    EXPECT_EQ(a->dataCheck(2, 1), UnitData::CompressorOutOfRange);
}

TEST_F(UnitDataCheck, TablePositionInsideTheImage) {
    list.setPosition(3, 0);
    EXPECT_EQ(a->dataCheck(1, 0), UnitData::PositionOutOfRange);
    list.setPosition(3, 500);
    EXPECT_EQ(a->dataCheck(1, 0), UnitData::PositionOutOfRange);
    list.setPosition(3, 499);
    EXPECT_TRUE(a->computable(1, 0));
    a->ncompressor2[1] = 1;
    a->indcompr2[1] = 2;
    list.setPosition(2, -7);
    EXPECT_EQ(a->dataCheck(1, 0), UnitData::PositionOutOfRange);
}

TEST_F(UnitDataCheck, DamagedListCount) {
    list.setCount(101);
    EXPECT_EQ(a->dataCheck(1, 0), UnitData::ListCountOutOfRange);
    list.setCount(-1);
    EXPECT_EQ(a->dataCheck(1, 0), UnitData::ListCountOutOfRange);
}

TEST_F(UnitDataCheck, CondenserIndexWithinTheList) {
    a->indconder[1] = 100;
    EXPECT_TRUE(a->computable(1, 0));
    a->indconder[1] = 101;
    EXPECT_EQ(a->dataCheck(1, 0), UnitData::CondenserOutOfRange);
    a->indconder[2] = -1;
    EXPECT_EQ(a->dataCheck(2, 0), UnitData::CondenserOutOfRange);
}

TEST_F(UnitDataCheck, CoefficientFilesHaveNoR410ASection) {
    EXPECT_EQ(a->dataCheck(2, 4), UnitData::NoRefrigerantSection);
    EXPECT_EQ(a->dataCheck(2, -1), UnitData::NoRefrigerantSection);
}

TEST(AgregatEnvelope, VerticesInXYOrder) {
    auto a = std::make_unique<agregat>();
    std::array<double, 12> e{};
    for (int i = 0; i < 12; ++i)
        e[std::size_t(i)] = i * 1.5;
    a->setEnvelope(1000, e);
    EXPECT_EQ(a->xlim[0][1000], 0.0);
    EXPECT_EQ(a->ylim[0][1000], 1.5);
    EXPECT_EQ(a->xlim[5][1000], 15.0);
    EXPECT_EQ(a->ylim[5][1000], 16.5);
    EXPECT_EQ(a->envelope(1000), e);
    a->setEnvelope(1001, e);  // out of range: ignored
    EXPECT_EQ(a->envelope(1001), (std::array<double, 12>{}));
}

}  // namespace
}  // namespace tundrix
