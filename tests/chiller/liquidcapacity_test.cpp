// The chilled-liquid calculation as the dialog and the command line use it.
#include <gtest/gtest.h>

#include "chiller/liquidcapacity.h"

namespace tundrix {
namespace {

LiquidInputs water(std::string flow, int flowType = 0, int unit = 0) {
    LiquidInputs in;
    in.flow = std::move(flow);
    in.flowType = flowType;
    in.flowUnit = unit;
    return in;
}

LiquidInputs ethylene(std::string concentration, std::string outlet = "15") {
    LiquidInputs in;
    in.liquid = int(Liquid::EthyleneGlycol);
    in.concentration = std::move(concentration);
    in.outlet = std::move(outlet);
    in.flow = "1";
    return in;
}

TEST(LiquidCapacity, WaterFromTwentyToFifteenAtOneKilogramPerSecondIs21kW) {
    const auto r = calculateCapacity(water("1"), ExchangerChoice{}, '.');
    ASSERT_TRUE(r);
    EXPECT_DOUBLE_EQ(r->capacity, 21.0);
    EXPECT_EQ(r->capacityText, "21");
    EXPECT_FALSE(r->freezingWarning);
    EXPECT_EQ(r->properties.density, 1000.0);
    EXPECT_EQ(r->properties.specificHeat, 4.2);
    EXPECT_EQ(r->properties.freezingPoint, 0.0);
}

TEST(LiquidCapacity, EveryFlowUnitOfTheSameWaterFlowGivesTheSameCapacity) {
    const ExchangerChoice x;
    struct Case {
        const char* flow;
        int type, unit;
    };
    // 1 kg/s of water in each unit.
    for (const Case c : {Case{"1", 0, 0}, Case{"3600", 0, 1}, Case{"1", 1, 0}, Case{"3600", 1, 1},
                         Case{"3.6", 1, 2}}) {
        SCOPED_TRACE(testing::Message() << c.flow << " type " << c.type << " unit " << c.unit);
        const auto r = calculateCapacity(water(c.flow, c.type, c.unit), x, '.');
        ASSERT_TRUE(r);
        EXPECT_NEAR(r->massFlow, 1.0, 1e-12);
        EXPECT_EQ(r->capacityText, "21");
    }
}

TEST(LiquidCapacity, VolumeFlowOfAGlycolWeighsALitreAsOneKilogramTimesThousandOverDensity) {
    LiquidInputs in = ethylene("30");
    in.flowType = int(FlowType::Volume);
    in.flowUnit = 0;  // l/s
    const auto r = calculateCapacity(in, ExchangerChoice{}, '.');
    ASSERT_TRUE(r);
    EXPECT_NEAR(r->massFlow, 1000.0 / 1054.0, 1e-9);
    EXPECT_NEAR(r->capacity, 3.669 * 1000.0 / 1054.0 * 5.0, 1e-9);
}

TEST(LiquidCapacity, GlycolPropertiesAreTheTableValuesAtTheGridConcentrations) {
    const LiquidProperties e30 = glycolProperties(glycolTable(Liquid::EthyleneGlycol), 30.0);
    EXPECT_NEAR(e30.specificHeat, 3.669, 1e-12);
    EXPECT_NEAR(e30.density, 1054.0, 1e-9);
    EXPECT_NEAR(e30.freezingPoint, -15.8, 1e-12);
    EXPECT_NEAR(glycolProperties(glycolTable(Liquid::EthyleneGlycol), 35.0).freezingPoint, -19.6,
                1e-12);
    const LiquidProperties p50 = glycolProperties(glycolTable(Liquid::PropyleneGlycol), 50.0);
    EXPECT_NEAR(p50.freezingPoint, -34.0, 1e-12);
    EXPECT_NEAR(p50.density, 1065.0, 1e-9);
    EXPECT_NEAR(p50.specificHeat, 3.527, 1e-12);
    const LiquidProperties p0 = glycolProperties(glycolTable(Liquid::PropyleneGlycol), 0.0);
    EXPECT_NEAR(p0.specificHeat, 4.2, 1e-12);
}

TEST(LiquidCapacity, GlycolPropertiesBetweenGridPointsLieBetweenTheirNeighbours) {
    const LiquidProperties e = glycolProperties(glycolTable(Liquid::EthyleneGlycol), 32.5);
    EXPECT_LT(e.freezingPoint, -15.8);
    EXPECT_GT(e.freezingPoint, -19.6);
    EXPECT_GT(e.density, 1054.0);
    EXPECT_LT(e.density, 1062.0);
    const LiquidProperties p = glycolProperties(glycolTable(Liquid::PropyleneGlycol), 12.0);
    EXPECT_LT(p.specificHeat, 4.134);
    EXPECT_GT(p.specificHeat, 4.085);
}

TEST(LiquidCapacity, ThePropyleneTablesAreUsedForPropyleneGlycol) {
    LiquidInputs in = ethylene("30");
    in.liquid = int(Liquid::PropyleneGlycol);
    const auto r = calculateCapacity(in, ExchangerChoice{}, '.');
    ASSERT_TRUE(r);
    EXPECT_NEAR(r->properties.specificHeat, 3.894, 1e-12);
    EXPECT_NEAR(r->capacity, 3.894 * 5.0, 1e-12);
}

TEST(FreezingWarning, ExchangerDifferenceStartsAtZeroAndKeepsItsLastSetting) {
    // Ethylene glycol 30 % freezes at -15.8 degC; the liquid leaves at -12 degC.
    const LiquidInputs in = ethylene("30", "-12");
    ExchangerChoice x;
    EXPECT_EQ(x.index(), kExchangerAll);
    EXPECT_EQ(x.temperatureDifference(), 0.0);
    EXPECT_FALSE(calculateCapacity(in, x, '.')->freezingWarning);  // -12 - 0 > -15.8

    x.choose(0);  // "Пластинчатый"
    EXPECT_EQ(x.temperatureDifference(), 5.0);
    EXPECT_TRUE(calculateCapacity(in, x, '.')->freezingWarning);  // -17 < -15.8

    x.choose(kExchangerAll);  // "Все" keeps 5 K
    EXPECT_EQ(x.index(), kExchangerAll);
    EXPECT_EQ(x.temperatureDifference(), 5.0);
    EXPECT_TRUE(calculateCapacity(in, x, '.')->freezingWarning);
}

TEST(FreezingWarning, WaterWarnsBelowZeroOnly) {
    ExchangerChoice x;
    x.choose(1);  // "Кожухотрубный"
    LiquidInputs in = water("1");
    in.outlet = "5";
    EXPECT_FALSE(calculateCapacity(in, x, '.')->freezingWarning);  // exactly 0 is not below
    in.outlet = "4.9";
    EXPECT_TRUE(calculateCapacity(in, x, '.')->freezingWarning);
}

TEST(Concentration, OutsideZeroToFiftyIsReplacedByFifty) {
    for (const char* c : {"60", "-5", "50.5"}) {
        SCOPED_TRACE(c);
        const auto r = calculateCapacity(ethylene(c), ExchangerChoice{}, '.');
        ASSERT_TRUE(r);
        ASSERT_TRUE(r->replacedConcentration);
        EXPECT_EQ(*r->replacedConcentration, "50");
        EXPECT_NEAR(r->properties.specificHeat, 3.183, 1e-12);
        EXPECT_NEAR(r->properties.freezingPoint, -38.3, 1e-12);
    }
    for (const char* c : {"50", "0", "12"}) {
        SCOPED_TRACE(c);
        EXPECT_FALSE(calculateCapacity(ethylene(c), ExchangerChoice{}, '.')->replacedConcentration);
    }
}

TEST(Concentration, TextThatIsNotANumberCountsAsZeroPerCent) {
    const auto r = calculateCapacity(ethylene("abc"), ExchangerChoice{}, '.');
    ASSERT_TRUE(r);
    EXPECT_FALSE(r->replacedConcentration);
    EXPECT_NEAR(r->properties.specificHeat, 4.2, 1e-12);
}

TEST(LiquidCapacity, InletColderThanOutletGivesANegativeCapacity) {
    LiquidInputs in = water("1");
    in.inlet = "10";
    const auto r = calculateCapacity(in, ExchangerChoice{}, '.');
    ASSERT_TRUE(r);
    EXPECT_EQ(r->capacityText, "-21");
}

TEST(LiquidCapacity, NumbersUseTheGivenDecimalSeparator) {
    LiquidInputs in = water("2,5");
    const auto comma = calculateCapacity(in, ExchangerChoice{}, ',');
    ASSERT_TRUE(comma);
    EXPECT_EQ(comma->capacityText, "52,5");
    // With '.' as separator "2,5" is no number and counts as 0.
    const auto point = calculateCapacity(in, ExchangerChoice{}, '.');
    ASSERT_TRUE(point);
    EXPECT_EQ(point->capacityText, "0");
}

TEST(LiquidCapacity, ATextThatIsNotANumberCountsAsZero) {
    LiquidInputs in = water("много");
    EXPECT_EQ(calculateCapacity(in, ExchangerChoice{}, '.')->capacity, 0.0);
    in = water("1");
    in.outlet = "x";  // 20 - 0
    EXPECT_DOUBLE_EQ(calculateCapacity(in, ExchangerChoice{}, '.')->capacity, 84.0);
}

TEST(MissingData, EmptyTemperaturesOrFlowOrUnchosenSelectorsGiveNoResult) {
    const ExchangerChoice x;
    LiquidInputs in = water("1");
    ASSERT_TRUE(calculateCapacity(in, x, '.'));
    auto without = [&](auto change) {
        LiquidInputs copy = in;
        change(copy);
        return calculateCapacity(copy, x, '.').has_value();
    };
    EXPECT_FALSE(without([](LiquidInputs& i) { i.inlet.clear(); }));
    EXPECT_FALSE(without([](LiquidInputs& i) { i.outlet.clear(); }));
    EXPECT_FALSE(without([](LiquidInputs& i) { i.flow.clear(); }));
    EXPECT_FALSE(without([](LiquidInputs& i) { i.liquid = -1; }));
    EXPECT_FALSE(without([](LiquidInputs& i) { i.flowUnit = -1; }));
    EXPECT_FALSE(without([](LiquidInputs& i) { i.flowType = -1; }));
    EXPECT_FALSE(without([](LiquidInputs& i) { i.flowUnit = 2; }));  // mass flow has two units
    EXPECT_TRUE(without([](LiquidInputs& i) { i.inlet = " "; }));    // not empty: counts as 0
    EXPECT_EQ(kMissingDataMessage, "Введите пожалуйста все данные");
}

TEST(Summary, TextsOfTheChillerTab) {
    LiquidInputs in = ethylene("30");
    in.flow = "2,5";
    in.flowType = int(FlowType::Volume);
    in.flowUnit = 2;
    in.exchanger = 0;
    const LiquidSummary s = summarize(in, "12,3");
    EXPECT_EQ(s.requiredCapacity, "12,3");
    EXPECT_EQ(s.outletTemperature, "15");
    EXPECT_EQ(s.liquid, "Этиленгликоль 30%");
    EXPECT_EQ(s.flow, "2,5 куб.м/ч");
    EXPECT_EQ(s.inletTemperature, "20 °C");
    EXPECT_EQ(s.exchanger, "Пластинчатый");
    EXPECT_EQ(s.outletUnit, "°C");

    const LiquidSummary w = summarize(water(""), "");
    EXPECT_EQ(w.liquid, "Вода");
    EXPECT_EQ(w.flow, "не указан");
    EXPECT_EQ(w.exchanger, "Все");
}

TEST(FlowUnits, EachTypeListsItsUnitsInOrder) {
    EXPECT_EQ(flowUnitNames(FlowType::Mass), (std::vector<std::string_view>{"кг/сек", "кг/ч"}));
    EXPECT_EQ(flowUnitNames(FlowType::Volume),
              (std::vector<std::string_view>{"л/сек", "л/час", "куб.м/ч"}));
    EXPECT_FALSE(massFlow(1.0, FlowType::Volume, 3, 1000.0));
}

}  // namespace
}  // namespace tundrix
