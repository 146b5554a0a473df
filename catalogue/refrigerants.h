// The refrigerant table: every refrigerant the program knows, by the index of the refrigerant
// selector. Everything that differs between refrigerants is read from here: the selector caption,
// the file code in the catalogue's file names, the property table, where the generator takes the
// properties from, the safety class and global warming potential, the section of the brand
// coefficient files, the condenser factor and how the calculator lists brand-table compressors
// per temperature level.
//
// Indices 0..4 are the catalogue's original refrigerants; their files keep the original names
// (irregular for the Copeland Scroll tables, one shared coefficient file per brand with a section
// per refrigerant and no section for R410A). Later refrigerants name every file by their code
// and have a coefficient file of their own per brand. A new refrigerant needs only an entry here
// (and, for the sample catalogue, its property model and compressor design in the generator).
#pragma once

#include <array>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace tundrix {

// Where the property image of a refrigerant is computed from.
enum class PropertyModel {
    PureEos,        // a pure fluid's Helmholtz equation of state (a file of datagen/refrigerants)
    PseudoPureEos,  // a blend treated as one substance, with bubble and dew pressure equations
    Mixture,        // a blend computed from its components by the multi-fluid mixture model
};

// How the files of a refrigerant are named and read.
enum class FileScheme {
    // The original five: the Copeland Scroll files of the fixed table, the sections of the
    // shared brand files; a missing file keeps what its buffer held before.
    Original,
    // Every file named from the refrigerant's code, a coefficient file of its own per brand
    // (one section); a missing file means the refrigerant has no such data.
    ByCode,
};

// One bound of an envelope value; `strict` excludes the bound itself.
struct Bound {
    double value = 0;
    bool strict = false;
};
inline constexpr double kNoBound = std::numeric_limits<double>::infinity();

// How the calculator lists the records of a brand coefficient section for one temperature level:
// by the first (x1) and third (x3) envelope evaporating temperature of each record.
struct LevelListing {
    enum Kind {
        Filter,         // records whose x1 and x3 lie within the bounds
        NoCompressors,  // the single item "Нет компрессоров"
        Unchanged,      // the selectors keep what they show (no section to list)
    };
    Kind kind = Filter;
    Bound x1Min{-kNoBound}, x1Max{kNoBound}, x3Min{-kNoBound}, x3Max{kNoBound};
    bool selectSecond = true;  // the second selector selects its first item too

    // An open bound tests nothing, so a value that is no number passes it.
    constexpr bool accepts(double x1, double x3) const {
        auto above = [](double v, Bound b) {
            return b.value == -kNoBound || (b.strict ? v > b.value : v >= b.value);
        };
        auto below = [](double v, Bound b) {
            return b.value == kNoBound || (b.strict ? v < b.value : v <= b.value);
        };
        return above(x1, x1Min) && below(x1, x1Max) && above(x3, x3Min) && below(x3, x3Max);
    }
};

struct Refrigerant {
    std::string_view caption;       // item of the refrigerant selectors
    std::string_view code;          // file code: "404a", "22", ..., "290", "1234ze", "448a"
    std::string_view propertyFile;  // property table in the data folder
    PropertyModel model;
    std::string_view modelSource;  // the equation-of-state file, or the blend's name
    std::string_view safetyClass;  // ASHRAE 34: "A1", "A2L", "A3"
    // 100-year GWP (IPCC AR4) of each refrigerant the caption names; 0 where it names one only.
    std::array<int, 2> gwp;
    FileScheme scheme;
    int coefSection;    // section of the brand coefficient file; -1: none
    double condfactor;  // condenser capacity factor (1 for the reference R404A/R507)
    std::array<LevelListing, 3> levels;  // the calculator's listing of levels 1..3
    // Captions of the maintenance tools: the unit list editor's radio button, the table
    // builder's radio button and its label of the refrigerant's table.
    std::string_view editorCaption;
    std::string_view builderCaption;
    std::string_view builderLabel;
};

