// A commercial offer from a calculation: the basket's items, each catalogue unit with its
// figures from the calculation, its dimensions and weight from the technical data and its
// picture, and the conditions of the calculation. The windows and the command line both build
// their offer here, the windows from the calculation they would save.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <string>

#include "calculation/calculation.h"
#include "printing/offermodel.h"

namespace tundrix {

struct OfferSource {
    std::filesystem::path dataDir;  // the catalogue the units are looked up in
    char decimalSeparator = ',';
    QStringList refrigerants;  // captions of the refrigerant selector, by index
    QString number;
    QString date;
    QFont font;
};

OfferModel buildOffer(const Calculation& calculation, const OfferSource& source);

// The source of a calculation's offer on the catalogue in `dataDir`: every refrigerant's caption,
// the number and date from the calculation's time of saving, the print font from `tableFont`.
OfferSource offerSource(const Calculation& calculation, std::filesystem::path dataDir,
                        char decimalSeparator, const QFont& tableFont);

// The offer's number and date from the calculation's date and time ("2025-03-01T10:15:00" gives
// "20250301-1015" and "01.03.2025"); a calculation without one takes the present moment.
std::string offerNumber(const std::string& saved);
std::string offerDate(const std::string& saved);

// Technical-data fields an offer shows: dimensions and weight.
bool offerTechnicalField(const QString& fieldName);

}  // namespace tundrix
