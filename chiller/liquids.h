// The liquids a chiller can cool: water with fixed properties and two glycols whose freezing
// point, density and specific heat depend on the concentration by mass.
#pragma once

#include <array>
#include <string_view>

namespace tundrix {

// Liquid selector positions, in the order the dialog lists them.
enum class Liquid { Water = 0, EthyleneGlycol = 1, PropyleneGlycol = 2 };

inline constexpr int kLiquidCount = 3;

// "Вода", "Этиленгликоль", "Пропиленгликоль".
std::string_view liquidName(Liquid liquid);

inline constexpr bool isGlycol(Liquid liquid) {
    return liquid != Liquid::Water;
}

struct LiquidProperties {
    double freezingPoint = 0.0;  // degC
    double density = 0.0;        // kg/m3
    double specificHeat = 0.0;   // kJ/(kg K)
};

// Water: 0 degC, 1000 kg/m3, 4.2 kJ/(kg K).
LiquidProperties waterProperties();

// A glycol's properties at the ten concentrations of kConcentrationGrid (per cent by mass).
inline constexpr int kGlycolPoints = 10;
inline constexpr std::array<double, kGlycolPoints> kConcentrationGrid = {0,  10, 15, 20, 25,
                                                                         30, 35, 40, 45, 50};

struct GlycolTable {
    std::array<double, kGlycolPoints> freezingPoint;
    std::array<double, kGlycolPoints> density;
    std::array<double, kGlycolPoints> specificHeat;
};

// The tables of a glycol (Liquid::EthyleneGlycol or Liquid::PropyleneGlycol).
const GlycolTable& glycolTable(Liquid glycol);

// Properties at concentration c (per cent): the natural cubic spline through the ten points of
// each table, so the grid points are reproduced exactly and values between them are smooth.
LiquidProperties glycolProperties(const GlycolTable& table, double concentration);

}  // namespace tundrix
