#include "calculation/calculationfile.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

#include "catalogue/fileio.h"
#include "catalogue/filenames.h"
#include "chiller/flowunits.h"
#include "chiller/liquids.h"

namespace tundrix {

namespace {

// --- writing ---

Json number(const std::optional<double>& v) {
    return v ? Json(*v) : Json(nullptr);
}

Json number(double v) {
    return std::isfinite(v) ? Json(v) : Json(nullptr);
}

Json basketValue(const BasketValue& v) {
    return v.number ? Json(*v.number) : Json(v.text);
}

template <std::size_t N>
Json ticked(const std::array<bool, N>& on, int from) {
    Json list = Json::array();
    for (int i = from; i < int(N); ++i)
        if (on[std::size_t(i)])
            list.push_back(i);
    return list;
}

// A refrigerant by its caption, which names it for good (its index is its place in the selector).
Json refrigerantJson(int r) {
    return validRefrigerant(r) ? Json(std::string(refrigerantEntry(r).caption)) : Json(r);
}

Json unitJson(const BasketUnit& u) {
    return {{"kind", std::string(kindPrefix(u.kind))},
            {"refrigerant", refrigerantJson(u.refrigerant)},
            {"brand", u.brand},
            {"level", u.level},
            {"name", u.name},
            {"options", u.options},
            {"listPrice", number(u.listPrice)},
            {"capacity", number(u.capacity)},
            {"power", number(u.power)},
            {"heat", number(u.heat)},
            {"current", number(u.current)},
            {"to", number(u.to)},
            {"tc", number(u.tc)}};
}

// --- reading: every value is checked; the first fault ends the reading with its reason ---

struct Fault {
    std::string reason;
};

class Reader {
public:
    Reader(const Json& v, std::string path) : v_(v), path_(std::move(path)) {}

    bool has(const std::string& key) const { return v_.is_object() && v_.contains(key); }
    Reader at(const std::string& key) const {
        const std::string path = path_.empty() ? key : path_ + "." + key;
        if (!has(key))
            throw Fault{"нет поля «" + path + "»"};
        return Reader(v_.at(key), path);
    }
    Reader at(std::size_t i) const {
        return Reader(v_.at(i), path_ + "[" + std::to_string(i) + "]");
    }
    bool isNull() const { return v_.is_null(); }

    [[noreturn]] void fail(const std::string& why) const {
        throw Fault{"поле «" + path_ + "»: " + why};
    }

    void object() const {
        if (!v_.is_object())
            fail("ожидается объект");
    }
    std::size_t array() const {
        if (!v_.is_array())
            fail("ожидается список");
        return v_.size();
    }
    std::string text() const {
        if (!v_.is_string())
            fail("ожидается текст");
        return v_.get<std::string>();
    }
    bool flag() const {
        if (!v_.is_boolean())
            fail("ожидается true или false");
        return v_.get<bool>();
    }
    double number() const {
        if (!v_.is_number())
            fail("ожидается число");
        return v_.get<double>();
    }
    std::optional<double> numberOrNone() const {
        if (v_.is_null())
            return std::nullopt;
        return number();
    }
    double numberOrNaN() const { return numberOrNone().value_or(BasketUnit::kNone); }
    int integer(int lo, int hi) const {
        if (!v_.is_number_integer())
            fail("ожидается целое число");
        if (!fitsInt())
            fail("значение " + v_.dump() + " вне диапазона " + std::to_string(lo) + ".." +
                 std::to_string(hi));
        const auto i = v_.get<std::int64_t>();
        if (i < lo || i > hi)
            fail("значение " + std::to_string(i) + " вне диапазона " + std::to_string(lo) + ".." +
                 std::to_string(hi));
        return int(i);
    }
    // A caption or code ("R448A", "448a"; files since version 2) or the selector's index (all
    // files of version 1).
    int refrigerant() const {
        if (v_.is_string()) {
            const std::string name = text();
            if (const auto r = refrigerantByName(name))
                return *r;
            fail("хладагент «" + name + "» программе не известен");
        }
        if (!v_.is_number_integer())
            fail("ожидается название или номер хладагента");
        if (!fitsInt() || v_.get<std::int64_t>() < 0 ||
            !validRefrigerant(int(v_.get<std::int64_t>())))
            fail("хладагент " + v_.dump() + " программе не известен");
        return int(v_.get<std::int64_t>());
    }
    UnitKind kind() const {
        const std::string code = text();
        for (int k = int(UnitKind::Out); k <= int(UnitKind::On); ++k)
            if (kindPrefix(UnitKind(k)) == code)
                return UnitKind(k);
        fail("вид агрегатов «" + code + "» программе не известен");
    }
    CalcTab tab(bool kindTabOnly) const {
        const std::string code = text();
        const auto t = tabFromCode(code);
        if (!t || (kindTabOnly && *t == CalcTab::Description))
            fail("вкладка «" + code + "» программе не известна");
        return *t;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (std::size_t i = 0, n = array(); i < n; ++i)
            out.push_back(at(i).text());
        return out;
    }
    BasketValue basketValue() const {
        if (v_.is_string())
            return {std::nullopt, text()};
        return {number(), {}};
    }

