#include "catalogue/filenames.h"

#include <array>

namespace tundrix {
namespace {

struct ScrollFiles {
    std::string_view table;
    std::string_view list;
};

// Copeland Scroll files by refrigerant (0..4) and level (1..3).
constexpr std::array<std::array<ScrollFiles, 3>, 5> kScroll = {{
    {{{"masszf.dat", "catalzf.dat"}, {"mass.dat", "catal.dat"}, {"no", "no"}}},
    {{{"masszf22.dat", "catalzf22.dat"},
      {"masszb22.dat", "catalzb22.dat"},
      {"masszr22.dat", "catalzr22.dat"}}},
    {{{"no", "no"}, {"masszb407c.dat", "catalzb407c.dat"}, {"masszr407c.dat", "catalzr407c.dat"}}},
    {{{"masszf134a.dat", "catalzf134a.dat"},
      {"masszb134a.dat", "catalzb134a.dat"},
      {"masszr134a.dat", "catalzr134a.dat"}}},
    {{{"no", "no"}, {"no", "no"}, {"masszp410a.dat", "catalzp410a.dat"}}},
}};

ScrollFiles scrollFiles(int level, int refrigerant) {
    if (!validLevel(level) || !validRefrigerant(refrigerant))
        return {kNoFile, kNoFile};
    return kScroll[std::size_t(refrigerant)][std::size_t(level - 1)];
}

}  // namespace

std::string_view kindPrefix(UnitKind kind) {
    switch (kind) {
        case UnitKind::Out:
            return "out";
        case UnitKind::Agr:
            return "agr";
        case UnitKind::Mka:
            return "mka";
        case UnitKind::Glco:
            return "glco";
        case UnitKind::Glcu:
            return "glcu";
        case UnitKind::Glcr:
            return "glcr";
        case UnitKind::Glck:
            return "glck";
        case UnitKind::Ov:
            return "ov";
        case UnitKind::Os:
            return "os";
        case UnitKind::On:
            return "on";
        case UnitKind::None:
            break;
    }
    return "";
}

std::string agrfilename(UnitKind kind, int level, int brand, int refrigerant) {
    static constexpr std::array<std::string_view, 5> kBrand = {"", "bock", "", "bitzer", "cop"};
    static constexpr std::array<std::string_view, 4> kLevel = {"", "low", "middle", "high"};
    static constexpr std::array<std::string_view, 5> kRefr = {"404a.dat", "22.dat", "407c.dat",
                                                              "134a.dat", "410a.dat"};
    std::string name(kindPrefix(kind));
    if (validBrand(brand))
        name += kBrand[std::size_t(brand)];
    if (validLevel(level))
        name += kLevel[std::size_t(level)];
    if (validRefrigerant(refrigerant))
        name += kRefr[std::size_t(refrigerant)];
    return name;
}

std::string brandfilename(int brand) {
    switch (brand) {
        case 1:
            return "bock.dat";
        case 3:
            return "bitzer.dat";
        case 4:
            return "dwmcopeland.dat";
        default:
            return "";
    }
}

std::string coeffilename(int level, int brand, int refrigerant) {
    if (brand == kScrollBrand)
        return std::string(scrollFiles(level, refrigerant).table);
    const std::string name = brandfilename(brand);
    return name.empty() ? std::string(kNoFile) : name;
}

std::string listfilename(int level, int brand, int refrigerant) {
    if (brand == kScrollBrand)
        return std::string(scrollFiles(level, refrigerant).list);
    return std::string(kNoFile);
}

}  // namespace tundrix
