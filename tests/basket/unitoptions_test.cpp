// The option flags as the options window changes them.
#include <gtest/gtest.h>

#include <memory>

#include "basket/unitoptions.h"

namespace tundrix {
namespace {

// Six loaded units: 1-3 level 2 brand 1, 4 level 2 brand 3, 5 level 1 brand 1, 6 level 2 brand 1.
// Every unit offers three options.
std::unique_ptr<agregat> loaded() {
    auto a = std::make_unique<agregat>();
    a->count = 6;
    const int layers[] = {0, 2, 2, 2, 2, 1, 2};
    const int brands[] = {0, 1, 1, 1, 3, 1, 1};
    for (int k = 1; k <= 6; ++k) {
        a->layer[std::size_t(k)] = layers[k];
        a->agrtype[std::size_t(k)] = brands[k];
        auto& o = a->optionagr[std::size_t(k)];
        o.name[1] = "Подогрев картера";
        o.name[2] = "Зимний пуск";
        o.name[3] = "Реле давления";
        o.price[1] = "120";
        o.price[2] = "300";
        o.price[3] = "45.5";
    }
    return a;
}

bool flag(const agregat& a, int unit, int option) {
    return a.optionagr[std::size_t(unit)].flag[std::size_t(option)];
}

TEST(OptionLines, NamesUpToTheFirstEmptyOneWithTheirFlags) {
    auto a = loaded();
    a->optionagr[1].name[5] = "после пропуска";  // not listed: option 4 has no name
    a->optionagr[1].flag[2] = true;
    const auto lines = optionLines(*a, 1);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].name, "Подогрев картера");
    EXPECT_FALSE(lines[0].ticked);
    EXPECT_TRUE(lines[1].ticked);
    EXPECT_TRUE(optionLines(*a, 0).empty());
    EXPECT_TRUE(optionLines(*a, 1001).empty());
}

TEST(OptionTicks, TickingOneUnitsOptionTicksItsWholeFamily) {
    auto a = loaded();
    applyOptionTicks(*a, 2, {false, true, false});
    for (int k : {1, 2, 3, 6})
        EXPECT_TRUE(flag(*a, k, 2)) << "unit " << k;
    EXPECT_FALSE(flag(*a, 4, 2));  // another brand
    EXPECT_FALSE(flag(*a, 5, 2));  // another level
    EXPECT_FALSE(flag(*a, 1, 1));
    EXPECT_FALSE(flag(*a, 1, 3));
}

TEST(OptionTicks, UntickingClearsTheFamilyAndOptionsBeyondTheLinesKeepTheirFlags) {
    auto a = loaded();
    for (int k = 1; k <= 6; ++k) {
        a->optionagr[std::size_t(k)].flag[1] = true;
        a->optionagr[std::size_t(k)].flag[3] = true;
    }
    applyOptionTicks(*a, 6, {false, false});  // two lines shown
    for (int k : {1, 2, 3, 6}) {
        EXPECT_FALSE(flag(*a, k, 1));
        EXPECT_TRUE(flag(*a, k, 3));
    }
    EXPECT_TRUE(flag(*a, 4, 1));
    EXPECT_TRUE(flag(*a, 5, 1));
}

TEST(OptionTicks, AnEmptyListChangesNoFlag) {
    auto a = loaded();
    a->optionagr[2].flag[1] = true;
    applyOptionTicks(*a, 1, {});
    EXPECT_TRUE(flag(*a, 2, 1));
    EXPECT_FALSE(flag(*a, 1, 1));
}

TEST(OptionTicks, AUnitOutsideTheLoadedListChangesNothing) {
    auto a = loaded();
    applyOptionTicks(*a, 7, {true});
    applyOptionTicks(*a, 0, {true});
    applyOptionTicks(*a, -3, {true});
    for (int k = 0; k <= 8; ++k)
        EXPECT_FALSE(flag(*a, k, 1));
    // A damaged count never leads beyond the unit arrays.
    a->count = 5000;
    applyOptionTicks(*a, 1, {true});
    EXPECT_TRUE(flag(*a, 6, 1));
}

TEST(ClearOptions, ClearsEveryFamilyAndPositionsBeyondTheLoadedUnits) {
    auto a = loaded();
    for (int k = 1; k <= 6; ++k)
        a->optionagr[std::size_t(k)].flag.fill(true);
    a->optionagr[40].flag[2] = true;  // left from a longer list loaded before
    clearAllOptions(*a);
    for (int k = 1; k <= 40; ++k)
        for (int j = 1; j <= OptionBlock::kOptions; ++j)
            ASSERT_FALSE(flag(*a, k, j)) << "unit " << k << " option " << j;
}

}  // namespace
}  // namespace tundrix
