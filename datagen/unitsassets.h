// Every unit's picture, drawing, texts and technical data: the unit lists name them in their
// file reference columns.
#pragma once

#include "datagen/assets.h"
#include "datagen/units.h"

namespace tundrix::datagen {

// Registers every unit with the asset writer and stores the returned paths in the rows
// (columns 7, 8, 9, 11, 23). Units offered for several refrigerants are registered once a
// refrigerant; the writer keeps one set of files per name.
void registerAssets(UnitCatalogue& units, AssetWriter& assets);

}  // namespace tundrix::datagen
