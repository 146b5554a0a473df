// The dimension drawing of a unit: an A4 landscape PDF with the front and side views, overall
// dimensions and a Russian title block on page 1, and for units with several compressors the
// plan view with the mounting holes on page 2. Needs a QGuiApplication (text).
#pragma once

#include "datagen/assets.h"
#include "datagen/unitgeometry.h"

#include <QByteArray>

#include <string_view>

namespace tundrix::datagen {

// Number of pages the drawing of this unit has (1 or 2).
int drawingPageCount(const AssetUnit& unit);

// The PDF bytes; the same unit always gives the same bytes.
QByteArray renderUnitDrawing(const AssetUnit& unit);

// Makes PDF bytes reproducible: the creation date becomes a fixed date and the document id is
// derived from `seed`, both written over the varying text with text of the same length, so the
// cross-reference offsets stay valid.
void stabilizePdf(QByteArray& pdf, std::string_view seed);

}  // namespace tundrix::datagen
