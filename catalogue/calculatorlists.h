// What the calculator's three selectors (compressor 1, compressor 2, condenser) show after the
// catalogue has loaded the lists for the calculator's brand, level and refrigerant.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tundrix {

// The single item shown when a brand has no compressors for the chosen level and refrigerant.
inline constexpr std::string_view kNoCompressors = "Нет компрессоров";

struct SelectorFill {
    bool changed = false;  // false: the selector keeps its items and its selection
    std::vector<std::string> items;
    int selected = -1;  // item index to select; -1 for none
};

struct CalculatorLists {
    SelectorFill selectcompr;
    SelectorFill selectcompr2;
    SelectorFill condensator;
    // The compressor selectors hold only "Нет компрессоров": no compressor can be computed.
    bool noCompressors = false;
};

}  // namespace tundrix
