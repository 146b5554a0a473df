#include "seasonal/owning.h"

#include <cmath>
#include <string>

#include "selection/numbers.h"

namespace tundrix {

OwnConditions ownConditions(const SelectionInputs& in) {
    const char sep = in.decimalSeparator;
    OwnConditions own;
    own.to = readNumber(in.evaporate, sep, 0.0);
    own.ambient = readNumber(in.ambient, sep, 0.0);
    own.superheat = readNumber(in.superheat, sep, 10.0);
    own.subcool = readNumber(in.subcool, sep, 0.0);
    own.required = readNumber(in.required, sep, 0.0);
    return own;
}

std::vector<int> owningCandidates(const std::vector<SelectionRow>& rows, double M) {
    std::vector<int> rowsInBand;
    if (!(M > 0))
        return rowsInBand;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const SelectionRow& row = rows[r];
        if (row.inside && kBandLow * M < row.capacity && row.capacity < kBandHigh * M)
            rowsInBand.push_back(int(r));
    }
    return rowsInBand;
}

int lowestCostRow(std::span<const int> candidates, std::span<const double> costs) {
    int best = 0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (!std::isfinite(costs[i]))
            continue;
        if (best == 0 || costs[i] < costs[std::size_t(best - 1)])
            best = int(i) + 1;
    }
    return best == 0 ? 0 : candidates[std::size_t(best - 1)];
}

void placeOwningCursor(SelectionResult& result, const agregat& units, CycleState& cycle, double M,
                       const OwnConditions& own, const SeasonalSettings& settings) {
    if (!(M > 0) || result.rows.size() < 2)
        return;
    const std::vector<int> rows = owningCandidates(result.rows, M);
    std::vector<SeasonalUnit> which;
    for (const int r : rows)
        which.push_back({result.rows[std::size_t(r)].unit, result.rows[std::size_t(r)].price});
    std::vector<double> costs;
    for (const UnitSeasonal& s : seasonalFigures(units, cycle, which, own, settings))
        costs.push_back(s.ownershipCost);
    const int row = lowestCostRow(rows, costs);
    result.message = row == 0 ? std::string(kNoCheapestText) : std::string();
    result.cursorRow = row == 0 ? 1 : row;
    result.modelLabel = result.rows[std::size_t(result.cursorRow)].cells[0];
}

}  // namespace tundrix
