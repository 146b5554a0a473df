// The main window's choices that decide which catalogue files are read: the kind of unit of the
// shown tab, the refrigerant, the brands and the chiller dialog's heat exchanger. The loaders take
// them as plain values so that the catalogue never reaches into a window.
#pragma once

#include <array>

#include "catalogue/refrigerants.h"

namespace tundrix {

// Brands and temperature levels are numbered from 1 everywhere.
inline constexpr int kBrands = 4;       // 1 Bock, 2 Copeland Scroll, 3 Bitzer, 4 Copeland Stream
inline constexpr int kLevels = 3;       // 1 low, 2 middle, 3 high
inline constexpr int kScrollBrand = 2;  // the one brand whose data are tables, not polynomials

// Refrigerants are numbered by the index of the refrigerant selector (catalogue/refrigerants.h).

constexpr bool validBrand(int b) {
    return b >= 1 && b <= kBrands;
}
constexpr bool validLevel(int l) {
    return l >= 1 && l <= kLevels;
}

// Kind of unit, from the shown tab; the chiller tab contributes one kind per chiller type.
// None: no unit tab is shown (the description and calculator tab).
enum class UnitKind { Out, Agr, Mka, Glco, Glcu, Glcr, Glck, Ov, Os, On, None };

// Every kind of unit, in the order of the enumeration (and of the generator's lists).
inline constexpr std::array<UnitKind, 10> kUnitKinds = {
    UnitKind::Out,  UnitKind::Agr,  UnitKind::Mka, UnitKind::Glco, UnitKind::Glcu,
    UnitKind::Glcr, UnitKind::Glck, UnitKind::Ov,  UnitKind::Os,   UnitKind::On};

// The chiller kind for the chiller type selector's index 0..6; None for any other index.
constexpr UnitKind chillerKind(int typeIndex) {
    constexpr std::array<UnitKind, 7> kinds = {UnitKind::Glco, UnitKind::Glcu, UnitKind::Glcr,
                                               UnitKind::Glck, UnitKind::Ov,   UnitKind::Os,
                                               UnitKind::On};
    return typeIndex >= 0 && typeIndex < int(kinds.size()) ? kinds[std::size_t(typeIndex)]
                                                           : UnitKind::None;
}

constexpr bool isChiller(UnitKind k) {
    return k >= UnitKind::Glco && k <= UnitKind::On;
}

// Heat exchanger choice of the chilled-liquid dialog, by item index; NotChosen when no item is
// selected.
enum class Exchanger { NotChosen = -1, Plate = 0, ShellAndTube = 1, Submerged = 2, All = 3 };

// What loadunits reads besides the catalogue itself.
struct LoadChoices {
    UnitKind kind = UnitKind::None;
    int refrigerant = kDefaultRefrigerant;
    std::array<bool, kBrands + 1> brandChecked{};  // [1..4]: brand item checked
    std::array<bool, 6> rackSizeChecked{};         // [2..5]: rack size item "2".."5" checked
    Exchanger exchanger = Exchanger::NotChosen;    // read on the chiller tab only
};

}  // namespace tundrix
