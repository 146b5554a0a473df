// tundrix-cli offer: the commercial offer of a saved calculation's basket (PDF), or the basket
// as CSV.
#include <QGuiApplication>

#include <nlohmann/json.hpp>

#include <ostream>
#include <stdexcept>

#include "basket/basketcsv.h"
#include "calculation/calculationfile.h"
#include "calculation/calculationunits.h"
#include "cli/commands.h"
#include "cli/locale.h"
#include "cli/selectrun.h"
#include "printing/offerbuild.h"
#include "printing/pdfoutput.h"
#include "printing/printapplication.h"

namespace tundrix::cli {

int runOffer(const Context& ctx, const std::vector<std::string>& argv, std::ostream& out) {
    const Args a(argv, {"out", "number", "date"}, {});
    const Calculation c = openFile(fileArgument(a, "offer"));
    const char sep = localeDecimalSeparator();
    if (ctx.format == Format::Csv) {
        Basket basket(sep);
        basket.setItems(basketItems(c.basket, sep));
        out << basketCsv(basket);
        return 0;
    }
    const auto file = a.text("out");
    if (!file || file->empty())
        throw UsageError("--out FILE.pdf is required (or --format csv)");
    printApplication("tundrix-cli");
    OfferSource source = offerSource(c, ctx.dataDir, sep, QGuiApplication::font());
    if (const auto number = a.text("number"))
        source.number = QString::fromStdString(*number);
    if (const auto date = a.text("date"))
        source.date = QString::fromStdString(*date);
    const OfferModel model = buildOffer(c, source);
    QString error;
    if (!writeOfferPdf(model, QString::fromStdString(*file), &error))
        throw std::runtime_error("cannot write " + *file + ": " + error.toStdString());
    writeJson(
        out,
        {{"out", *file}, {"items", int(model.items.size())}, {"total", model.total.toStdString()}});
    out << '\n';
    return 0;
}

}  // namespace tundrix::cli
