// Which technical-data table belongs to which kind of unit. The ОН chillers' table is "ol",
// although their unit list files are named with "on".
#pragma once

#include <QString>

#include "catalogue/choices.h"

namespace tundrix {

// "out", "agr", "mka", "glco", "glcu", "glcr", "glck", "ov", "os", "ol"; empty for None.
QString techDataTableForKind(UnitKind kind);

// The table for the shown kind tab: the tab's kind, and on the chiller tab the chiller type
// 0..6; empty with no kind tab shown or a chiller type outside 0..6.
QString techDataTableForTab(UnitKind tabKind, int chillerType);

}  // namespace tundrix
