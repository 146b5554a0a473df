// Calculation files on the command line: `select --save` writes the calculation of a run (with
// units put into its basket) and `open` recomputes a saved calculation and tells what changed.
#include <nlohmann/json.hpp>

#include <cmath>
#include <ctime>
#include <ostream>
#include <stdexcept>

#include "calculation/calculationfile.h"
#include "calculation/calculationunits.h"
#include "calculation/reopencheck.h"
#include "cli/commands.h"
#include "cli/documents.h"
#include "cli/locale.h"
#include "cli/selectrun.h"
#include "selection/numbers.h"

namespace tundrix::cli {

namespace {

// The basket's type text for the result table of a kind (0 condensing units .. 3 chillers).
int resultTable(UnitKind kind) {
    return int(tabOfKind(kind)) - 1;
}

Calculation calculationOfRun(const SelectionSetup& setup, const SelectionRun& run) {
    const SelectionInputs& in = setup.inputs;
    const agregat& list = run.catalogue->agrlist;
    Calculation c;
    c.saved = localDateTime(std::time(nullptr));
    c.inputs = mainInputs(in);
    const MainInputs& m = c.inputs;
    c.liquid.exchanger = int(in.exchanger);
    c.options = chosenOptions(list);
    const SelectionResult& r = run.result;
    if (r.count > 0 && r.cursorRow < int(r.rows.size())) {
        const ResultRecord rec = resultRecord(m.tab, r.rows[std::size_t(r.cursorRow)], list);
        c.cursor[std::size_t(int(m.tab) - 1)] = rec.name;
        c.results.push_back(rec);
    }
    return c;
}

// NAME:QTY of --basket; NAME is a unit's name as listed or as catalogued.
void addToBasket(Basket& basket, const std::string& given, const SelectionSetup& setup,
                 const SelectionRun& run) {
    const auto colon = given.rfind(':');
    const std::string name = given.substr(0, colon);
    const auto quantity =
        colon == std::string::npos ? std::nullopt : parseDouble(given.substr(colon + 1));
    if (name.empty() || !quantity || *quantity <= 0)
        throw UsageError("--basket: expected NAME:QTY with a quantity above 0, got " + given);
    const agregat& list = run.catalogue->agrlist;
    const SelectionResult& r = run.result;
    for (std::size_t i = 1; i < r.rows.size(); ++i) {
        const SelectionRow& row = r.rows[i];
        if (row.unit == 0 || (row.cells[0] != name && list.name[std::size_t(row.unit)] != name))
            continue;
        const char sep = setup.inputs.decimalSeparator;
        const auto added =
            basket.add(Basket::typeText(resultTable(setup.inputs.kind)), row.cells[0], row.cells[5],
                       basketUnit(list, setup.inputs.kind, setup.inputs.refrigerant, row));
        const int k = basket.lastAddedRow();
        // add() counted one; the basket gets the quantity asked for.
        const double before = added == Basket::AddResult::Added
                                  ? 0.0
                                  : readNumber(basket.cell(Basket::Quantity, k), sep, 1.0) - 1.0;
        basket.setCell(Basket::Quantity, k, formatGeneral(before + *quantity, sep));
        basket.recompute();
        return;
    }
    throw UsageError("--basket: no unit " + name + " in the result");
}

}  // namespace

Calculation openFile(const std::string& file) {
    std::string error;
    auto c = loadCalculation(file, error);
    if (!c)
        throw UsageError(file + ": " + error);
    return *c;
}

std::string fileArgument(const Args& a, const char* command) {
    const auto files = a.positional();
    if (files.size() != 1)
        throw UsageError(std::string(command) + ": expected one FILE.tundrix");
    return files.front();
}

namespace {

Json basketJson(const Basket& basket) {
    Json rows = Json::array();
    for (int r = 1; r < basket.rowCount(); ++r) {
        if (!basket.isItem(r))
            continue;
        Json row = Json::array();
        for (int c = 0; c < Basket::kColumns; ++c)
            row.push_back(basket.cell(c, r));
        rows.push_back({{"cells", row}, {"unit", basket.unit(r) ? basket.unit(r)->name : ""}});
    }
    return {{"rows", rows}, {"total", basket.total()}};
}

}  // namespace

void saveSelection(const Args& a, const SelectionSetup& setup, const SelectionRun& run) {
    Calculation c = calculationOfRun(setup, run);
    const char sep = setup.inputs.decimalSeparator;
    Basket basket(sep);
    for (const std::string& given : a.all("basket"))
        addToBasket(basket, given, setup, run);
    c.basket = basketRecords(basket, sep);
    c.total = readNumber(basket.total(), sep, BasketUnit::kNone);
    std::string error;
    if (!saveCalculation(*a.text("save"), c, error))
        throw std::runtime_error(error);
}

int runOpen(const Context& ctx, const std::vector<std::string>& argv, std::ostream& out) {
    const Args a(argv, {}, {});
    const Calculation c = openFile(fileArgument(a, "open"));
    const char sep = localeDecimalSeparator();
    SelectionSetup setup;
    setup.dataDir = ctx.dataDir;
    setup.inputs = selectionInputs(c, sep);
    SelectionRun run = runSelection(setup);
    agregat& list = run.catalogue->agrlist;

    // The options by unit name, then the run again so that the prices include them.
    const OptionsApplied options = applyOptionChoices(list, c.options);
    std::vector<Difference> differences = options.missing;
    if (options.units > 0)
        run.result = Tableoperations(*run.catalogue, *run.cycle, setup.inputs);
    SelectionResult& r = run.result;
    if (c.inputs.tab != CalcTab::Description) {
        const std::string& name = c.cursor[std::size_t(int(c.inputs.tab) - 1)];
        if (const int row = rowOfUnit(r, list, name)) {
            r.cursorRow = row;
            r.modelLabel = r.rows[std::size_t(row)].cells[0];
            for (const ResultRecord& saved : c.results)
                if (saved.tab == c.inputs.tab && saved.name == name)
                    for (const Difference& d : compareResult(saved, r.rows[std::size_t(row)]))
                        differences.push_back(d);
        } else if (!name.empty()) {
            differences.push_back({Difference::Kind::UnitGone, "cursor", name, {}, {}, {}});
        }
    }
    for (const Difference& d : checkBasket(c.basket, ctx.dataDir, sep))
        differences.push_back(d);

    if (ctx.format == Format::Csv) {
        writeSelectionCsv(out, run);
        return 0;
    }
    Basket basket(sep);
    basket.setItems(basketItems(c.basket, sep));
    Json doc = selectionDocument(run);
    doc["basket"] = basketJson(basket);
    Json lines = Json::array();
    for (const Difference& d : differences) {
        Json line = differenceJson(d);
        line["text"] = differenceText(d, sep);
        lines.push_back(std::move(line));
    }
    doc["differences"] = std::move(lines);
    writeJson(out, doc);
    out << '\n';
    return 0;
}

}  // namespace tundrix::cli
