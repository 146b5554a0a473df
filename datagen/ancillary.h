// Ancillary equations of a refrigerant file: saturation pressures and densities as functions of
// temperature. For the pure fluids they only start the phase equilibrium; for the blends the
// bubble and dew pressures are part of the property model.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

namespace tundrix::datagen {

class Ancillary {
public:
    enum class Form { ExpTrOverT, Exp, OnePlus };

    Ancillary() = default;
    // Reads one entry of the file's "ancillaries"; false (and why in err) when it is malformed.
    bool read(const nlohmann::json& entry, std::string* err);

    bool valid() const { return !n_.empty(); }
    double reducingTemperature() const { return tReduce_; }

    // Value at temperature T (K), in the entry's unit (Pa or mol/m3). Only defined below the
    // reducing temperature; above it the value is NaN.
    double operator()(double T) const;

    // Temperature (K) at which the value equals `value`, for a value that rises with T (the
    // pressure equations). Solved by a safeguarded Newton iteration bracketed by `tLow` and the
    // reducing temperature; NaN when the value lies outside that bracket.
    double inverse(double value, double tLow) const;

private:
    Form form_ = Form::ExpTrOverT;
    double tReduce_ = 0;
    double reduceValue_ = 0;
    std::vector<double> n_;
    std::vector<double> t_;
};

}  // namespace tundrix::datagen
