#include "printing/selectionprint.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QLocale>

#include <cmath>
#include <span>
#include <stdexcept>

#include "catalogue/agregat.h"
#include "catalogue/catalogue.h"
#include "catalogue/cp1251.h"
#include "catalogue/fileio.h"
#include "catalogue/refrigerants.h"
#include "engine/cyclestate.h"
#include "engine/performance.h"
#include "printing/printtext.h"
#include "printing/reportenvelope.h"
#include "seasonal/owning.h"
#include "seasonal/seasonaltext.h"
#include "selection/numbers.h"
#include "techdata/techdatamodule.h"
#include "techdata/techdatatables.h"

namespace tundrix {

namespace {

// The delivery-set text of a unit, as the details view loads it.
QStringList deliverySet(const Catalogue& cat, int u) {
    const auto text = unitText(cat, cat.agrlist.complectpath[std::size_t(u)], kNoComplect);
    return text ? memoLines(qs(*text)) : QStringList();
}

}  // namespace

int reportRow(const SelectionResult& r, const agregat& units, int row) {
    if (row == 0)
        row = r.cursorRow;
    // Without a unit behind the row there is nothing to report on.
    if (r.rows.size() < 2 || row < 1 || row >= int(r.rows.size()) ||
        r.rows[std::size_t(row)].unit == 0 || !agregat::validUnit(units.order[std::size_t(row)]))
        throw std::runtime_error("no unit in result row " + std::to_string(row) +
                                 ": nothing printed");
    return row;
}

std::optional<std::string> unitText(const Catalogue& cat, const std::string& relative,
                                    std::string_view fallback) {
    auto file = cat.existingFile(relative);
    if (!file)
        file = cat.existingFile(fallback);
    if (!file)
        return std::nullopt;
    const auto bytes = readWholeFile(*file);
    if (!bytes)
        return std::nullopt;
    const std::string_view raw(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    return isValidUtf8(raw) ? std::string(raw) : cp1251ToUtf8(raw);
}

std::vector<ReportRow> techDataRows(const std::filesystem::path& dataDir, UnitKind kind,
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

ReportModel selectionReport(const ReportOptions& options, const SelectionInputs& in,
                            const Catalogue& cat, CycleState& cycle, const SelectionResult& result,
                            int row) {
    const agregat& units = cat.agrlist;
    const SelectionRow& shown = result.rows[std::size_t(row)];
    const int u = units.order[std::size_t(row)];
    const char sep = in.decimalSeparator;

    ReportModel m;
    m.font = printFont(QGuiApplication::font());
    m.dateTime = options.date ? qs(*options.date)
                              : QLocale::system().toString(QDateTime::currentDateTime(),
                                                           QLocale::ShortFormat);
    const Refrigerant& refrigerant = refrigerantEntry(in.refrigerant);
    m.refrigerant = qs(std::string(refrigerant.caption));
    m.refrigerantSafety = qs(safetyText(refrigerant));

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
        const double tc = Performance(units, cycle).condensatetemp(t0, t2, u);
        if (std::isfinite(tc))
            m.condensate = qs(fmt(tc, sep));
    }
    m.ambient = qs(in.ambient);
    m.superheat = qs(in.superheat);
    m.subcool = qs(in.subcool);

    if (isChiller(in.kind)) {
        LiquidInputs liquid = options.liquid;
        liquid.outlet = in.outlet;
        const LiquidSummary s = summarize(liquid, "");
        m.liquid = ReportLiquid{qs(s.liquid), qs(s.flow), qs(s.inletTemperature), qs(in.outlet)};
    }

    const SelectionRow& headings = result.rows.front();
    for (std::size_t c = 0; c < headings.cells.size(); ++c)
        m.result.push_back({qs(headings.cells[c]), qs(shown.cells[c])});
    m.techData = techDataRows(cat.dataDir(), in.kind, units.name[std::size_t(u)]);
    m.deliverySet = deliverySet(cat, u);
    if (in.kind == UnitKind::Out) {
        const SeasonalUnit unit{u, shown.price};
        const UnitSeasonal s =
            seasonalFigures(units, cycle, std::span(&unit, 1), ownConditions(in), options.seasonal)
                .front();
        for (const auto& [label, value] : seasonalRows(s, options.seasonal, sep))
            m.seasonal.push_back({qs(label), qs(value)});
    }
    m.envelope = reportEnvelope(units, cycle, u, t0, t2);
    m.hasUnit = true;
    return m;
}

ListModel selectionList(const SelectionResult& result) {
    if (result.pagesHidden)
        throw std::runtime_error("no unit list for the chosen brands and levels: nothing printed");
    ListModel list;
    list.font = printFont(QGuiApplication::font());
    // The grid shows the headings and, for a list without units, one empty row.
    for (const SelectionRow& row : result.rows) {
        QStringList cells;
        for (const std::string& c : row.cells)
            cells << qs(c);
        list.rows.push_back(cells);
    }
    return list;
}

}  // namespace tundrix
