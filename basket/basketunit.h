// Where a basket row's unit came from: the catalogue unit a double click on a result row put
// there, with what the selection computed for it at that moment. It lets a saved basket be
// checked against the catalogue later and gives a commercial offer its technical figures. Rows
// typed by hand have none.
#pragma once

#include <limits>
#include <string>
#include <vector>

#include "catalogue/choices.h"

namespace tundrix {

struct BasketUnit {
    static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

    UnitKind kind = UnitKind::None;  // the list it was picked from (a chiller by its type)
    int refrigerant = kDefaultRefrigerant;
    int brand = 0;                     // 1..4
    int level = 0;                     // 1..3
    std::string name;                  // the catalogue name, without the option letters
    std::vector<std::string> options;  // names of the options chosen with it
    double listPrice = kNone;          // unit price plus those options, when it was picked
    // The computed figures of its result row (kNone where the row showed nothing) and the
    // operating point they belong to.
    double capacity = kNone, power = kNone, heat = kNone, current = kNone;
    double to = kNone, tc = kNone;
};

}  // namespace tundrix
