// "По минимальной стоимости владения": the cursor goes to the unit with the lowest cost of owning
// (price with the ticked options plus the years' running cost) among the units whose capacity lies
// between 0.95 and 1.3 times the requirement, the band of "По минимальной цене".
#pragma once

#include <span>
#include <vector>

#include "engine/cyclestate.h"
#include "seasonal/unitseasonal.h"
#include "selection/selectionrun.h"

namespace tundrix {

// The engineer's conditions of a selection run's inputs: evaporating temperature, the ambient as
// the design ambient, superheat, subcooling and the required capacity as the design load (texts
// that are not numbers take the run's defaults).
OwnConditions ownConditions(const SelectionInputs& in);

// The rows of a result (row 0 the headings) that are candidates for a required capacity M:
// inside their envelope, capacity strictly inside the band.
std::vector<int> owningCandidates(const std::vector<SelectionRow>& rows, double M);

// The candidate row of the lowest cost (costs[i] belongs to rows[i]; NaN counts as no figure);
// the first of equal costs; 0 when no candidate has a cost.
int lowestCostRow(std::span<const int> candidates, std::span<const double> costs);

// Moves the cursor of a run made without "По минимальной цене" (M > 0) to that unit, with the
// run's unit list and cycle. With no candidate the cursor goes to row 1 and the message says so,
// as the cheapest rule does.
void placeOwningCursor(SelectionResult& result, const agregat& units, CycleState& cycle, double M,
                       const OwnConditions& own, const SeasonalSettings& settings);

}  // namespace tundrix
