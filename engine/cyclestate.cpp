#include "engine/cyclestate.h"

#include "engine/refprop.h"

namespace tundrix {

double condfactorFor(int refrigerant) {
    switch (refrigerant) {
        case 1:
            return 0.96;
        case 2:
            return 0.87;
        case 3:
            return 0.93;
        default:
            return 1.0;
    }
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
