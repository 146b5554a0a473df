// Seasonal figures of the condensing units of a loaded unit list: the four rating points at the
// ecodesign rating conditions, SEPR and the regulation's verdict, and the year at the engineer's
// own conditions (annual energy, hours the unit cannot cover, running cost, cost of owning).
//
// Every figure comes from the same performance methods and condenser balance as the result
// table: the condensing temperature from the balance at the outdoor temperature, but not below
// the minimum condensing temperature (the unit's head-pressure control), the power input with the
// fans of the condenser at their catalogued power. A point outside the unit's envelope, or one
// that cannot be computed, has no figures, and nothing is derived from it.
#pragma once

#include <array>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "catalogue/agregat.h"
#include "engine/cyclestate.h"
#include "seasonal/climate.h"
#include "seasonal/sepr.h"

namespace tundrix {

inline constexpr double kDefaultFloor = 25;     // degC
inline constexpr double kDefaultTariff = 0.15;  // EUR per kWh
inline constexpr int kDefaultYears = 10;

struct SeasonalSettings {
    double floor = kDefaultFloor;  // minimum condensing temperature, degC
    double tariff = kDefaultTariff;
    int years = kDefaultYears;
    std::vector<ClimateBin> climate;  // the engineer's bins; empty: the reference climate
    // Compute the unit at every bin's temperature instead of at nodes (for checks).
    bool everyBin = false;
};

// The engineer's own conditions, as typed on the main window.
struct OwnConditions {
    double to = -10;        // evaporating temperature, degC
    double ambient = 32;    // design ambient, degC
    double superheat = 10;  // K
    double subcool = 0;     // K
    double required = 0;    // design load, kW; 0: the unit's capacity at the design ambient
};

inline constexpr double kNoFigure = std::numeric_limits<double>::quiet_NaN();

struct RatingPoint {
    char name = 'A';
    double ambient = 0;
    double tc = kNoFigure;
    double capacity = kNoFigure;  // kW
    double power = kNoFigure;     // kW, fans included
    double cop = kNoFigure;
    double partLoad = kNoFigure;       // part-load ratio of the application
    double capacityRatio = kNoFigure;  // demand over capacity, at most 1
    double cyclingCop = kNoFigure;     // COP at part load
    bool valid = false;
};

// One bin of the engineer's year (for the chart).
struct YearBin {
    double t = 0;
    double hours = 0;
    double load = kNoFigure;      // kW
    double capacity = kNoFigure;  // kW
    double power = kNoFigure;     // kW
};

struct UnitSeasonal {
    int unit = 0;
    double price = 0;  // with the ticked options
    Application application = Application::None;
    std::array<RatingPoint, 4> points{};
    std::string missing;  // "нет данных в точке D" when a point has no figures
    double sepr = kNoFigure;
    Requirement requirement;
    double metricValue = kNoFigure;  // the figure the minimum is compared with
    std::optional<bool> passes;      // none without a metric or without the figure

    double designLoad = kNoFigure;    // kW at the design ambient
    double annualEnergy = kNoFigure;  // kWh a year
    double uncoveredHours = kNoFigure;
    double annualCost = kNoFigure;     // EUR a year
    double ownershipCost = kNoFigure;  // EUR: price + years x running cost
    std::string yearMissing;           // why the year has no figures
    std::vector<YearBin> year;         // filled when asked for
};

struct SeasonalUnit {
    int unit = 0;      // unit number in agrlist
    double price = 0;  // EUR with the ticked options
};

// The seasonal figures of the given units of `units` (the condensing units of a selection run,
// their refrigerant loaded into `cycle`). The cycle's superheat, subcooling and correction
// factors are set for each rating point and for the engineer's year, and put back afterwards.
std::vector<UnitSeasonal> seasonalFigures(const agregat& units, CycleState& cycle,
                                          std::span<const SeasonalUnit> which,
                                          const OwnConditions& own,
                                          const SeasonalSettings& settings, bool withYear = false);

// The text for missing points: "нет данных в точке D", "нет данных в точках A, D".
std::string missingPointsText(const std::array<RatingPoint, 4>& points);

}  // namespace tundrix
