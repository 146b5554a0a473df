// The printed documents of the API: the report and the selection list of a selection run and
// the commercial offer of a basket, made by the command line's own code on the Qt thread and
// handed out as PDF bytes; the basket also as CSV.
#include <QGuiApplication>
#include <QString>

#include <unistd.h>
#include <atomic>
#include <cstdio>

#include "basket/basketcsv.h"
#include "calculation/calculationunits.h"
#include "catalogue/fileio.h"
#include "cli/args.h"
#include "printing/offerbuild.h"
#include "printing/pdfoutput.h"
#include "printing/selectionprint.h"
#include "server/api.h"
#include "server/qtthread.h"

namespace tundrix::server {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> queryValue(const Query& query, const std::string& name) {
    const auto it = query.find(name);
    return it == query.end() ? std::nullopt : std::optional<std::string>(it->second);
}

// The PDF the writer makes, as bytes: written to a file of this process's own, read and removed.
template <typename Model>
std::string pdfBytes(const Model& model, bool (*write)(const Model&, const QString&, QString*)) {
    static std::atomic<unsigned> serial{0};
    const fs::path file =
        fs::temp_directory_path() /
        ("tundrix-server-" + std::to_string(::getpid()) + "-" + std::to_string(++serial) + ".pdf");
    QString error;
    const bool written = write(model, QString::fromStdString(file.string()), &error);
    const auto bytes = written ? readWholeFile(file) : std::nullopt;
    std::error_code ec;
    fs::remove(file, ec);
    if (!bytes)
        throw std::runtime_error("PDF не записан: " + error.toStdString());
    return std::string(bytes->begin(), bytes->end());
}

}  // namespace

Reply Api::report(std::string_view body, const Query& query) {
    Selection s = selection(body);
    int row = 0;
    if (const auto given = queryValue(query, "row")) {
        const auto n = cli::parseInt(*given);
        if (!n || *n < 1 || *n > agregat::kMaxUnits)
            throw ApiError(400, "row: ожидается номер строки 1.." +
                                    std::to_string(agregat::kMaxUnits) + ", получено " + *given);
        row = *n;
    }
    const cli::SelectionRun& run = s.lease.run();
    try {
        row = reportRow(run.result, run.catalogue->agrlist, row);
    } catch (const std::runtime_error&) {
        throw ApiError(404, "в строке " + std::to_string(row) + " результата агрегата нет");
    }
    ReportOptions options;
    options.date = queryValue(query, "date");
    options.liquid = liquidInputs(s.calculation.liquid, separator_);
    std::string pdf = onQtThread([&] {
        return pdfBytes(selectionReport(options, s.setup.inputs, *run.catalogue, *run.cycle,
                                        run.result, row),
                        &writeReportPdf);
    });
    return {200, "application/pdf", std::move(pdf), "report.pdf"};
}

Reply Api::list(std::string_view body) {
    Selection s = selection(body);
    if (s.lease.run().result.pagesHidden)
        throw ApiError(404, "списков агрегатов для выбранных марок и исполнения нет");
    std::string pdf =
        onQtThread([&] { return pdfBytes(selectionList(s.lease.run().result), &writeListPdf); });
    return {200, "application/pdf", std::move(pdf), "list.pdf"};
}

Reply Api::offer(std::string_view body, const Query& query) {
    const Calculation c = requestCalculation(body, Part::Basket);
    if (queryValue(query, "format").value_or("pdf") == "csv") {
        Basket basket(separator_);
        basket.setItems(basketItems(c.basket, separator_));
        return {200, "text/csv; charset=utf-8", basketCsv(basket), "offer.csv"};
    }
    if (queryValue(query, "format").value_or("pdf") != "pdf")
        throw ApiError(400, "format: ожидается pdf или csv");
    std::string pdf = onQtThread([&] {
        OfferSource source = offerSource(c, dataDir(), separator_, QGuiApplication::font());
        if (const auto number = queryValue(query, "number"))
            source.number = QString::fromStdString(*number);
        if (const auto date = queryValue(query, "date"))
            source.date = QString::fromStdString(*date);
        return pdfBytes(buildOffer(c, source), &writeOfferPdf);
    });
    return {200, "application/pdf", std::move(pdf), "offer.pdf"};
}

}  // namespace tundrix::server
