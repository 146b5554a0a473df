#include "tools/editorchoicescore.h"

#include <array>

namespace tundrix {

namespace {

std::string kindPart(const EditorChoices& c, bool forTechData) {
    switch (c.kind) {
        case EditorKind::Out:
            return "out";
        case EditorKind::Agr:
            return "agr";
        case EditorKind::Mka:
            return "mka";
        case EditorKind::Chiller: {
            static constexpr std::array<const char*, 7> types = {"glco", "glcu", "glcr", "glck",
                                                                 "ov",   "os",   "on"};
            if (c.chillerType < 0 || c.chillerType >= int(types.size()))
                return "";
            if (forTechData && c.chillerType == 6)
                return "ol";
            return types[std::size_t(c.chillerType)];
        }
        case EditorKind::GlcuButton:
        case EditorKind::None:
            return "";
    }
    return "";
}

}  // namespace

std::string unitListFileName(const EditorChoices& c) {
    std::string name = kindPart(c, false);
    switch (c.brand) {
        case EditorBrand::Bock:
            name += "bock";
            break;
        case EditorBrand::Bitzer:
            name += "bitzer";
            break;
        case EditorBrand::Dwmcop:
            name += "cop";
            break;
        case EditorBrand::Copeland:
        case EditorBrand::None:
            break;
    }
    static constexpr std::array<const char*, 4> levels = {"", "low", "middle", "high"};
    if (c.level >= 1 && c.level <= 3)
        name += levels[std::size_t(c.level)];
    static constexpr std::array<const char*, 5> refrigerants = {"404a.dat", "22.dat", "407c.dat",
                                                                "134a.dat", "410a.dat"};
    if (c.refrigerant >= 0 && c.refrigerant < int(refrigerants.size()))
        name += refrigerants[std::size_t(c.refrigerant)];
    return name;
}

std::string techDataTableName(const EditorChoices& c) {
    return kindPart(c, true);
}

int priceFileNumber(const EditorChoices& c) {
    using B = EditorBrand;
    const bool low = c.level == 1, middle = c.level == 2, high = c.level == 3;
    const bool midOrHigh = middle || high;
    const B b = c.brand;
    const bool chiller = c.kind == EditorKind::Chiller;
    const int t = c.chillerType;  // 0 ГЛЦО 1 ГЛЦУ 2 ГЛЦР 3 ГЛЦК 4 ОВ 5 ОС 6 ОН
    const bool r410 = c.refrigerant == 4;

    // One row per rule, in the order they are tried; the last match wins.
    struct Rule {
        int n;
        bool match;
    };
    const Rule rules[] = {
        {1, c.kind == EditorKind::Agr && low && b == B::Bock},
        {2, c.kind == EditorKind::Agr && midOrHigh && b == B::Bock},
        {3, c.kind == EditorKind::Agr && low && b == B::Copeland},
        {4, c.kind == EditorKind::Agr && middle && b == B::Copeland},
        {5, c.kind == EditorKind::Agr && high && b == B::Copeland},
        {6, c.kind == EditorKind::Agr && low && b == B::Bitzer},
        {7, c.kind == EditorKind::Agr && middle && b == B::Bitzer},
        {40, c.kind == EditorKind::Agr && low && b == B::Dwmcop},
        {39, c.kind == EditorKind::Agr && midOrHigh && b == B::Dwmcop},
        {8, c.kind == EditorKind::Mka && low && b == B::Bock},
        {9, c.kind == EditorKind::Mka && midOrHigh && b == B::Bock},
        {10, c.kind == EditorKind::Mka && low && b == B::Copeland},
        {11, c.kind == EditorKind::Mka && middle && b == B::Copeland},
        {12, c.kind == EditorKind::Mka && high && b == B::Copeland},
        {13, c.kind == EditorKind::Mka && low && b == B::Bitzer},
        {14, c.kind == EditorKind::Mka && middle && b == B::Bitzer},
        {42, c.kind == EditorKind::Mka && low && b == B::Dwmcop},
        {41, c.kind == EditorKind::Mka && midOrHigh && b == B::Dwmcop},
        {15, chiller && high && b == B::Bock && t == 0},
        {16, chiller && high && b == B::Copeland && t == 0},
        {43, chiller && high && b == B::Copeland && t == 0 && r410},
        {17, chiller && high && b == B::Bock && t == 1},
        {18, chiller && high && b == B::Copeland && t == 1},
        {44, chiller && high && b == B::Copeland && t == 1 && r410},
        {19, chiller && high && b == B::Copeland && t == 2},
        {20, chiller && high && b == B::Copeland && t == 3},
        {28, chiller && high && b == B::Copeland && t == 4},
        {29, chiller && high && b == B::Bock && t == 4},
        {30, chiller && high && b == B::Dwmcop && t == 4},
        {31, chiller && high && b == B::Bitzer && t == 4},
        {32, chiller && middle && b == B::Copeland && t == 5},
        {33, chiller && middle && b == B::Bock && t == 5},
        {34, chiller && middle && b == B::Dwmcop && t == 5},
        {35, chiller && middle && b == B::Bitzer && t == 5},
        {36, chiller && low && b == B::Copeland && t == 6},
        {37, chiller && low && b == B::Bock && t == 6},
        {38, chiller && low && b == B::Dwmcop && t == 6},
        {22, c.kind == EditorKind::Out && low && b == B::Bock},
        {21, c.kind == EditorKind::Out && middle && b == B::Bock},
        {24, c.kind == EditorKind::Out && low && b == B::Copeland},
        {23, c.kind == EditorKind::Out && middle && b == B::Copeland},
        {26, c.kind == EditorKind::Out && high && b == B::Copeland && c.refrigerant == 3},
        {25, c.kind == EditorKind::Out && high && b == B::Copeland &&
                 (c.refrigerant == 2 || c.refrigerant == 1)},
        {27, c.kind == EditorKind::Out && high && b == B::Copeland && r410},
    };
    int n = 0;
    for (const Rule& r : rules)
        if (r.match)
            n = r.n;
    return n;
}

}  // namespace tundrix
