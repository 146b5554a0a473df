// The layout of the commercial offer on A4 pages: the report's letterhead on every page, the
// title with number and date, the table of items (its heading repeated after every page break),
// the total in EUR, the conditions of the calculation, one technical block per catalogue unit
// with its picture, and "Страница N из M" at the foot of every page.
#pragma once

#include "printing/offermodel.h"
#include "printing/printtarget.h"

namespace tundrix {

// False when the device could not be painted on or refused a new page.
bool Printoffer(const OfferModel& model, PrintTarget& target);

}  // namespace tundrix
