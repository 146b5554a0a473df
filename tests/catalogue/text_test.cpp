// Windows-1251 text of the catalogue files and its fixed-width, length-prefixed fields.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "catalogue/cp1251.h"
#include "catalogue/storedtext.h"

namespace tundrix {
namespace {

TEST(Cp1251, CyrillicAndAsciiBothWays) {
    const std::string utf8 = "Агрегат ОВ-12 ёЁ №5 €";
    const std::string bytes = utf8ToCp1251(utf8);
    EXPECT_EQ(bytes.size(), utf8Length(utf8));
    EXPECT_EQ(std::uint8_t(bytes[0]), 0xC0);      // А
    EXPECT_EQ(std::uint8_t(bytes.back()), 0x88);  // €
    EXPECT_EQ(cp1251ToUtf8(bytes), utf8);
}

TEST(Cp1251, EveryAssignedByteRoundTrips) {
    for (int b = 1; b < 256; ++b) {
        if (b == 0x98)
            continue;
        const std::string one(1, char(b));
        bool lossy = true;
        EXPECT_EQ(utf8ToCp1251(cp1251ToUtf8(one), &lossy), one) << b;
        EXPECT_FALSE(lossy);
    }
}

TEST(Cp1251, UnassignedByteDecodesToReplacementCharacter) {
    EXPECT_EQ(cp1251ToUtf8(std::string(1, char(0x98))), "\xEF\xBF\xBD");
    bool lossy = false;
    EXPECT_EQ(utf8ToCp1251("\xEF\xBF\xBD", &lossy), "?");
    EXPECT_TRUE(lossy);
}

TEST(Cp1251, UnrepresentableCharactersBecomeQuestionMarks) {
    bool lossy = false;
    EXPECT_EQ(utf8ToCp1251("a\xE4\xB8\xAD"
                           "b",
                           &lossy),
              "a?b");  // a CJK character
    EXPECT_TRUE(lossy);
    EXPECT_EQ(utf8ToCp1251("x\xFFy", &lossy), "x?y");  // invalid UTF-8
    EXPECT_TRUE(lossy);
    utf8ToCp1251("Ток, А", &lossy);
    EXPECT_FALSE(lossy);
}

TEST(StoredText, ShortTextHoldsFiftyCharacters) {
    std::array<std::uint8_t, kShortText> field{};
    field.fill(0xEE);
    EXPECT_TRUE(writeStoredText(field.data(), field.size(), "Компрессор"));
    EXPECT_EQ(field[0], 10);
    EXPECT_EQ(field[11], 0);  // the rest of the field is cleared
    EXPECT_EQ(readStoredText(field.data(), field.size()), "Компрессор");

    const std::string sixty(60, 'x');
    EXPECT_FALSE(writeStoredText(field.data(), field.size(), sixty));  // cut
    EXPECT_EQ(field[0], 50);
    EXPECT_EQ(readStoredText(field.data(), field.size()), std::string(50, 'x'));
}

TEST(StoredText, LengthByteLargerThanTheFieldIsClamped) {
    std::array<std::uint8_t, kShortText + 10> buf{};
    buf.fill('q');
    buf[0] = 255;
    EXPECT_EQ(readStoredText(buf.data(), kShortText), std::string(50, 'q'));

    std::array<std::uint8_t, kLongText> longField{};
    longField.fill('w');
    longField[0] = 200;
    EXPECT_EQ(readStoredText(longField.data(), kLongText), std::string(100, 'w'));
}

TEST(StoredText, EmptyTextHasLengthZero) {
    std::array<std::uint8_t, kShortText> field{};
    field.fill('z');
    EXPECT_TRUE(writeStoredText(field.data(), field.size(), ""));
    EXPECT_EQ(field[0], 0);
    EXPECT_EQ(readStoredText(field.data(), field.size()), "");
}

}  // namespace
}  // namespace tundrix