namespace refrigerant_listing {
using L = LevelListing;
inline constexpr L kNone{L::NoCompressors};
inline constexpr L kKeep{L::Unchanged};
// The levels of the refrigerants that follow the five: low x1 < -30, middle -30 <= x1 <= -15,
// high x1 > -15 (the first corner of the envelope is its coldest evaporating temperature).
inline constexpr std::array<L, 3> kByFirstCorner = {
    L{L::Filter, {-kNoBound}, {-30, true}},
    L{L::Filter, {-30, false}, {-15, false}},
    L{L::Filter, {-15, true}},
};
}  // namespace refrigerant_listing

// One refrigerant a few lines, its fields in the order of the struct.
// clang-format off
inline constexpr std::array<Refrigerant, 15> kRefrigerantTable = [] {
    using namespace refrigerant_listing;
    using P = PropertyModel;
    using S = FileScheme;
    return std::array<Refrigerant, 15>{{
        {"R404A/R507", "404a", "mass404a.dat", P::PseudoPureEos, "R404A.json", "A1", {3922, 3985},
         S::Original, 0, 1.0,
         // middle: the second selector is left without a selection
         {L{L::Filter, {-kNoBound}, {-30, true}, {-kNoBound}, {0, false}},
          L{L::Filter, {-kNoBound}, {kNoBound}, {0, false}, {kNoBound}, false}, kNone},
         "R404a/R507", "R404a", "R404a/507"},
        {"R22", "22", "mass22.dat", P::PureEos, "R22.json", "A1", {1810, 0}, S::Original, 1, 0.96,
         {L{L::Filter, {-kNoBound}, {-25, true}, {-kNoBound}, {0, false}},
          L{L::Filter, {-kNoBound}, {kNoBound}, {0, true}},
          L{L::Filter, {-kNoBound}, {kNoBound}, {5, true}}},
         "R22", "R22", "R22"},
        {"R407C", "407c", "mass407c.dat", P::PseudoPureEos, "R407C.json", "A1", {1774, 0},
         S::Original, 2, 0.87,
         {kNone, L{L::Filter, {-kNoBound}, {-10, false}},
          L{L::Filter, {-kNoBound}, {kNoBound}, {10, false}}},
         "R407C", "R407C", "R407C"},
        {"R134a", "134a", "mass134a.dat", P::PureEos, "R134a.json", "A1", {1430, 0}, S::Original,
         3, 0.93,
         {L{L::Filter, {-kNoBound}, {-20, true}, {-kNoBound}, {12.5, false}},
          L{L::Filter, {-kNoBound}, {-10, true}, {12.5, true}},
          L{L::Filter, {-kNoBound}, {kNoBound}, {10, true}}},
         "R134a", "R134a", "R134a"},
        {"R410A", "410a", "mass410a.dat", P::PseudoPureEos, "R410A.json", "A1", {2088, 0},
         S::Original, -1, 1.0, {kKeep, kKeep, kKeep}, "R410a", "", ""},
        {"R290", "290", "mass290.dat", P::PureEos, "R290.json", "A3", {3, 0}, S::ByCode, 0, 0.96,
         kByFirstCorner, "R290", "R290", "R290"},
        {"R32", "32", "mass32.dat", P::PureEos, "R32.json", "A2L", {675, 0}, S::ByCode, 0, 0.99,
         kByFirstCorner, "R32", "R32", "R32"},
        {"R1234yf", "1234yf", "mass1234yf.dat", P::PureEos, "R1234yf.json", "A2L", {4, 0},
         S::ByCode, 0, 0.95, kByFirstCorner, "R1234yf", "R1234yf", "R1234yf"},
        {"R1234ze(E)", "1234ze", "mass1234ze.dat", P::PureEos, "R1234ze(E).json", "A2L", {7, 0},
         S::ByCode, 0, 0.92, kByFirstCorner, "R1234ze(E)", "R1234ze(E)", "R1234ze(E)"},
        // Zeotropic blends computed from their components (the blends of mixtures.json).
        {"R448A", "448a", "mass448a.dat", P::Mixture, "R448A", "A1", {1387, 0}, S::ByCode, 0,
         0.98, kByFirstCorner, "R448A", "R448A", "R448A"},
        {"R449A", "449a", "mass449a.dat", P::Mixture, "R449A", "A1", {1397, 0}, S::ByCode, 0,
         0.98, kByFirstCorner, "R449A", "R449A", "R449A"},
        {"R452A", "452a", "mass452a.dat", P::Mixture, "R452A", "A1", {2140, 0}, S::ByCode, 0,
         0.99, kByFirstCorner, "R452A", "R452A", "R452A"},
        {"R454B", "454b", "mass454b.dat", P::Mixture, "R454B", "A2L", {466, 0}, S::ByCode, 0,
         0.99, kByFirstCorner, "R454B", "R454B", "R454B"},
        {"R454C", "454c", "mass454c.dat", P::Mixture, "R454C", "A2L", {148, 0}, S::ByCode, 0,
         0.98, kByFirstCorner, "R454C", "R454C", "R454C"},
        {"R513A", "513a", "mass513a.dat", P::Mixture, "R513A", "A1", {631, 0}, S::ByCode, 0,
         0.95, kByFirstCorner, "R513A", "R513A", "R513A"},
    }};
}();
// clang-format on