    // An optional member: read when present.
    template <typename T, typename F>
    void optional(const std::string& key, T& target, F read) const {
        if (has(key))
            target = read(at(key));
    }

private:
    // An integer the program's int holds; an unsigned one above the signed range would read
    // back negative.
    bool fitsInt() const {
        if (v_.is_number_unsigned())
            return v_.get<std::uint64_t>() <= std::uint64_t(std::numeric_limits<int>::max());
        const auto i = v_.get<std::int64_t>();
        return i >= std::numeric_limits<int>::min() && i <= std::numeric_limits<int>::max();
    }

    const Json& v_;
    std::string path_;
};

std::optional<double> num(const Reader& x) {
    return x.numberOrNone();
}
double numOrNaN(const Reader& x) {
    return x.numberOrNaN();
}
bool flag(const Reader& x) {
    return x.flag();
}
std::string text(const Reader& x) {
    return x.text();
}

template <std::size_t N>
std::array<bool, N> tickedFrom(const Reader& r, int lo, int hi) {
    std::array<bool, N> on{};
    for (std::size_t i = 0, n = r.array(); i < n; ++i)
        on[std::size_t(r.at(i).integer(lo, hi))] = true;
    return on;
}

MainInputs readInputs(const Reader& r) {
    r.object();
    MainInputs in;
    r.optional("tab", in.tab, [](const Reader& x) { return x.tab(false); });
    r.optional("evaporate", in.evaporate, num);
    r.optional("condensate", in.condensate, num);
    r.optional("ambient", in.ambient, num);
    r.optional("superheat", in.superheat, num);
    r.optional("subcool", in.subcool, num);
    r.optional("required", in.required, num);
    r.optional("outlet", in.outlet, num);
    r.optional("cheapest", in.cheapest, flag);
    r.optional("refrigerant", in.refrigerant, [](const Reader& x) { return x.refrigerant(); });
    r.optional("level", in.level, [](const Reader& x) { return x.integer(0, 5); });
    r.optional("brands", in.brands,
               [](const Reader& x) { return tickedFrom<kBrands + 1>(x, 1, kBrands); });
    r.optional("racks", in.racks, [](const Reader& x) { return tickedFrom<6>(x, 2, 5); });
    r.optional("ambientMode", in.ambientMode, flag);
    r.optional("chillerType", in.chillerType, [](const Reader& x) { return x.integer(0, 6); });
    r.optional("useEvaporate", in.useEvaporate, flag);
    return in;
}

LiquidSettings readLiquid(const Reader& r) {
    r.object();
    LiquidSettings l;
    r.optional("liquid", l.liquid, [](const Reader& x) { return x.integer(0, kLiquidCount - 1); });
    r.optional("concentration", l.concentration, num);
    r.optional("inlet", l.inlet, num);
    r.optional("outlet", l.outlet, num);
    r.optional("flow", l.flow, num);
    r.optional("flowType", l.flowType,
               [](const Reader& x) { return x.integer(0, kFlowTypeCount - 1); });
    const int units = int(flowUnitNames(FlowType(l.flowType)).size());
    r.optional("flowUnit", l.flowUnit,
               [units](const Reader& x) { return x.integer(0, units - 1); });
    r.optional("exchanger", l.exchanger,
               [](const Reader& x) { return x.integer(0, kExchangerCount - 1); });
    r.optional("exchangerDifference", l.exchangerDifference, [](const Reader& x) {
        const double d = x.number();
        if (d < 0 || d > 100)
            x.fail("разность температур вне диапазона 0..100 K");
        return d;
    });
    r.optional("capacity", l.capacity, num);
    return l;
}

BasketUnit readUnit(const Reader& r) {
    r.object();
    BasketUnit u;
    u.kind = r.at("kind").kind();
    u.refrigerant = r.at("refrigerant").refrigerant();
    u.brand = r.at("brand").integer(1, kBrands);
    u.level = r.at("level").integer(1, kLevels);
    u.name = r.at("name").text();
    r.optional("options", u.options, [](const Reader& x) { return x.texts(); });
    r.optional("listPrice", u.listPrice, numOrNaN);
    r.optional("capacity", u.capacity, numOrNaN);
    r.optional("power", u.power, numOrNaN);
    r.optional("heat", u.heat, numOrNaN);
    r.optional("current", u.current, numOrNaN);
    r.optional("to", u.to, numOrNaN);
    r.optional("tc", u.tc, numOrNaN);
    return u;
}

std::string tooManyRows(std::size_t rows) {
    return "в корзине больше " + std::to_string(kCalculationMaxBasketRows) + " строк (" +
           std::to_string(rows) + ")";
}

// Calls `read` for each element of the optional list `key`.
template <typename F>
void eachOf(const Reader& r, const std::string& key, F read) {
    if (!r.has(key))
        return;
    const Reader list = r.at(key);
    for (std::size_t i = 0, n = list.array(); i < n; ++i) {
        const Reader item = list.at(i);
        item.object();
        read(item);
    }
}

Calculation readCalculation(const Reader& r) {
    Calculation c;
    r.optional("saved", c.saved, text);
    c.inputs = readInputs(r.at("inputs"));
    r.optional("liquid", c.liquid, readLiquid);
    eachOf(r, "options", [&c](const Reader& o) {
        c.options.push_back({o.at("unit").text(), o.at("options").texts()});
    });
    if (r.has("cursor")) {
        const Reader cursor = r.at("cursor");
        cursor.object();
        for (int t = 1; t <= kUnitTabs; ++t) {
            const std::string code(tabCode(CalcTab(t)));
            if (cursor.has(code) && !cursor.at(code).isNull())
                c.cursor[std::size_t(t - 1)] = cursor.at(code).text();
        }
    }
    eachOf(r, "results", [&c](const Reader& x) {
        ResultRecord rec;
        rec.tab = x.at("tab").tab(true);
        rec.name = x.at("name").text();
        x.optional("capacity", rec.capacity, numOrNaN);
        x.optional("power", rec.power, numOrNaN);
        x.optional("heat", rec.heat, numOrNaN);
        x.optional("current", rec.current, numOrNaN);
        x.optional("price", rec.price, numOrNaN);
        c.results.push_back(std::move(rec));
    });
    if (r.has("basket")) {
        const Reader basket = r.at("basket");
        if (const std::size_t rows = basket.array(); rows > kCalculationMaxBasketRows)
            basket.fail(tooManyRows(rows));
    }
    eachOf(r, "basket", [&c](const Reader& x) {
        BasketRecord rec;
        rec.type = x.at("type").text();
        rec.model = x.at("model").text();
        rec.quantity = x.at("quantity").basketValue();
        rec.price = x.at("price").basketValue();
        x.optional("cost", rec.cost, numOrNaN);
        if (x.has("unit") && !x.at("unit").isNull())
            rec.unit = readUnit(x.at("unit"));
        c.basket.push_back(std::move(rec));
    });
    r.optional("total", c.total, numOrNaN);
    return c;
}

}  // namespace

Json calculationJson(const Calculation& c) {
    const MainInputs& in = c.inputs;
    const LiquidSettings& l = c.liquid;
    Json doc = {{"format", std::string(kCalculationFormat)},
                {"version", kCalculationVersion},
                {"saved", c.saved}};
    doc["inputs"] = {{"tab", std::string(tabCode(in.tab))},
                     {"evaporate", number(in.evaporate)},
                     {"condensate", number(in.condensate)},
                     {"ambient", number(in.ambient)},
                     {"superheat", number(in.superheat)},
                     {"subcool", number(in.subcool)},
                     {"required", number(in.required)},
                     {"outlet", number(in.outlet)},
                     {"cheapest", in.cheapest},
                     {"refrigerant", refrigerantJson(in.refrigerant)},
                     {"level", in.level},
                     {"brands", ticked(in.brands, 1)},
                     {"racks", ticked(in.racks, 2)},
                     {"ambientMode", in.ambientMode},
                     {"chillerType", in.chillerType},
                     {"useEvaporate", in.useEvaporate}};
    doc["liquid"] = {{"liquid", l.liquid},
                     {"concentration", number(l.concentration)},
                     {"inlet", number(l.inlet)},
                     {"outlet", number(l.outlet)},
                     {"flow", number(l.flow)},
                     {"flowType", l.flowType},
                     {"flowUnit", l.flowUnit},
                     {"exchanger", l.exchanger},
                     {"exchangerDifference", l.exchangerDifference},
                     {"capacity", number(l.capacity)}};
    Json options = Json::array();
    for (const OptionChoice& o : c.options)
        options.push_back({{"unit", o.unit}, {"options", o.options}});
    doc["options"] = std::move(options);
    Json cursor = Json::object();
    for (int t = 1; t <= kUnitTabs; ++t) {
        const std::string& name = c.cursor[std::size_t(t - 1)];
        cursor[std::string(tabCode(CalcTab(t)))] = name.empty() ? Json(nullptr) : Json(name);
    }
    doc["cursor"] = std::move(cursor);
    Json results = Json::array();
    for (const ResultRecord& r : c.results)
        results.push_back({{"tab", std::string(tabCode(r.tab))},
                           {"name", r.name},
                           {"capacity", number(r.capacity)},
                           {"power", number(r.power)},
                           {"heat", number(r.heat)},
                           {"current", number(r.current)},
                           {"price", number(r.price)}});
    doc["results"] = std::move(results);
    Json basket = Json::array();
    for (const BasketRecord& b : c.basket)
        basket.push_back({{"type", b.type},
                          {"model", b.model},
                          {"quantity", basketValue(b.quantity)},
                          {"price", basketValue(b.price)},
                          {"cost", number(b.cost)},
                          {"unit", b.unit ? unitJson(*b.unit) : Json(nullptr)}});
    doc["basket"] = std::move(basket);
    doc["total"] = number(c.total);
    return doc;
}

std::optional<Calculation> calculationFromJson(const Json& doc, std::string& error) {
    if (!doc.is_object() || !doc.contains("format") ||
        doc.at("format") != std::string(kCalculationFormat)) {
        error =
            "это не файл расчета Tundrix (нет формата «" + std::string(kCalculationFormat) + "»)";
        return std::nullopt;
    }
    try {
        const Reader r(doc, "");
        const int version = r.at("version").integer(1, 1'000'000);
        if (version > kCalculationVersion) {
            error = "файл записан более новой версией программы (версия формата " +
                    std::to_string(version) + ", эта программа читает версию " +
                    std::to_string(kCalculationVersion) + ")";
            return std::nullopt;
        }
        return readCalculation(r);
    } catch (const Fault& f) {
        error = f.reason;
    }
    return std::nullopt;
}

std::optional<Calculation> parseCalculation(std::string_view text, std::string& error) {
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        error = "файл пуст";
        return std::nullopt;
    }
    // The parser itself keeps its nesting on the heap, but walking, copying or destroying a
    // value nested a hundred thousand deep may not: such a document is given up while it is
    // read, before any of it is built further.
    struct TooDeep {};
    const Json::parser_callback_t depthLimit = [](int depth, Json::parse_event_t event, Json&) {
        if ((event == Json::parse_event_t::object_start ||
             event == Json::parse_event_t::array_start) &&
            depth >= kCalculationMaxDepth)
            throw TooDeep{};
        return true;
    };
    Json doc;
    try {
        doc = Json::parse(text, depthLimit);
    } catch (const TooDeep&) {
        error = "это не файл расчета Tundrix (вложенность глубже " +
                std::to_string(kCalculationMaxDepth) + " уровней)";
        return std::nullopt;
    } catch (const Json::parse_error& e) {
        // The parser counts the end of the text as one byte past it.
        error = e.byte > text.size()
                    ? std::string("файл обрывается")
                    : "это не файл JSON (ошибка в байте " + std::to_string(e.byte) + ")";
        return std::nullopt;
    } catch (const Json::out_of_range&) {
        error = "в файле число вне диапазона чисел программы";  // 1e400, for one
        return std::nullopt;
    } catch (const Json::exception&) {
        error = "это не файл JSON";
        return std::nullopt;
    }
    return calculationFromJson(doc, error);
}

bool saveCalculation(const std::filesystem::path& file, const Calculation& calculation,
                     std::string& error) {
    if (calculation.basket.size() > kCalculationMaxBasketRows) {
        error = tooManyRows(calculation.basket.size()) + ", такой расчет не открыть";
        return false;
    }
    const std::string text = jsonText(calculationJson(calculation), 2) + "\n";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return writeFileAtomic(file, std::span<const std::uint8_t>(bytes, text.size()), &error);
}

std::optional<Calculation> loadCalculation(const std::filesystem::path& file, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        error = std::filesystem::exists(file, ec) ? "это не файл" : "файла нет";
        return std::nullopt;
    }
    const auto bytes = readWholeFile(file);
    if (!bytes) {
        error = "файл не читается";
        return std::nullopt;
    }
    return parseCalculation(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), error);
}

std::string localDateTime(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S", &local);
    return buf;
}

}  // namespace tundrix
