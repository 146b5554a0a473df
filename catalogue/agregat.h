// The loaded unit list of the current selection run (`agrlist`): per-unit arrays indexed by the
// unit number 1..1000 (index 0 unused), the working copies of the compressor and condenser lists,
// and the references of every unit to the preloaded performance data of its brand and level.
//
// The performance methods (capacity, power, heat, current and the condenser balance) live in the
// engine and read this object; `dataCheck` tells them beforehand whether a unit can be computed at
// all, so that a damaged or missing file gives empty cells instead of a read out of bounds.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "catalogue/byteimage.h"
#include "catalogue/coefimage.h"
#include "catalogue/records.h"

namespace tundrix {

// A unit's performance data: a table image (Copeland Scroll) or a coefficient image (the other
// brands). Both null while no file was ever read for the unit's brand and level.
struct PerfData {
    const GridImage* table = nullptr;
    const CoefImage* coef = nullptr;

    bool empty() const { return table == nullptr && coef == nullptr; }
    bool operator==(const PerfData&) const = default;
};

// Options of one unit: option j = 1..11 is name j, price j (EUR as decimal text) and flag j.
struct OptionBlock {
    static constexpr int kOptions = 11;
    std::array<std::string, kOptions + 1> name{};   // [1..11]
    std::array<std::string, kOptions + 1> price{};  // [1..11]
    std::array<bool, kOptions + 1> flag{};          // [1..11], set by the options window

    static constexpr bool validOption(int j) { return j >= 1 && j <= kOptions; }
};

// Why a unit cannot be computed (Ok when it can).
enum class UnitData {
    Ok,
    NoUnit,                // unit number outside 1..count, or count itself out of range
    NoPerformanceData,     // no table / coefficient image was ever read for its brand and level
    NoCompressorList,      // table method without a compressor list
    CompressorOutOfRange,  // indcompr (or indcompr2 of a second group) outside the list/records
    PositionOutOfRange,    // a compressor's table row lies outside the table image
    ListCountOutOfRange,   // the compressor list's own count is damaged
    CondenserOutOfRange,   // indconder outside 0..100
    NoRefrigerantSection,  // the coefficient files have no section of the refrigerant (R410A)
};

// About 1.2 MB: allocate it on the heap (it normally lives inside the Catalogue).
struct agregat {
    static constexpr int kMaxUnits = 1000;
    static constexpr std::size_t kSlots = kMaxUnits + 1;  // index 0 unused
    static constexpr int kVertices = 6;

    template <typename T>
    using PerUnit = std::array<T, kSlots>;

    PerUnit<int> indcompr{};
    PerUnit<int> indcompr2{};
    PerUnit<int> indconder{};
    PerUnit<std::string> name{};
    Comprprop compressor;     // the compressor list of the Copeland Scroll unit last loaded
    Condenserprop condenser;  // working copy of the condenser list
    int count = 0;
    PerUnit<int> order{};  // order[r]: the unit shown in result row r
    PerUnit<int> ncompressor{};
    PerUnit<int> ncompressor2{};
    PerUnit<int> ncondensator{};
    PerUnit<std::string> imagepath{};
    PerUnit<std::string> complectpath{};
    PerUnit<std::string> techdata{};
    PerUnit<std::string> price{};
    PerUnit<std::string> picturepath{};
    PerUnit<std::string> textpath{};
    PerUnit<OptionBlock> optionagr{};
    PerUnit<double> delta{};
    // Envelope vertex n = 1..6 of unit k is (xlim[n-1][k], ylim[n-1][k]).
    std::array<PerUnit<double>, kVertices> xlim{};
    std::array<PerUnit<double>, kVertices> ylim{};
    PerUnit<PerfData> p1{};
    PerUnit<const Comprprop*> p2{};
    PerUnit<bool> method{};  // false: table method (Copeland Scroll); true: polynomial method
    PerUnit<int> layer{};
    PerUnit<int> agrtype{};

    static constexpr bool validUnit(int k) { return k >= 1 && k <= kMaxUnits; }

    // The six vertices of unit k as x1, y1, x2, y2, ..., x6, y6 (zeros for a unit number out of
    // range).
    std::array<double, 2 * kVertices> envelope(int k) const;
    void setEnvelope(int k, const std::array<double, 2 * kVertices>& e);

    // Whether unit k's performance can be computed with the refrigerant of that index: every index
    // and count it carries leads inside the data it refers to.
    UnitData dataCheck(int k, int refrigerant) const;
    bool computable(int k, int refrigerant) const {
        return dataCheck(k, refrigerant) == UnitData::Ok;
    }
};

}  // namespace tundrix