inline constexpr int kRefrigerants = int(kRefrigerantTable.size());

constexpr bool validRefrigerant(int r) {
    return r >= 0 && r < kRefrigerants;
}

// The entry of a valid index (callers check validRefrigerant first).
constexpr const Refrigerant& refrigerantEntry(int r) {
    return kRefrigerantTable[std::size_t(r)];
}

// The index of the refrigerant with this file code, found at compile time; -1 for none.
constexpr int refrigerantIndex(std::string_view code) {
    for (int r = 0; r < kRefrigerants; ++r)
        if (kRefrigerantTable[std::size_t(r)].code == code)
            return r;
    return -1;
}

// The refrigerant a fresh program shows, and the one the chiller tab always computes with.
inline constexpr int kDefaultRefrigerant = refrigerantIndex("404a");
inline constexpr int kChillerRefrigerant = refrigerantIndex("407c");
static_assert(kDefaultRefrigerant >= 0 && kChillerRefrigerant >= 0);

// Section of the brand coefficient files holding the refrigerant's records; -1 when there is
// none (R410A, or an index outside the table).
constexpr int coefSection(int r) {
    return validRefrigerant(r) ? refrigerantEntry(r).coefSection : -1;
}

// Whether a missing file of the refrigerant means "no data" rather than "keep what was read".
constexpr bool missingFileMeansNone(int r) {
    return validRefrigerant(r) && refrigerantEntry(r).scheme == FileScheme::ByCode;
}

// The refrigerant a user or a file names: its code ("448a"), its caption ("R448A", "R404A/R507"),
// "R" and its code ("R404A", "R1234ze") or its index ("9"); letters in any case. Nothing for
// anything else.
std::optional<int> refrigerantByName(std::string_view name);

// Every name refrigerantByName takes, as a user reads them: "0 R404A/R507 (404a), 1 R22 (22), ...".
std::string refrigerantNames();

// Flammable refrigerants (safety classes A2L, A2, A3, B...): the class's digit is not 1.
bool flammable(const Refrigerant& r);

// The GWP as shown: "3922/3985" for an entry that names two refrigerants, else "675".
std::string gwpText(const Refrigerant& r);

// What stands beside the refrigerant selector and in the printed report: "A1, ПГП 1430",
// "A3, ПГП 3, горючий".
std::string safetyText(const Refrigerant& r);

}  // namespace tundrix
