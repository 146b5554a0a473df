// The printed documents written to a PDF file (A4, 600 dots per inch), for users without a
// printer and for the command line. A PDF page has no unprintable margins, so the layout's
// offsets are 0 and its own spacing from the paper's edge is all there is.
#pragma once

#include <QString>

#include "printing/offermodel.h"
#include "printing/reportmodel.h"

namespace tundrix {

// False with the reason in `error` when the file cannot be written.
bool writeReportPdf(const ReportModel& model, const QString& file, QString* error = nullptr);
bool writeListPdf(const ListModel& model, const QString& file, QString* error = nullptr);
bool writeOfferPdf(const OfferModel& model, const QString& file, QString* error = nullptr);

}  // namespace tundrix
