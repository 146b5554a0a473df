#include "server/api.h"

#include <nlohmann/json.hpp>

#include <array>

#include "calculation/calculationfile.h"
#include "calculation/calculationunits.h"
#include "catalogue/fileio.h"
#include "catalogue/refrigerants.h"
#include "cli/commands.h"
#include "cli/documents.h"
#include "printing/selectionprint.h"
#include "server/files.h"
#include "server/qtthread.h"

namespace tundrix::server {

namespace fs = std::filesystem;

namespace {

std::string qstd(const QString& s) {
    return s.toStdString();
}

Json wholeCalculation(Json members) {
    Json whole = Json::object();
    whole["format"] = std::string(kCalculationFormat);
    whole["version"] = kCalculationVersion;
    whole.update(members);
    return whole;
}

}  // namespace

Calculation requestCalculation(std::string_view body, Part part) {
    std::string error;
    auto parsed = parseCalculationText(body, error);
    if (!parsed)
        throw ApiError(400, error);
    Json& document = *parsed;
    const bool whole = document.is_object() && document.contains("format");
    if (!whole && part == Part::Inputs) {
        document = wholeCalculation({{"inputs", std::move(document)}});
    } else if (!whole && part == Part::Basket) {
        // The basket alone, or members of a calculation; the inputs are the reader's defaults
        // unless given.
        document = wholeCalculation(document.is_object() ? std::move(document)
                                                         : Json{{"basket", std::move(document)}});
        if (!document.contains("inputs"))
            document["inputs"] = Json::object();
    }
    auto calculation = calculationFromJson(document, error);
    if (!calculation)
        throw ApiError(400, error);
    return std::move(*calculation);
}

Api::Api(fs::path dataDir, int parallelRuns, char decimalSeparator)
    : pool_(std::move(dataDir), parallelRuns), separator_(decimalSeparator) {}

Reply Api::refrigerants() const {
    return {200, "application/json", jsonText(cli::refrigerantsDocument()) + "\n", {}};
}

Reply Api::kinds() const {
    struct Kind {
        const char* tab;
        const char* caption;
    };
    static constexpr std::array<Kind, 10> kinds = {{
        {"out", "Компрессорно-конденсаторные агрегаты"},
        {"agr", "Компрессорно-ресиверные"},
        {"mka", "Многокомпрессорные"},
        {"chiller", "ГЛЦО"},
        {"chiller", "ГЛЦУ"},
        {"chiller", "ГЛЦР"},
        {"chiller", "ГЛЦК"},
        {"chiller", "ОВ(высокотемпературные)"},
        {"chiller", "ОС(среднетемпературные)"},
        {"chiller", "ОН(низкотемпературные)"},
    }};
    Json list = Json::array();
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        const auto kind = UnitKind(int(k));
        Json entry = {{"code", std::string(kindPrefix(kind))},
                      {"tab", kinds[k].tab},
                      {"caption", kinds[k].caption}};
        entry["chillerType"] = isChiller(kind) ? Json(int(k) - int(UnitKind::Glco)) : Json();
        list.push_back(std::move(entry));
    }
    return {200, "application/json", jsonText(list) + "\n", {}};
}

// The selection run a request describes, on a started catalogue: the inputs, and when the
// request is a calculation, its options by unit name (then the run again, so that the prices
// include them) and the cursor on its saved unit.
Api::Selection Api::selection(std::string_view body) {
    Calculation c = requestCalculation(body, Part::Inputs);
    if (c.inputs.tab == CalcTab::Description)
        throw ApiError(400, "inputs.tab: на вкладке «description» подбора нет");
    cli::SelectionSetup setup;
    setup.dataDir = dataDir();
    setup.inputs = selectionInputs(c, separator_);
    Selection s{pool_.acquire(setup.inputs.refrigerant), std::move(setup), std::move(c)};
    cli::SelectionRun& run = s.lease.run();
    cli::runSelection(run, s.setup);
    agregat& list = run.catalogue->agrlist;
    if (!s.calculation.options.empty() && applyOptionChoices(list, s.calculation.options).units > 0)
        run.result = Tableoperations(*run.catalogue, *run.cycle, s.setup.inputs);
    const std::string& name = s.calculation.cursor[std::size_t(int(s.calculation.inputs.tab) - 1)];
    if (const int row = name.empty() ? 0 : rowOfUnit(run.result, list, name)) {
        run.result.cursorRow = row;
        run.result.modelLabel = run.result.rows[std::size_t(row)].cells[0];
    }
    return s;
}

