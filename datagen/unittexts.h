// The description and delivery-set texts of a unit, and the texts shown for units without one.
// Files store them in Windows-1251 with CRLF line ends, the way the catalogue's text viewer
// expects older files to be.
#pragma once

#include "datagen/assets.h"
#include "datagen/unitgeometry.h"

#include <string>
#include <string_view>

namespace tundrix::datagen {

// Russian name of the unit's kind, e.g. "Компрессорно-конденсаторный агрегат".
std::string kindTitle(const std::string& kindCode);

// Texts in UTF-8, lines separated by "\n".
std::string descriptionText(const AssetUnit& unit, const UnitGeometry& geometry);
std::string deliverySetText(const AssetUnit& unit, const UnitGeometry& geometry);
std::string noDescriptionText();
std::string noDeliverySetText();

// File bytes: Windows-1251, "\r\n" line ends.
std::string textFileBytes(std::string_view utf8);

}  // namespace tundrix::datagen
