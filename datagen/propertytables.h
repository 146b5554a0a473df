// The refrigerant property images ("mass404a.dat" ...) built from the equations of state.
//
// One 500 x 500 image per refrigerant: a saturated table (rows 4..38: t, bubble and dew
// pressure, liquid and vapour density, liquid and vapour enthalpy) and 26 blocks of constant
// enthalpy (block k in columns 6k+1..6k+6, rows 41..488: t, p, rho, the block's enthalpy and a
// flag that marks the smoothing cells inside the two-phase dome). Units: degC, bar, kg/m3, kJ/kg.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "catalogue/byteimage.h"
#include "datagen/eosfluid.h"

namespace tundrix::datagen {

inline constexpr int kSatFirstRow = 4;
inline constexpr int kSatRows = 35;
inline constexpr int kBlockFirstRow = 41;
inline constexpr int kPressureRows = 448;
inline constexpr int kBlocks = 26;
inline constexpr int kLiquidKnots = 9;
inline constexpr int kVapourKnots = 16;

// Column of a block: 1 t, 2 p, 3 rho, 4 enthalpy, 5 bridge flag (1 inside the dome).
constexpr int blockColumn(int block, int field) {
    return 6 * block + field;
}

// The 35 saturation temperatures of the saturated table, ascending (degC).
std::array<double, kSatRows> saturatedTemperatures();

// The 26 block enthalpies (kJ/kg), ascending: liquid knots, one gap knot, vapour knots.
std::array<double, kBlocks> blockEnthalpies(const Fluid& fluid);

// The 448 pressures (bar) shared by every block, log-spaced from the dew pressure at -62 degC
// to the bubble pressure at 68 degC.
std::array<double, kPressureRows> gridPressures(const Fluid& fluid);

// Builds the whole image of one refrigerant. Deterministic: the same bytes on every run.
// nullopt when a state of the table cannot be computed.
std::optional<GridImage> buildPropertyImage(const EosFluid& fluid);

// The image of a refrigerant of the refrigerant table, from the property model the table names
// for it; the equations of state are read from `refrigerantDir` (empty: the folder the generator
// was built with). nullopt, and why in `err`, when it cannot be built.
std::optional<GridImage> buildPropertyImage(int refrigerant,
                                            const std::filesystem::path& refrigerantDir,
                                            std::string* err);

// Writes the image of every refrigerant of the table into `outDir` (each file atomically, named
// as the program loads them). On failure returns false and says why in `err`.
bool writePropertyTables(const std::filesystem::path& outDir, std::string* err,
                         const std::filesystem::path& refrigerantDir = {});

}  // namespace tundrix::datagen