Reply Api::select(std::string_view body) {
    Selection s = selection(body);
    return {200, "application/json", jsonText(cli::selectionDocument(s.lease.run())) + "\n", {}};
}

Reply Api::unit(const std::string& kindCode, const std::string& refrigerantName,
                const std::string& name) {
    UnitKind kind = UnitKind::None;
    try {
        kind = UnitKind(cli::kindFromCode(kindCode));
    } catch (const cli::UsageError&) {
        throw ApiError(404, "вид агрегатов «" + kindCode + "» программе не известен");
    }
    const auto r = refrigerantByName(refrigerantName);
    if (!r)
        throw ApiError(404, "хладагент «" + refrigerantName + "» программе не известен");
    auto lease = pool_.acquire(*r);
    Catalogue& cat = *lease.run().catalogue;
    // Every list of the kind and refrigerant, as a selection of all levels and brands loads it.
    cat.agrlist = std::move(*std::make_unique<agregat>());
    cat.levelon = {false, true, true, true};
    LoadChoices choices;
    choices.kind = kind;
    choices.refrigerant = *r;
    choices.brandChecked = {false, true, true, true, true};
    choices.rackSizeChecked = {true, true, true, true, true, true};
    choices.exchanger = Exchanger::All;
    const agregat& a = cat.agrlist;
    int k = cat.loadunits(choices);
    while (k > 0 && a.name[std::size_t(k)] != name)
        --k;
    if (k == 0)
        throw ApiError(404, "агрегата «" + name + "» в каталоге нет");
    const auto u = std::size_t(k);

    Json options = Json::array();
    for (int j = 1; j <= OptionBlock::kOptions; ++j)
        if (!a.optionagr[u].name[std::size_t(j)].empty())
            options.push_back({{"option", j},
                               {"name", a.optionagr[u].name[std::size_t(j)]},
                               {"price", a.optionagr[u].price[std::size_t(j)]}});
    Json envelope = Json::array();
    const auto e = a.envelope(k);
    for (std::size_t n = 0; n < e.size(); n += 2)
        envelope.push_back({{"to", e[n]}, {"tc", e[n + 1]}});
    const auto techRows = onQtThread([&] { return techDataRows(dataDir(), kind, name); });
    Json tech = Json::array();
    for (std::size_t i = 1; i < techRows.size(); ++i)
        tech.push_back({{"name", qstd(techRows[i].label)}, {"value", qstd(techRows[i].value)}});
    auto text = [&](const std::string& relative, std::string_view fallback) {
        const auto t = unitText(cat, relative, fallback);
        return t ? Json(*t) : Json();
    };

    Json answer = {
        {"kind", kindCode},
        {"name", name},
        {"brand", a.agrtype[u]},
        {"level", a.layer[u]},
        {"compressors", a.ncompressor[u] + a.ncompressor2[u]},
        {"condensers", a.ncondensator[u]},
        {"price", a.price[u]},
        {"description", text(a.textpath[u], kNoText)},
        {"deliverySet", text(a.complectpath[u], kNoComplect)},
        {"techData", tech},
        {"options", options},
        {"envelope", envelope},
        {"picture", fileLink(dataDir(), a.picturepath[u])},
        {"drawing", fileLink(dataDir(), a.imagepath[u])},
    };
    cli::nameRefrigerant(answer, *r);
    return {200, "application/json", jsonText(answer) + "\n", {}};
}

Reply Api::file(const std::string& path) const {
    const auto file = catalogueFile(dataDir(), path);
    if (!file)
        throw ApiError(404, "файла «" + path + "» нет");
    const auto bytes = readWholeFile(*file);
    if (!bytes)
        throw ApiError(404, "файл «" + path + "» не читается");
    return {200, contentType(*file), std::string(bytes->begin(), bytes->end()), {}};
}

Reply Api::check(std::string_view body) {
    const Calculation c = requestCalculation(body, Part::Whole);
    const cli::OpenedCalculation opened = cli::openCalculation(dataDir(), c, separator_);
    return {200, "application/json", jsonText(cli::openDocument(opened, separator_)) + "\n", {}};
}

}  // namespace tundrix::server
