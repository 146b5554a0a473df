// Calculation files and the commercial offer across the windows: the calculation is gathered
// from the main window, the chilled-liquid dialog and the basket, saved atomically and put back
// into all three, and the basket's offer is built from it.
#pragma once

#include <QString>

#include <optional>

#include "calculation/calculation.h"
#include "printing/offermodel.h"

namespace tundrix {

struct WindowSet;

// The calculation as the windows hold it now, dated now.
Calculation currentCalculation(WindowSet& windows);

// Saves into `file`; a failure is told in a message box and leaves the previous file whole.
bool saveCalculationFile(WindowSet& windows, const QString& file);
// Opens `file`: a file that cannot be read is told in a message box naming it and the reason,
// and nothing in the windows changes. Otherwise every input comes back, the shown tab's
// selection runs with the cursor on the saved unit, the basket is restored, and what no longer
// matches the catalogue is said in one message.
bool openCalculationFile(WindowSet& windows, const QString& file);

// The offer of the basket with the calculation around it.
OfferModel offerFromWindows(WindowSet& windows);

// "Открыть предыдущий расчет", "Сохранить расчет..." and the basket's "Коммерческое
// предложение..." (a print preview of the offer).
void installCalculationActions(WindowSet& windows);

}  // namespace tundrix
