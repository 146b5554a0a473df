#include "server/api.h"

#include <array>
#include <sstream>

#include "calculation/calculationfile.h"
#include "calculation/calculationunits.h"
#include "catalogue/fileio.h"
#include "catalogue/refrigerants.h"
#include "cli/commands.h"
#include "cli/json.h"
#include "cli/printrun.h"
#include "server/files.h"
#include "server/qtthread.h"

namespace tundrix::server {

namespace fs = std::filesystem;

namespace {

// Calculation files nest four levels deep; a body nested far deeper is not one.
constexpr int kMaxDepth = 32;

struct TooDeep {};

std::string qstd(const QString& s) {
    return s.toStdString();
}

// Refrigerants named by caption or code ("R448A", "448a") become the index the calculation
// reader takes; a name it does not know is refused with the names it does.
void refrigerantIndex(Json& value, const std::string& where) {
    if (!value.is_string())
        return;
    const std::string name = value.get<std::string>();
    const auto index = refrigerantByName(name);
    if (!index)
        throw ApiError(400, where + ": хладагент «" + name + "» программе не известен (" +
                                refrigerantNames() + ")");
    value = *index;
}

void refrigerantIndices(Json& document) {
    if (document.contains("inputs") && document["inputs"].is_object() &&
        document["inputs"].contains("refrigerant"))
        refrigerantIndex(document["inputs"]["refrigerant"], "inputs.refrigerant");
    if (!document.contains("basket") || !document["basket"].is_array())
        return;
    for (Json& row : document["basket"])
        if (row.is_object() && row.contains("unit") && row["unit"].is_object() &&
            row["unit"].contains("refrigerant"))
            refrigerantIndex(row["unit"]["refrigerant"], "basket.unit.refrigerant");
}

template <typename Fill>
std::string jsonAnswer(Fill fill) {
    std::ostringstream out;
    cli::JsonWriter j(out);
    j.beginObject();
    fill(j);
    j.endObject();
    out << '\n';
    return out.str();
}

}  // namespace

Json parseBody(std::string_view body) {
    try {
        return Json::parse(body, [](int depth, Json::parse_event_t, Json&) {
            if (depth > kMaxDepth)
                throw TooDeep{};
            return true;
        });
    } catch (const Json::parse_error& e) {
        throw ApiError(400, "это не JSON (ошибка в байте " + std::to_string(e.byte) + ")");
    } catch (const Json::exception& e) {
        throw ApiError(400, std::string("это не JSON: ") + e.what());
    } catch (const TooDeep&) {
        throw ApiError(400, "вложенность JSON глубже " + std::to_string(kMaxDepth) + " уровней");
    }
}

Calculation requestCalculation(Json document, std::string_view what) {
    if (!what.empty() && !(document.is_object() && document.contains("format"))) {
        Json whole = Json::object();
        whole["format"] = std::string(kCalculationFormat);
        whole["version"] = kCalculationVersion;
        whole[std::string(what)] = std::move(document);
        document = std::move(whole);
    }
    if (document.is_object() && document.contains("basket") && document["basket"].is_array() &&
        document["basket"].size() > kMaxBasketRows)
        throw ApiError(400, "в корзине больше " + std::to_string(kMaxBasketRows) + " строк");
    if (document.is_object())
        refrigerantIndices(document);
    std::string error;
    auto calculation = calculationFromJson(document, error);
    if (!calculation)
        throw ApiError(400, error);
    return *calculation;
}

Api::Api(fs::path dataDir, int parallelRuns, char decimalSeparator)
    : pool_(std::move(dataDir), parallelRuns), separator_(decimalSeparator) {}

Reply Api::refrigerants() const {
    std::ostringstream out;
    cli::runRefrigerants(cli::Context{dataDir(), cli::Format::Json}, {}, out);
    return {200, "application/json", out.str(), {}};
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
    Calculation c = requestCalculation(parseBody(body), "inputs");
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
    return {200,
            "application/json",
            jsonAnswer([&](cli::JsonWriter& j) { cli::writeSelectionFields(j, s.lease.run()); }),
            {}};
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
    const Refrigerant& refrigerant = refrigerantEntry(*r);

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
    const auto techRows = onQtThread([&] { return cli::techData(dataDir(), kind, name); });
    Json tech = Json::array();
    for (std::size_t i = 1; i < techRows.size(); ++i)
        tech.push_back({{"name", qstd(techRows[i].label)}, {"value", qstd(techRows[i].value)}});
    auto text = [&](const std::string& relative, std::string_view fallback) {
        const auto t = cli::unitText(cat, relative, fallback);
        return t ? Json(*t) : Json();
    };

    Json answer = {
        {"kind", kindCode},
        {"refrigerant",
         {{"index", *r},
          {"code", std::string(refrigerant.code)},
          {"caption", std::string(refrigerant.caption)}}},
        {"name", name},
        {"brand", a.agrtype[u]},
        {"level", a.layer[u]},
        {"compressors", a.ncompressor[u] + a.ncompressor2[u]},
        {"condensers", a.ncondensator[u]},
        {"price", a.price[u]},
        {"description", text(a.textpath[u], cli::kNoText)},
        {"deliverySet", text(a.complectpath[u], cli::kNoComplect)},
        {"techData", tech},
        {"options", options},
        {"envelope", envelope},
        {"picture", fileLink(dataDir(), a.picturepath[u])},
        {"drawing", fileLink(dataDir(), a.imagepath[u])},
    };
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
    const Calculation c = requestCalculation(parseBody(body), "");
    const cli::OpenedCalculation opened = cli::openCalculation(dataDir(), c, separator_);
    return {200,
            "application/json",
            jsonAnswer([&](cli::JsonWriter& j) { cli::writeOpenFields(j, opened, separator_); }),
            {}};
}

}  // namespace tundrix::server
