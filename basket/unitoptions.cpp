#include "basket/unitoptions.h"

#include <algorithm>

namespace tundrix {

namespace {

int loadedCount(const agregat& list) {
    return std::clamp(list.count, 0, agregat::kMaxUnits);
}

bool loadedUnit(const agregat& list, int unit) {
    return unit >= 1 && unit <= loadedCount(list);
}

}  // namespace

std::vector<OptionLine> optionLines(const agregat& list, int unit) {
    std::vector<OptionLine> lines;
    if (!agregat::validUnit(unit))
        return lines;
    const OptionBlock& o = list.optionagr[std::size_t(unit)];
    for (int j = 1; j <= OptionBlock::kOptions && !o.name[std::size_t(j)].empty(); ++j)
        lines.push_back({o.name[std::size_t(j)], o.flag[std::size_t(j)]});
    return lines;
}

void applyOptionTicks(agregat& list, int unit, const std::vector<bool>& ticks) {
    if (!loadedUnit(list, unit))
        return;
    const int layer = list.layer[std::size_t(unit)];
    const int brand = list.agrtype[std::size_t(unit)];
    const int lines = std::min(int(ticks.size()), OptionBlock::kOptions);
    for (int v = 1; v <= loadedCount(list); ++v) {
        if (list.layer[std::size_t(v)] != layer || list.agrtype[std::size_t(v)] != brand)
            continue;
        for (int j = 0; j < lines; ++j)
            list.optionagr[std::size_t(v)].flag[std::size_t(j + 1)] = ticks[std::size_t(j)];
    }
}

void clearAllOptions(agregat& list) {
    for (OptionBlock& o : list.optionagr)
        o.flag.fill(false);
}

}  // namespace tundrix
