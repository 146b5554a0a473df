#include "selection/numbers.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace tundrix {
namespace {

TEST(TypedNumbers, ReadWithTheLocaleSeparator) {
    EXPECT_EQ(parseNumber("12,5", ','), 12.5);
    EXPECT_EQ(parseNumber("12.5", '.'), 12.5);
    EXPECT_EQ(parseNumber("-25", ','), -25.0);
    EXPECT_EQ(parseNumber("+7", '.'), 7.0);
    EXPECT_EQ(parseNumber("  3,25 ", ','), 3.25);
    EXPECT_EQ(parseNumber("5,", ','), 5.0);
    EXPECT_EQ(parseNumber(",5", ','), 0.5);
    EXPECT_EQ(parseNumber("1,5e3", ','), 1500.0);
    EXPECT_EQ(parseNumber("2E-2", '.'), 0.02);
    EXPECT_EQ(parseNumber("1e+2", '.'), 100.0);
}

TEST(TypedNumbers, TextThatIsNotANumber) {
    for (const char* t : {"", " ", "-", "+", ",", "abc", "12,5", "1.2.3", "1e", "e5", "1 2",
                          "12кВт", "--1", "1e5.5", "0x10", "inf", "nan", "1e999"})
        EXPECT_FALSE(parseNumber(t, '.').has_value()) << t;
    EXPECT_FALSE(parseNumber("12.5", ',').has_value());
    EXPECT_FALSE(parseNumber("1,2,3", ',').has_value());
}

TEST(TypedNumbers, DefaultsStandInForNonNumbers) {
    EXPECT_EQ(readNumber("десять", ',', 10.0), 10.0);
    EXPECT_EQ(readNumber("", ',', 0.0), 0.0);
    EXPECT_EQ(readNumber("4,5", ',', 10.0), 4.5);
    EXPECT_EQ(readInteger(" 3 ", 1), 3);
    EXPECT_EQ(readInteger("-2", 1), -2);
    EXPECT_EQ(readInteger("2,5", 1), 1);
    EXPECT_EQ(readInteger("", 1), 1);
    EXPECT_EQ(readInteger("99999999999", 1), 1);
}

TEST(ShownNumbers, RoundedToHundredthsHalvesToEven) {
    EXPECT_EQ(fmt(12.5, ','), "12,5");
    EXPECT_EQ(fmt(12.5, '.'), "12.5");
    EXPECT_EQ(fmt(12.0, ','), "12");
    EXPECT_EQ(fmt(3.14159, ','), "3,14");
    EXPECT_EQ(fmt(0.125, '.'), "0.12");  // 12.5 hundredths go to the even 12
    EXPECT_EQ(fmt(0.375, '.'), "0.38");  // 37.5 hundredths go to 38
    EXPECT_EQ(fmt(2.675, '.'), "2.67");  // stored just below 2.675
    EXPECT_EQ(fmt(1.005, '.'), "1");     // stored just below 1.005
    EXPECT_EQ(fmt(1.145, '.'), "1.15");  // stored just above 1.145
    EXPECT_EQ(fmt(-1.006, ','), "-1,01");
    EXPECT_EQ(fmt(-0.001, ','), "0");
    EXPECT_EQ(fmt(1234567.891, ','), "1234567,89");  // no digit grouping
    EXPECT_EQ(fmt(100.0, '.'), "100");
}

TEST(ShownNumbers, NonFiniteValuesShowNothing) {
    EXPECT_EQ(fmt(std::numeric_limits<double>::quiet_NaN(), ','), "");
    EXPECT_EQ(fmt(std::numeric_limits<double>::infinity(), ','), "");
    EXPECT_EQ(formatGeneral(-std::numeric_limits<double>::infinity(), ','), "");
}

TEST(ShownNumbers, GeneralFormKeepsFifteenDigits) {
    EXPECT_EQ(formatGeneral(1.0 / 3.0, ','), "0,333333333333333");
    EXPECT_EQ(formatGeneral(0.1 + 0.2, '.'), "0.3");
    EXPECT_EQ(formatGeneral(1250.5, ','), "1250,5");
    EXPECT_EQ(formatGeneral(45.0, ','), "45");
    EXPECT_EQ(formatGeneral(-0.0, ','), "0");
    // What is shown reads back as the same number.
    for (const double v : {12.5, -25.0, 1.0 / 7.0, 123456.789})
        EXPECT_NEAR(*parseNumber(formatGeneral(v, ','), ','), v, std::fabs(v) * 1e-14);
}

}  // namespace
}  // namespace tundrix
