#include "selection/coverage.h"

#include <string_view>
#include <vector>

#include "catalogue/refrigerants.h"

namespace tundrix {

namespace {

// As the level choice and the brand list name them.
constexpr std::array<std::string_view, kLevels + 1> kLevelNames = {
    "", "Низкотемпературное", "Среднетемпературное", "Высокотемпературное"};
constexpr std::array<std::string_view, kBrands + 1> kBrandNames = {"", "Bock", "Copeland Scroll",
                                                                   "Bitzer", "Copeland Stream"};

// "a", "a и b", "a, b и c".
std::string enumeration(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += i + 1 == items.size() ? " и " : ", ";
        out += items[i];
    }
    return out;
}

}  // namespace

Coverage coverage(const Catalogue& catalogue, UnitKind kind, int refrigerant,
                  const std::array<bool, kLevels + 1>& levelsAskedFor) {
    Coverage c;
    for (int l = 1; l <= kLevels; ++l)
        for (int b = 1; b <= kBrands; ++b)
            if (catalogue.agrfileexists(kind, l, b, refrigerant)) {
                c.levels[std::size_t(l)] = true;
                if (levelsAskedFor[std::size_t(l)])
                    c.brandsAtLevels[std::size_t(b)] = true;
            }
    return c;
}

std::string coverageNote(const Coverage& held, int refrigerant,
                         const std::array<bool, kLevels + 1>& levelsAskedFor,
                         const std::array<bool, kBrands + 1>& brandsTicked) {
    const std::string_view caption =
        validRefrigerant(refrigerant) ? refrigerantEntry(refrigerant).caption : "";
    const std::string on = "В каталоге на " + std::string(caption) + " ";
    std::vector<std::string> brands;
    for (int b = 1; b <= kBrands; ++b)
        if (held.brandsAtLevels[std::size_t(b)]) {
            if (brandsTicked[std::size_t(b)])
                return {};  // the catalogue has them: the conditions left the tab empty
            brands.emplace_back(kBrandNames[std::size_t(b)]);
        }
    if (!brands.empty())
        return on + "в этом исполнении есть установки только " +
               (brands.size() == 1 ? "марки " : "марок ") + enumeration(brands) + ".";
    std::vector<std::string> levels;
    for (int l = 1; l <= kLevels; ++l)
        if (held.levels[std::size_t(l)] && !levelsAskedFor[std::size_t(l)])
            levels.push_back("«" + std::string(kLevelNames[std::size_t(l)]) + "»");
    if (levels.empty())
        return on + "нет установок этого вида.";
    return on + "установки этого вида есть только в исполнении " + enumeration(levels) + ".";
}

}  // namespace tundrix
