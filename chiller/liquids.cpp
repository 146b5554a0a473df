#include "chiller/liquids.h"

#include "engine/spline.h"

namespace tundrix {

namespace {

constexpr GlycolTable kEthyleneGlycol = {
    {0, -5.6, -8.0, -10.3, -12.8, -15.8, -19.6, -24.4, -30.6, -38.3},
    {1000, 1018, 1027, 1036, 1045, 1054, 1062, 1073, 1083, 1093},
    {4.2, 4.061, 3.969, 3.873, 3.774, 3.669, 3.559, 3.44, 3.313, 3.183},
};

constexpr GlycolTable kPropyleneGlycol = {
    {0, -2.7, -4.7, -7.1, -10.1, -13.5, -17.5, -21.7, -27.7, -34.0},
    {1000, 1011, 1018, 1024, 1031, 1037, 1044, 1055, 1058, 1065},
    {4.2, 4.134, 4.085, 4.028, 3.965, 3.894, 3.816, 3.729, 3.632, 3.527},
};

double at(const std::array<double, kGlycolPoints>& values, double c) {
    return spline(kConcentrationGrid, values, kGlycolPoints - 1, c);
}

}  // namespace

std::string_view liquidName(Liquid liquid) {
    switch (liquid) {
        case Liquid::Water:
            return "Вода";
        case Liquid::EthyleneGlycol:
            return "Этиленгликоль";
        case Liquid::PropyleneGlycol:
            return "Пропиленгликоль";
    }
    return {};
}

LiquidProperties waterProperties() {
    return {0.0, 1000.0, 4.2};
}

const GlycolTable& glycolTable(Liquid glycol) {
    return glycol == Liquid::PropyleneGlycol ? kPropyleneGlycol : kEthyleneGlycol;
}

LiquidProperties glycolProperties(const GlycolTable& table, double concentration) {
    return {at(table.freezingPoint, concentration), at(table.density, concentration),
            at(table.specificHeat, concentration)};
}

}  // namespace tundrix
