// tundrix-cli report / list: the printed report on one result row and the selection list,
// written as PDF files through the same layout as the desktop program's printouts. These two
// commands and `offer` are the only ones that need Qt (fonts and the PDF writer); they start a
// QGuiApplication of their own, on the offscreen platform when there is no display.
#include <QString>

#include <nlohmann/json.hpp>

#include <ostream>
#include <stdexcept>

#include "calculation/jsontext.h"
#include "catalogue/agregat.h"
#include "catalogue/catalogue.h"
#include "chiller/liquidcapacity.h"
#include "cli/commands.h"
#include "cli/selectrun.h"
#include "printing/pdfoutput.h"
#include "printing/printapplication.h"
#include "printing/selectionprint.h"

namespace tundrix::cli {
namespace {

std::set<std::string> valuedOptions(bool report) {
    std::set<std::string> names = selectValuedOptions();
    names.insert("out");
    if (report)
        names.insert(
            {"row", "date", "liquid", "concentration", "inlet", "flow", "flow-type", "flow-unit"});
    return names;
}

QString outFile(const Args& a) {
    const auto out = a.text("out");
    if (!out || out->empty())
        throw UsageError("--out FILE.pdf is required");
    return QString::fromStdString(*out);
}

void written(std::ostream& out, const QString& file, int row, const std::string& unit) {
    Json doc = {{"out", file.toStdString()}};
    if (row > 0)
        doc.update({{"row", row}, {"unit", unit}});
    writeJson(out, doc);
    out << '\n';
}

}  // namespace

int runReport(const Context& ctx, const std::vector<std::string>& argv, std::ostream& out) {
    const Args a(argv, valuedOptions(true), selectFlags());
    const QString file = outFile(a);
    const SelectionSetup setup = selectionSetup(ctx, a);
    const SelectionRun run = runSelection(setup);
    const agregat& units = run.catalogue->agrlist;
    const int row =
        reportRow(run.result, units, a.has("row") ? a.integer("row", 1, agregat::kMaxUnits) : 0);
    printApplication("tundrix-cli");
    ReportOptions options;
    options.date = a.text("date");
    options.seasonal = setup.seasonal;
    LiquidInputs& liquid = options.liquid;
    liquid.liquid = a.integer("liquid", 0, kLiquidCount - 1, 0);
    liquid.concentration = a.text("concentration").value_or("");
    liquid.inlet = a.text("inlet").value_or(liquid.inlet);
    liquid.flow = a.text("flow").value_or("");
    liquid.flowType = a.integer("flow-type", 0, kFlowTypeCount - 1, 0);
    liquid.flowUnit = a.integer("flow-unit", 0, 2, 0);
    const ReportModel model =
        selectionReport(options, setup.inputs, *run.catalogue, *run.cycle, run.result, row);
    QString error;
    if (!writeReportPdf(model, file, &error))
        throw std::runtime_error("cannot write " + file.toStdString() + ": " + error.toStdString());
    const int u = units.order[std::size_t(row)];
    written(out, file, row, units.name[std::size_t(u)]);
    return 0;
}

int runList(const Context& ctx, const std::vector<std::string>& argv, std::ostream& out) {
    const Args a(argv, valuedOptions(false), selectFlags());
    const QString file = outFile(a);
    const SelectionRun run = runSelection(selectionSetup(ctx, a));
    if (run.result.pagesHidden)
        throw std::runtime_error("no unit list for the chosen brands and levels: nothing printed");
    printApplication("tundrix-cli");
    const ListModel list = selectionList(run.result);
    QString error;
    if (!writeListPdf(list, file, &error))
        throw std::runtime_error("cannot write " + file.toStdString() + ": " + error.toStdString());
    written(out, file, 0, {});
    return 0;
}

}  // namespace tundrix::cli
