#include "printing/pdfoutput.h"

#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <functional>

#include "printing/offerlayout.h"
#include "printing/printlayout.h"

namespace tundrix {

namespace {

template <typename Model>
bool writePdf(const Model& model, const QString& file, QString* error,
              bool (*print)(const Model&, PrintTarget&)) {
    {
        // QPdfWriter does not say when it cannot open its file; try it first.
        QFile probe(file);
        if (!probe.open(QIODevice::WriteOnly)) {
            if (error)
                *error = probe.errorString();
            return false;
        }
    }
    QPdfWriter writer(file);
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    writer.setCreator(QStringLiteral("Tundrix"));
    PagedTarget target(writer, [&writer](const QString& title) { writer.setTitle(title); });
    if (!print(model, target)) {
        if (error)
            *error = QStringLiteral("PDF-файл не записан");
        return false;
    }
    return true;
}

}  // namespace

bool writeReportPdf(const ReportModel& model, const QString& file, QString* error) {
    return writePdf(model, file, error, &Printeasy);
}

bool writeListPdf(const ListModel& model, const QString& file, QString* error) {
    return writePdf(model, file, error, &Printlist);
}

bool writeOfferPdf(const OfferModel& model, const QString& file, QString* error) {
    return writePdf(model, file, error, &Printoffer);
}

}  // namespace tundrix
