#include "tools/editorchoicescore.h"

#include <array>

#include "catalogue/pricenumbers.h"

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
    if (validRefrigerant(c.refrigerant))
        name += std::string(refrigerantEntry(c.refrigerant).code) + ".dat";
    return name;
}

std::string techDataTableName(const EditorChoices& c) {
    return kindPart(c, true);
}

int priceFileNumber(const EditorChoices& c) {
    // The radio groups name the kind and brand; the separate "ГЛЦУ" button names no kind and
    // so no price file.
    UnitKind kind = UnitKind::None;
    switch (c.kind) {
        case EditorKind::Out:
            kind = UnitKind::Out;
            break;
        case EditorKind::Agr:
            kind = UnitKind::Agr;
            break;
        case EditorKind::Mka:
            kind = UnitKind::Mka;
            break;
        case EditorKind::Chiller:
            kind = chillerKind(c.chillerType);
            break;
        case EditorKind::GlcuButton:
        case EditorKind::None:
            break;
    }
    int brand = 0;
    switch (c.brand) {
        case EditorBrand::Bock:
            brand = 1;
            break;
        case EditorBrand::Copeland:
            brand = kScrollBrand;
            break;
        case EditorBrand::Bitzer:
            brand = 3;
            break;
        case EditorBrand::Dwmcop:
            brand = 4;
            break;
        case EditorBrand::None:
            break;
    }
    return tundrix::priceFileNumber(kind, c.level, brand, c.refrigerant);
}

}  // namespace tundrix
