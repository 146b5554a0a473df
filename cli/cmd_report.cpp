// tundrix-cli report / list: the printed report on one result row and the selection list,
// written as PDF files through the same layout as the desktop program's printouts. These two
// commands are the only ones that need Qt (fonts and the PDF writer); they start a
// QGuiApplication of their own, on the offscreen platform when there is no display.
#include <QDateTime>
#include <QGuiApplication>
#include <QLocale>

#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <stdexcept>

#include "calculation/jsontext.h"
#include "catalogue/agregat.h"
#include "catalogue/catalogue.h"
#include "catalogue/cp1251.h"
#include "catalogue/fileio.h"
#include "catalogue/refrigerants.h"
#include "chiller/liquidcapacity.h"
#include "cli/commands.h"
#include "cli/gui.h"
#include "cli/selectrun.h"
#include "engine/performance.h"
#include "printing/pdfoutput.h"
#include "printing/reportenvelope.h"
#include "printing/reportmodel.h"
#include "selection/numbers.h"
#include "techdata/techdatamodule.h"
#include "techdata/techdatatables.h"

namespace tundrix::cli {
namespace {

constexpr std::string_view kNoComplect = "Complect/Нет.txt";

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

std::set<std::string> valuedOptions(bool report) {
    std::set<std::string> names = selectValuedOptions();
    names.insert("out");
    if (report)
        names.insert(
            {"row", "date", "liquid", "concentration", "inlet", "flow", "flow-type", "flow-unit"});
    return names;
}

// The delivery-set text of a unit, as the details view loads it.
QStringList deliverySet(const Catalogue& cat, int u) {
    auto file = cat.existingFile(cat.agrlist.complectpath[std::size_t(u)]);
    if (!file)
        file = cat.existingFile(kNoComplect);
    if (!file)
        return {};
    const auto bytes = readWholeFile(*file);
    if (!bytes)
        return {};
    const std::string_view raw(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    return memoLines(qs(isValidUtf8(raw) ? std::string(raw) : cp1251ToUtf8(raw)));
}

// The technical-data rows of the unit, heading first, as the details view fills its grid.
std::vector<ReportRow> techData(const std::filesystem::path& dataDir, UnitKind kind,
                                const std::string& name) {
    std::vector<ReportRow> rows = {{QStringLiteral("Характеристика"), QStringLiteral("Значение")}};
    TechDataModule module(dataDir);
    module.setTableName(techDataTableForKind(kind));
    if (!module.open()) {
        rows.push_back({QStringLiteral("Технические данные недоступны"), module.lastError()});
        return rows;
    }
    const int record = module.recordNo(qs(name));
    for (int f = 1; f < module.fieldCount(); ++f)
        rows.push_back({module.fieldName(f), record > 0 ? module.value(record, f) : QString()});
    return rows;
}

ReportModel reportModel(const Args& a, const SelectionSetup& setup, const SelectionRun& run,
                        int row) {
    const SelectionInputs& in = setup.inputs;
    const Catalogue& cat = *run.catalogue;
    const agregat& units = cat.agrlist;
    const SelectionRow& shown = run.result.rows[std::size_t(row)];
    const int u = units.order[std::size_t(row)];
    const char sep = in.decimalSeparator;

    ReportModel m;
    m.font = printFont(QGuiApplication::font());
    m.dateTime = a.has("date") ? qs(*a.text("date"))
                               : QLocale::system().toString(QDateTime::currentDateTime(),
                                                            QLocale::ShortFormat);
    const Refrigerant& refrigerant = refrigerantEntry(in.refrigerant);
    m.refrigerant = qs(std::string(refrigerant.caption));
    m.refrigerantSafety = qs(safetyText(refrigerant));

    // The fields as the details view leaves them for this row: a chiller's evaporating
    // temperature from the outlet temperature, the condensing temperature of a unit with
    // condensers from the balance.
    double t0 = readNumber(in.evaporate, sep, 0);
    m.evaporate = qs(in.evaporate);
    if (isChiller(in.kind) && !in.useEvaporate) {
        t0 = readNumber(in.outlet, sep, 0) - units.delta[std::size_t(u)];
        m.evaporate = QString::number(int(std::nearbyint(t0)));
    }
    const double t2 =
        in.ambientMode ? readNumber(in.ambient, sep, 0) : readNumber(in.condensate, sep, 0);
    m.condensate = qs(in.condensate);
    if (!units.name[std::size_t(u)].empty() && units.ncondensator[std::size_t(u)] != 0) {
        const double tc = Performance(units, *run.cycle).condensatetemp(t0, t2, u);
        if (std::isfinite(tc))
            m.condensate = qs(fmt(tc, sep));
    }
    m.ambient = qs(in.ambient);
    m.superheat = qs(in.superheat);
    m.subcool = qs(in.subcool);

    if (isChiller(in.kind)) {
        LiquidInputs liquid;
        liquid.liquid = a.integer("liquid", 0, kLiquidCount - 1, 0);
        liquid.concentration = a.text("concentration").value_or("");
        liquid.inlet = a.text("inlet").value_or(liquid.inlet);
        liquid.outlet = in.outlet;
        liquid.flow = a.text("flow").value_or("");
        liquid.flowType = a.integer("flow-type", 0, kFlowTypeCount - 1, 0);
        liquid.flowUnit = a.integer("flow-unit", 0, 2, 0);
        const LiquidSummary s = summarize(liquid, "");
        m.liquid = ReportLiquid{qs(s.liquid), qs(s.flow), qs(s.inletTemperature), qs(in.outlet)};
    }

    const SelectionRow& headings = run.result.rows.front();
    for (std::size_t c = 0; c < headings.cells.size(); ++c)
        m.result.push_back({qs(headings.cells[c]), qs(shown.cells[c])});
    m.techData = techData(setup.dataDir, in.kind, units.name[std::size_t(u)]);
    m.deliverySet = deliverySet(cat, u);
    m.envelope = reportEnvelope(units, *run.cycle, u, t0, t2);
    m.hasUnit = true;
    return m;
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

// Fonts and the PDF writer need a GUI application object; a session without a display (a
// build server, a remote shell) gets the offscreen platform.
QGuiApplication& guiApplication() {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return *app;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY") &&
        !qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tundrix-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

int runReport(const Context& ctx, const std::vector<std::string>& argv, std::ostream& out) {
    const Args a(argv, valuedOptions(true), selectFlags());
    const QString file = outFile(a);
    const SelectionSetup setup = selectionSetup(ctx, a);
    const SelectionRun run = runSelection(setup);
    const SelectionResult& r = run.result;
    const int row = a.has("row") ? a.integer("row", 1, agregat::kMaxUnits) : r.cursorRow;
    // Without a unit behind the row there is nothing to report on.
    if (r.rows.size() < 2 || row >= int(r.rows.size()) || r.rows[std::size_t(row)].unit == 0 ||
        !agregat::validUnit(run.catalogue->agrlist.order[std::size_t(row)]))
        throw std::runtime_error("no unit in result row " + std::to_string(row) +
                                 ": nothing printed");
    guiApplication();
    const ReportModel model = reportModel(a, setup, run, row);
    QString error;
    if (!writeReportPdf(model, file, &error))
        throw std::runtime_error("cannot write " + file.toStdString() + ": " + error.toStdString());
    const int u = run.catalogue->agrlist.order[std::size_t(row)];
    written(out, file, row, run.catalogue->agrlist.name[std::size_t(u)]);
    return 0;
}

int runList(const Context& ctx, const std::vector<std::string>& argv, std::ostream& out) {
    const Args a(argv, valuedOptions(false), selectFlags());
    const QString file = outFile(a);
    const SelectionRun run = runSelection(selectionSetup(ctx, a));
    if (run.result.pagesHidden)
        throw std::runtime_error("no unit list for the chosen brands and levels: nothing printed");
    guiApplication();
    ListModel list;
    list.font = printFont(QGuiApplication::font());
    // The grid shows the headings and, for a list without units, one empty row.
    for (const SelectionRow& row : run.result.rows) {
        QStringList cells;
        for (const std::string& c : row.cells)
            cells << qs(c);
        list.rows.push_back(cells);
    }
    QString error;
    if (!writeListPdf(list, file, &error))
        throw std::runtime_error("cannot write " + file.toStdString() + ": " + error.toStdString());
    written(out, file, 0, {});
    return 0;
}

}  // namespace tundrix::cli
