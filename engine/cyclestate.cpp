#include "engine/cyclestate.h"

#include "catalogue/fileio.h"
#include "catalogue/refrigerants.h"
#include "engine/propertytable.h"
#include "engine/refprop.h"

namespace tundrix {

double condfactorFor(int refrigerant) {
    return validRefrigerant(refrigerant) ? refrigerantEntry(refrigerant).condfactor : 1.0;
}

bool CycleState::loadRefrigerant(int index, const std::filesystem::path& dataDir) {
    refrigerant = index;
    // The file in use is not read again while its stamp (path, inode, time, size) stays.
    const std::string_view name = refFileName(index);
    std::string stamp = name.empty() ? std::string() : fileStamp(dataDir / std::string(name));
    if (!stamp.empty() && stamp == refstamp_)
        return true;
    if (!loadref(index, dataDir, refimage))
        return false;
    table.rebuild(refimage);
    refstamp_ = std::move(stamp);
    return true;
}

void CycleState::refreshTable() {
    table.rebuild(refimage);
    refstamp_.clear();
}

void setCondfactor(CycleState& state) {
    state.condfactor = condfactorFor(state.refrigerant);
}

void updateCorrections(CycleState& state, double to, double tc) {
    state.corrfactor = capcorrection(state.table, 1.0, to, tc, state.superheat, state.subcooling);
    state.shfactor = capcorrection(state.table, 1.0, to, tc, state.superheat, 0.0);
}

}  // namespace tundrix
