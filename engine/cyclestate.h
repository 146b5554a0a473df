// The state of one refrigeration cycle calculation: the loaded refrigerant property table, the
// user's superheat and subcooling, and the correction factors the performance methods apply.
// Owned by the application (or a selection run) and passed by reference; nothing here is global.
#pragma once

#include <filesystem>
#include <string>

#include "catalogue/byteimage.h"
#include "catalogue/refrigerants.h"
#include "engine/propertytable.h"
#include "engine/tables.h"

namespace tundrix {

// Condenser capacity factor of a refrigerant of the refrigerant table (1.0 for R404A/R507, 0.96
// R22, 0.87 R407C, 0.93 R134a, 1.0 R410A, ...); 1.0 for an index outside the table.
double condfactorFor(int refrigerant);

struct CycleState {
    GridImage refimage;   // the loaded property image; keeps its contents when a file is missing
    PropertyTable table;  // derived from refimage; the property routines read this
    int refrigerant = kDefaultRefrigerant;  // index of the refrigerant table
    double superheat = 10.0;  // K
    double subcooling = 0.0;  // K
    double corrfactor = 1.0;  // capacity correction for superheat and subcooling
    double shfactor = 1.0;    // the same for superheat alone (heat rejection)
    double condfactor = 1.0;  // condenser capacity factor of the refrigerant
    // Prepared blocks of the performance table images the selection runs have looked up.
    PreparedTables tables;

    // Selects a refrigerant and loads its property file from the data folder. A missing
    // file keeps the previous table in use (both refimage and table); returns whether it was read.
    // The file loaded last is kept while its stamp on disk is unchanged (a selection run loads
    // it each time, and building the table costs more than the run's units).
    bool loadRefrigerant(int index, const std::filesystem::path& dataDir);

    // Rebuilds `table` after refimage was filled by other means.
    void refreshTable();

private:
    std::string refstamp_;  // stamp of the property file refimage holds; empty for none
};

// Sets state.condfactor from state.refrigerant.
void setCondfactor(CycleState& state);

// Sets corrfactor (superheat and subcooling) and shfactor (superheat alone) for evaporating
// temperature to and condensing temperature tc from the loaded table and the state's superheat
// and subcooling. Both are 1 at the rating conditions (10 K, 0 K).
void updateCorrections(CycleState& state, double to, double tc);

}  // namespace tundrix
