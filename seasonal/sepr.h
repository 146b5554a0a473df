// The seasonal energy performance ratio (SEPR) of a condensing unit by the ecodesign method for
// condensing units, and the minimum values a unit must meet from July 2018.
//
// The unit's capacity and COP are known at four outdoor temperatures (A 32, B 25, C 15, D 5 degC)
// and taken as linear between them (the values of A above 32, of D below 5). The cooling demand of
// a bin is the capacity at A times the part-load ratio of the application; an on/off unit that
// covers less than its capacity loses efficiency by the degradation coefficient. SEPR is the
// year's cooling demand over the year's electricity.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "seasonal/climate.h"

namespace tundrix {

// The temperature level a unit is rated for: low (evaporating -35 degC), middle (-10 degC); the
// high level has no rating.
enum class Application { None, Low, Middle };

Application applicationOfLevel(int level);        // 1 Low, 2 Middle, else None
std::string_view applicationCode(Application a);  // "LT", "MT", ""
double ratingEvaporating(Application a);          // -35, -10 (NaN for None)

inline constexpr std::array<double, 4> kRatingAmbients = {32, 25, 15, 5};  // A, B, C, D
inline constexpr std::array<char, 4> kRatingNames = {'A', 'B', 'C', 'D'};
inline constexpr double kDegradation = 0.25;  // Cdc of units that cycle on and off
inline constexpr double kSuctionGas = 20;     // degC: superheat = 20 - evaporating temperature

// Part-load ratio of the application at outdoor temperature t: 0.8 + 0.2 (t - 5) / 27 (low) or
// 0.6 + 0.4 (t - 5) / 27 (middle), held at its value of 5 degC below and 1 above 32 degC.
double partLoadRatio(Application a, double t);

// COP at part load of a unit that covers `ratio` (<= 1) of its capacity by cycling on and off.
double cyclingCop(double cop, double ratio);

struct PointValues {
    double capacity = 0;  // kW
    double cop = 0;
};

// One bin of the method, as a datasheet's tool lists it.
struct SeprBin {
    double demand = 0;    // kW: capacity at A times the part-load ratio
    double capacity = 0;  // kW: declared capacity, linear between the points
    double cop = 0;
    double ratio = 0;       // capacity ratio, at most 1
    double cyclingCop = 0;  // COP at part load
};
SeprBin seprBin(Application a, const std::array<PointValues, 4>& points, double t);

struct SeprFigures {
    double sepr = 0;
    double demand = 0;       // kWh a year
    double electricity = 0;  // kWh a year
};
// Over the reference climate unless other bins are given. NaN figures when a point is not a
// positive finite number.
SeprFigures seasonalRatio(Application a, const std::array<PointValues, 4>& points,
                          std::span<const ClimateBin> bins = referenceClimate());

enum class Metric { None, Sepr, Cop };
std::string_view metricCode(Metric m);  // "SEPR", "COP", ""

// What the regulation asks of a unit of this application and rated capacity (kW at A).
struct Requirement {
    Metric metric = Metric::None;
    double minimum2018 = 0;  // the table's value
    bool lowGwp = false;     // the refrigerant's GWP is below 150: 10 % below the table allowed
    double minimum = 0;      // what the unit must reach
};
Requirement requirement(Application a, double ratedCapacity, int gwp);

// GWP of a refrigerant entry as the allowance reads it: the highest of the refrigerants it names.
int refrigerantGwp(int refrigerant);

}  // namespace tundrix
