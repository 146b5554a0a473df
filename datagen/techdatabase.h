// The technical-data database of the sample catalogue, "TD.sqlite": one table per kind of unit
// ("out", "agr", "mka", "glco", "glcu", "glcr", "glck", "ov", "os", "ol"), field 0 the integer
// key, field 1 the unit name, then the characteristics as text under Russian field names. The
// field order matters: the technical-data window pre-fills new records and computes its sums by
// field position, so e.g. "out" field 5 holds the first compressor and field 17 the total power.
#pragma once

#include "datagen/assets.h"
#include "datagen/unitgeometry.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tundrix::datagen {

// The ten table names, in the order the kinds are listed in the program.
const std::vector<std::string>& techDataTables();

// Table of a unit list kind code; the ОН chillers' list code "on" has the table "ol".
std::string techDataTable(const std::string& kindCode);

// Field names of a table, field 0 (the key) first; empty for an unknown table.
std::vector<std::string> techDataFieldNames(const std::string& table);

// Values of fields 1..n-1 of the unit's record in its table (field 1 is the name).
std::vector<std::string> techDataValues(const AssetUnit& unit, const UnitGeometry& geometry);

struct TechDataRow {
    long long key = 0;
    std::vector<std::string> values;  // fields 1..n-1
};

// Writes the database file anew (all ten tables, the given rows per table, in order). The file
// is built beside the target and renamed over it, so a failure leaves no half-written database.
bool writeTechDatabase(const std::filesystem::path& file,
                       const std::map<std::string, std::vector<TechDataRow>>& rows,
                       std::string* error);

}  // namespace tundrix::datagen
