#include "printing/reportenvelope.h"

#include "catalogue/agregat.h"
#include "engine/cyclestate.h"
#include "engine/performance.h"

namespace tundrix {

ReportEnvelope reportEnvelope(const agregat& a, const CycleState& cycle, int u, double t0,
                              double tc) {
    ReportEnvelope e;
    if (!agregat::validUnit(u) || u > a.count)
        return e;
    const auto lim = a.envelope(u);
    const Performance perf(a, cycle);
    const bool withCondensers = a.ncondensator[std::size_t(u)] != 0;
    for (std::size_t k = 0; k < 6; ++k) {
        const double x = lim[2 * k];
        const double y = lim[2 * k + 1];
        double v = y;
        if (k < 3)
            v = withCondensers ? 10.0 : y;
        else
            v = perf.outdoortemp(x, y, u);
        e.vertices[k] = QPointF(x, v);
    }
    e.ylim5 = lim[9];
    e.t0 = t0;
    e.tc = tc;
    e.present = true;
    return e;
}

}  // namespace tundrix
