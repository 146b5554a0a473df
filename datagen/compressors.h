// The sample compressors and condensers of the generated catalogue: what the unit composer needs
// to build unit lists, and the writer of the compressor and condenser files.
//
// Numbering follows the catalogue: brands 1 Bock, 2 Copeland Scroll, 3 Bitzer, 4 Copeland Stream;
// levels 1 low, 2 middle, 3 high; refrigerants by the index of the refrigerant table.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/refrigerants.h"
#include "datagen/fluid.h"

namespace tundrix::datagen {

inline constexpr int kBrandBock = 1;
inline constexpr int kBrandScroll = 2;
inline constexpr int kBrandBitzer = 3;
inline constexpr int kBrandStream = 4;

// Properties of the refrigerants by their index in the refrigerant table. A null entry skips
// everything of that refrigerant.
using FluidSet = std::array<const Fluid*, kRefrigerants>;

// Six envelope corners, counter-clockwise from the bottom-left: x1, y1, x2, y2, ..., x6, y6 with
// x the evaporating and y the condensing temperature (degC), as the catalogue files store them.
using EnvelopeCorners = std::array<double, 12>;

struct CatalogueCompressor {
    std::string name;  // model name (UTF-8, at most 50 characters)
    int number = 0;  // what a unit list stores in "инд. компрессора": the record 1..150 of
                     // the brand file section, or the entry 1..100 of the Scroll list
    double displacement = 0;  // swept volume, m3/h
    EnvelopeCorners envelope{};
    // Rating at the typical point of the level (ratedTo, ratedTc), 10 K superheat, 0 K subcooling.
    double ratedTo = 0, ratedTc = 0;
    double ratedCapacity = 0;  // kW
    double ratedPower = 0;     // kW
    double ratedCurrent = 0;   // A
    double ratedHeat = 0;      // kW, heat rejection
};

// The compressors of one brand, level and refrigerant, ascending by displacement.
struct CompressorSeries {
    int brand = 0;
    int level = 0;
    int refrigerant = kDefaultRefrigerant;
    std::string performanceFile;  // "bock.dat", "bock290.dat", ... or the Scroll table "masszf.dat"
    std::string listFile;         // the Scroll compressor list, e.g. "catalzf.dat"; empty otherwise
    std::vector<CatalogueCompressor> compressors;
};

struct CatalogueCondenser {
    int index = 0;        // entry 1..100 of condensators.dat (what a unit list stores)
    std::string name;     // UTF-8
    std::string pol;      // short code
    double capacity = 0;  // rated capacity at 15 K, kW
    int fans = 0;
    double fanCurrent = 0;  // one fan, A
    double fanPower = 0;    // one fan, kW
};

struct CompressorCatalogue {
    std::vector<CompressorSeries> series;
    std::vector<CatalogueCondenser> condensers;  // ascending by capacity, index 1..n

    // The series of a brand, level and refrigerant, or null when the catalogue has none.
    const CompressorSeries* find(int brand, int level, int refrigerant) const;
};

// Typical rating point of a level: low -35/40, middle -10/45, high 5/50 (to/tc, degC).
struct RatingPoint {
    double to = 0;
    double tc = 0;
};
RatingPoint ratingPoint(int level);

// Builds every series and the condenser list without writing anything. Deterministic.
CompressorCatalogue buildCompressorCatalogue(const FluidSet& fluids);

// Builds the catalogue and writes into outDir: "bock.dat", "bitzer.dat", "dwmcopeland.dat", the
// Copeland Scroll tables and lists (mass*.dat, catal*.dat) and "condensators.dat". Returns the
// catalogue that was written; on a failed write `error` (when given) says which file and why and
// the returned catalogue is empty.
CompressorCatalogue writeCompressorFiles(const std::filesystem::path& outDir,
                                         const FluidSet& fluids, std::string* error = nullptr);

}  // namespace tundrix::datagen
