// The performance and balance methods of the loaded unit list: cooling capacity, power input,
// heat rejection and current of unit `index` at evaporating temperature x and condensing
// temperature y, and the condenser balance between condensing and ambient temperature.
//
// A unit is computed either from its compressor table image (Copeland Scroll, the table method)
// or from the ten-coefficient polynomials of its brand file (the polynomial method), one or two
// compressor groups added. Capacities are corrected from the rating conditions (10 K superheat,
// 0 K subcooling) with the cycle's corrfactor and shfactor, which the caller sets once per
// calculation.
//
// A unit whose data cannot be computed (missing performance file, index outside its list or
// file, no R410A section in the brand files) gives NaN from every method; callers show NaN as an
// empty cell.
#pragma once

#include <array>

#include "catalogue/agregat.h"
#include "engine/cyclestate.h"
#include "engine/polyfit.h"
#include "engine/refprop.h"

namespace tundrix {

// Values a run over many units at one evaporating temperature computes again and again. A
// caller that keeps the cycle state unchanged while it uses a Performance (a selection run) may
// hand one in; results are the same to the last bit with and without it.
struct PerformanceCache {
    bool hasSuction = false;
    SuctionState suction;  // of the last evaporating temperature and superheat asked for
    // The last Bitzer heat rejection: the balance's final step and the shown heat ask for the
    // same point.
    bool hasHeat = false;
    int heatIndex = 0;
    double heatX = 0, heatY = 0, heat = 0;
    // Prepared blocks of the table images (Copeland Scroll); kept by the caller across runs.
    PreparedTables* tables = nullptr;
};

class Performance {
  public:
    Performance(const agregat& units, const CycleState& cycle, PerformanceCache* cache = nullptr)
        : units_(units), cycle_(cycle), cache_(cache) {}

    bool hasData(int index) const { return units_.computable(index, cycle_.refrigerant); }

    double capacity(double x, double y, int index) const;  // kW, times corrfactor
    double power(double x, double y, int index) const;     // kW
    double current(double x, double y, int index) const;   // A
    double heat(double x, double y, int index) const;      // kW rejected by the condenser

    // Condensing temperature a unit with air-cooled condensers settles at for evaporating
    // temperature x and ambient temperature y: five substitution steps on the condenser's
    // temperature difference, starting from 10 K. A unit without condenser returns y.
    double condensatetemp(double x, double y, int index) const;

    // Ambient temperature at which the unit condenses at y when evaporating at x (one step).
    double outdoortemp(double x, double y, int index) const;

    // Heat the condensers must reject at (x, y) as the balance weighs it. `withSuperheat` false
    // gives the table method's rated heat rejection alone (as outdoortemp uses it).
    double balanceHeat(double x, double y, int index, bool withSuperheat = true) const;

    // Rated condenser capacity of the unit: number of condensers times the list's capacity.
    double condenserCapacity(int index) const;

  private:
    // Quantity of a table block (corner column c0) or of a coefficient set, summed over the
    // unit's compressor groups, each times its count. NaN when the unit has no data.
    double groups(int index, int c0, CoefImage::Set set, double x, double y) const;
    double tableValue(int index, int entry, int c0, double x, double y) const;
    double polyValue(int index, int record, CoefImage::Set set, double x, double y) const;
    bool hasFourthSet(int index) const;
    enum class HeatUse { Shown, Balance, RatedBalance };
    double rejected(double x, double y, int index, HeatUse use) const;
    double bitzerHeat(double x, double y, int index) const;

    const agregat& units_;
    const CycleState& cycle_;
    PerformanceCache* cache_;
};

}  // namespace tundrix
