// The outdoor climate of a year as temperature bins: the reference climate of the ecodesign rules
// for condensing units (58 bins of one degree, -19..+38 degC, 8760 h), or bins the engineer
// imports from a text file of "temperature;hours" rows.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tundrix {

struct ClimateBin {
    double t = 0;      // outdoor air temperature, degC
    double hours = 0;  // hours a year at that temperature
    bool operator==(const ClimateBin&) const = default;
};

inline constexpr int kMaxClimateBins = 200;
inline constexpr double kMaxClimateHours = 8784;  // a leap year

// The reference climate: bin j = 1..58 at t = j - 20 degC.
std::span<const ClimateBin> referenceClimate();

struct ClimateFile {
    std::vector<ClimateBin> bins;
    std::string error;  // empty when the bins are good; else one line saying what is wrong
    bool ok() const { return error.empty(); }
};

// Reads "temperature;hours" rows (a decimal point or comma; blank lines and lines starting with
// '#' skipped; a first line whose temperature is not a number is taken for a heading). The bins
// are checked: 1..200 of them, each a number of hours >= 0, together at most 8784 h.
ClimateFile parseClimate(std::string_view text);

// The same checks on bins from elsewhere (a calculation file); the error text or empty.
std::string checkClimate(std::span<const ClimateBin> bins);

// The total of the bins' hours.
double climateHours(std::span<const ClimateBin> bins);

}  // namespace tundrix
