#include "printing/pdfoutput.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <filesystem>
#include <functional>
#include <span>
#include <string>

#include "catalogue/fileio.h"
#include "printing/offerlayout.h"
#include "printing/printlayout.h"

namespace tundrix {

namespace {

// The document is drawn into memory and only a complete one goes to the file, through the
// catalogue's atomic writer: a drawing or writing failure leaves an earlier file of that name
// whole, and the reasons read as every other file error of the program.
template <typename Model>
bool writePdf(const Model& model, const QString& file, QString* error,
              bool (*print)(const Model&, PrintTarget&)) {
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    bool drawn = false;
    {
        QPdfWriter writer(&document);
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        writer.setCreator(QStringLiteral("Tundrix"));
        PagedTarget target(writer, [&writer](const QString& title) { writer.setTitle(title); });
        drawn = print(model, target);
    }
    if (!drawn) {
        if (error)
            *error = QStringLiteral("документ не удалось построить");
        return false;
    }
    const QByteArray& bytes = document.data();
    std::string why;
    if (!writeFileAtomic(std::filesystem::path(file.toStdString()),
                         std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                   std::size_t(bytes.size())),
                         &why)) {
        if (error)
            *error = QString::fromStdString(why);
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
