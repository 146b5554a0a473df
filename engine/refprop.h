// Refrigerant property lookups and the cycle corrections built on them.
//
// Column arguments follow the property image: for the saturated table 1 t, 2 bubble pressure,
// 3 dew pressure, 6 liquid enthalpy, 7 vapour enthalpy; for the superheated blocks 1 t,
// 2 p, 3 density. Pressures and enthalpies are in whatever units the table uses: only their
// ratios and differences reach the corrections. Temperatures in degC, superheat and subcooling
// in K, capacities in kW. A column outside the table gives no value (NaN).
#pragma once

#include <array>

#include "engine/propertytable.h"
#include "engine/spline.h"

namespace tundrix {

// Saturated column cy at column-cx value x (spline through the saturated rows).
double satprop(int cx, int cy, const PropertyTable& table, double x);

// Block column cy at block-column-cx value a in every block (each block's long table over a
// window of 5 points), then across the 26 block enthalpies at h.
double shprop(int cx, int cy, const PropertyTable& table, double a, double h);

// The enthalpy h at which shprop(cx, cy, table, a, h) equals target: five secant steps from
// start, the first slope taken over one enthalpy unit below start. A step that leaves the
// enthalpy where it was (it already reproduces the target) ends the iteration there.
double shinverse(int cx, int cy, const PropertyTable& table, double a, double target, double start);

// The 26 block values at one fixed value a, as a curve over enthalpy. shprop and shinverse at
// the same (cx, cy, a) share it; build it once when several enthalpies are looked up.
class EnthalpyProfile {
  public:
    EnthalpyProfile(int cx, int cy, const PropertyTable& table, double a);

    double at(double h) const { return curve_(h); }
    // shinverse on this profile.
    double inverse(double target, double start) const;

  private:
    static NaturalSpline build(int cx, int cy, const PropertyTable& table, double a);
    NaturalSpline curve_;
};

// Specific refrigerating effect: suction-gas enthalpy at the dew pressure of to and temperature
// to + sh, less the enthalpy of the liquid at tc subcooled by sc.
double refeffect(const PropertyTable& table, double to, double tc, double sh, double sc);

// v converted from rating conditions (10 K superheat, 0 K subcooling) to superheat sh and
// subcooling sc: times the ratio of refrigerating effects and the ratio of suction-gas
// densities. At sh = 10 and sc = 0 exactly, v itself (the table is not read).
double capcorrection(const PropertyTable& table, double v, double to, double tc, double sh,
                     double sc);

// Refrigerant mass flow for cooling capacity Q: Q / refeffect.
double massflow(const PropertyTable& table, double Q, double to, double tc, double sh, double sc);

// Condenser heat for capacity Q with discharge temperature td (taken as 80 degC above 80):
// mass flow times the enthalpy difference between the discharge gas at the bubble pressure of
// tc and the liquid leaving the condenser.
double heatrejection(const PropertyTable& table, double td, double Q, double to, double tc,
                     double sh, double sc);

// The suction gas of one evaporating temperature and superheat. Heat rejections at many
// condensing temperatures (a condenser balance, a whole selection run) share it; finding its
// enthalpy is the larger part of a heat rejection's cost.
struct SuctionState {
    double to = 0;
    double sh = 0;
    double h = 0;  // enthalpy at the dew pressure of to and temperature to + sh
};
SuctionState suctionstate(const PropertyTable& table, double to, double sh);

// heatrejection with the suction state already known; the same result to the last bit.
double heatrejection(const PropertyTable& table, double td, double Q, const SuctionState& suction,
                     double tc, double sc);

}  // namespace tundrix
