// tundrix-cli offer: the commercial offer of a saved calculation's basket (PDF), or the basket
// as CSV.
#include <QGuiApplication>

#include <nlohmann/json.hpp>

#include <ostream>
#include <stdexcept>

#include "basket/basketcsv.h"
#include "calculation/calculationfile.h"
#include "calculation/calculationunits.h"
#include "catalogue/refrigerants.h"
#include "cli/commands.h"
#include "cli/gui.h"
#include "cli/locale.h"
#include "cli/selectrun.h"
#include "printing/offerbuild.h"
#include "printing/pdfoutput.h"
#include "printing/reportmodel.h"

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
    guiApplication();
    OfferSource source;
    source.dataDir = ctx.dataDir;
    source.decimalSeparator = sep;
    // The items of the main window's refrigerant selector.
    for (const Refrigerant& r : kRefrigerantTable)
        source.refrigerants << QString::fromUtf8(r.caption.data(), qsizetype(r.caption.size()));
    source.number = QString::fromStdString(a.text("number").value_or(offerNumber(c.saved)));
    source.date = QString::fromStdString(a.text("date").value_or(offerDate(c.saved)));
    source.font = printFont(QGuiApplication::font());
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
