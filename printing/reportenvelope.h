// The envelope of a unit as the report's chart draws it: the lower corners at the condensing
// temperature of the unit (10 degrees for a unit with its own condensers), the upper corners as
// the ambient temperatures at which the unit reaches its condensing limits there.
#pragma once

#include "printing/reportmodel.h"

namespace tundrix {

struct CycleState;
struct agregat;

// The chart data of unit u with the operating point (t0, tc); not present for a unit number
// outside the loaded list.
ReportEnvelope reportEnvelope(const agregat& units, const CycleState& cycle, int u, double t0,
                              double tc);

}  // namespace tundrix
