#include "catalogue/filenames.h"

#include <array>

namespace tundrix {
namespace {

struct ScrollFiles {
    std::string_view table;
    std::string_view list;
};

// Copeland Scroll files of the original five refrigerants by file code and level (1..3).
struct OriginalScroll {
    std::string_view code;
    std::array<ScrollFiles, 3> levels;
};
constexpr std::array<OriginalScroll, 5> kScroll = {{
    {"404a", {{{"masszf.dat", "catalzf.dat"}, {"mass.dat", "catal.dat"}, {"no", "no"}}}},
    {"22",
     {{{"masszf22.dat", "catalzf22.dat"},
       {"masszb22.dat", "catalzb22.dat"},
       {"masszr22.dat", "catalzr22.dat"}}}},
    {"407c",
     {{{"no", "no"},
       {"masszb407c.dat", "catalzb407c.dat"},
       {"masszr407c.dat", "catalzr407c.dat"}}}},
    {"134a",
     {{{"masszf134a.dat", "catalzf134a.dat"},
       {"masszb134a.dat", "catalzb134a.dat"},
       {"masszr134a.dat", "catalzr134a.dat"}}}},
    {"410a", {{{"no", "no"}, {"no", "no"}, {"masszp410a.dat", "catalzp410a.dat"}}}},
}};

// Every refrigerant of the original scheme has its row, and only those.
constexpr bool scrollTableCoversTheFive() {
    int original = 0;
    for (const Refrigerant& r : kRefrigerantTable)
        original += r.scheme == FileScheme::Original ? 1 : 0;
    for (const OriginalScroll& s : kScroll) {
        const int r = refrigerantIndex(s.code);
        if (r < 0 || refrigerantEntry(r).scheme != FileScheme::Original)
            return false;
    }
    return original == int(kScroll.size());
}
static_assert(scrollTableCoversTheFive());

// Series letters of the Copeland Scroll files of a refrigerant named by its code, by level.
constexpr std::array<std::string_view, 3> kScrollSeries = {"zf", "zb", "zr"};

struct ScrollNames {
    std::string table;
    std::string list;
};

ScrollNames scrollFiles(int level, int refrigerant) {
    if (!validLevel(level) || !validRefrigerant(refrigerant))
        return {std::string(kNoFile), std::string(kNoFile)};
    const Refrigerant& r = refrigerantEntry(refrigerant);
    if (r.scheme == FileScheme::Original) {
        for (const OriginalScroll& s : kScroll) {
            if (s.code != r.code)
                continue;
            const ScrollFiles& f = s.levels[std::size_t(level - 1)];
            return {std::string(f.table), std::string(f.list)};
        }
    }
    const std::string tail =
        std::string(kScrollSeries[std::size_t(level - 1)]) + std::string(r.code) + ".dat";
    return {"mass" + tail, "catal" + tail};
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
    std::string name(kindPrefix(kind));
    if (validBrand(brand))
        name += kBrand[std::size_t(brand)];
    if (validLevel(level))
        name += kLevel[std::size_t(level)];
    if (validRefrigerant(refrigerant))
        name += std::string(refrigerantEntry(refrigerant).code) + ".dat";
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

std::string coefficientFileName(int brand, int refrigerant) {
    std::string name = brandfilename(brand);
    if (name.empty() || !validRefrigerant(refrigerant) ||
        refrigerantEntry(refrigerant).scheme == FileScheme::Original)
        return name;
    // "bock.dat" -> "bock290.dat"
    return name.substr(0, name.size() - 4) + std::string(refrigerantEntry(refrigerant).code) +
           ".dat";
}

std::string coeffilename(int level, int brand, int refrigerant) {
    if (brand == kScrollBrand)
        return scrollFiles(level, refrigerant).table;
    const std::string name = coefficientFileName(brand, refrigerant);
    return name.empty() ? std::string(kNoFile) : name;
}

std::string listfilename(int level, int brand, int refrigerant) {
    if (brand == kScrollBrand)
        return scrollFiles(level, refrigerant).list;
    return std::string(kNoFile);
}

}  // namespace tundrix
