#include "engine/cyclestate.h"

#include "catalogue/refrigerants.h"
#include "engine/refprop.h"

namespace tundrix {

double condfactorFor(int refrigerant) {
    return validRefrigerant(refrigerant) ? refrigerantEntry(refrigerant).condfactor : 1.0;
}

bool CycleState::loadRefrigerant(int index, const std::filesystem::path& dataDir) {
    refrigerant = index;
    if (!loadref(index, dataDir, refimage))
        return false;
    table.rebuild(refimage);
    return true;
}

void setCondfactor(CycleState& state) {
    state.condfactor = condfactorFor(state.refrigerant);
}

void updateCorrections(CycleState& state, double to, double tc) {
    state.corrfactor = capcorrection(state.table, 1.0, to, tc, state.superheat, state.subcooling);
    state.shfactor = capcorrection(state.table, 1.0, to, tc, state.superheat, 0.0);
}

}  // namespace tundrix
