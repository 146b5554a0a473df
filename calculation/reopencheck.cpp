#include "calculation/reopencheck.h"

#include <nlohmann/json.hpp>

#include <cmath>

#include "calculation/calculationunits.h"
#include "selection/numbers.h"

namespace tundrix {

namespace {

bool differs(double saved, double now, double tolerance, double absolute) {
    if (std::isfinite(saved) != std::isfinite(now))
        return true;
    if (!std::isfinite(saved))
        return false;
    return std::abs(now - saved) > std::max(tolerance * std::abs(saved), absolute);
}

std::string shown(double x, char sep) {
    return std::isfinite(x) ? fmt(x, sep) : std::string("нет значения");
}

const char* fieldName(const std::string& field) {
    if (field == "capacity")
        return "холодопроизводительность, кВт";
    if (field == "power")
        return "потребляемая мощность, кВт";
    if (field == "heat")
        return "теплоотдача, кВт";
    if (field == "current")
        return "ток, А";
    return "цена, EUR";
}

const char* whereText(const std::string& where) {
    if (where == "basket")
        return " (корзина)";
    if (where == "options")
        return " (выбранные опции)";
    return "";
}

const char* kindCode(Difference::Kind k) {
    switch (k) {
        case Difference::Kind::UnitGone:
            return "unit-gone";
        case Difference::Kind::OptionGone:
            return "option-gone";
        case Difference::Kind::PriceChanged:
            return "price-changed";
        case Difference::Kind::ResultChanged:
            return "result-changed";
    }
    return "";
}

}  // namespace

std::vector<Difference> compareResult(const ResultRecord& saved, const SelectionRow& now) {
    std::vector<Difference> out;
    const std::pair<const char*, std::pair<double, double>> figures[] = {
        {"capacity", {saved.capacity, now.capacity}},
        {"power", {saved.power, now.power}},
        {"heat", {saved.heat, now.heat}},
        {"current", {saved.current, now.current}}};
    for (const auto& [field, values] : figures)
        if (differs(values.first, values.second, kResultTolerance, 0.0))
            out.push_back({Difference::Kind::ResultChanged, "cursor", saved.name, field,
                           values.first, values.second});
    if (differs(saved.price, now.price, 0.0, 0.005))
        out.push_back({Difference::Kind::PriceChanged, "cursor", saved.name, "price", saved.price,
                       now.price});
    return out;
}

std::vector<Difference> checkBasket(const std::vector<BasketRecord>& basket,
                                    const std::filesystem::path& dataDir, char sep) {
    std::vector<Difference> out;
    for (const BasketRecord& row : basket) {
        if (!row.unit)
            continue;
        const BasketUnit& u = *row.unit;
        const auto listed = findListedUnit(dataDir, u);
        if (!listed) {
            out.push_back({Difference::Kind::UnitGone, "basket", u.name, {}, {}, {}});
            continue;
        }
        const double now = listedPrice(*listed, u.options, sep);
        if (std::isfinite(u.listPrice) && differs(u.listPrice, now, 0.0, 0.005))
            out.push_back(
                {Difference::Kind::PriceChanged, "basket", row.model, "price", u.listPrice, now});
    }
    return out;
}

std::string differenceText(const Difference& d, char sep) {
    const std::string unit = "«" + d.unit + "»";
    switch (d.kind) {
        case Difference::Kind::UnitGone:
            return "Агрегат " + unit + " больше не найден в каталоге" + whereText(d.where) + ".";
        case Difference::Kind::OptionGone:
            return "Опция " + unit + " больше не предлагается.";
        case Difference::Kind::PriceChanged:
            if (d.where == "basket")
                return "Цена " + unit + " в каталоге теперь " + shown(d.now, sep) +
                       " EUR, в расчете " + shown(d.saved, sep) +
                       " EUR; в корзине оставлена цена расчета.";
            return "Цена " + unit + " в каталоге теперь " + shown(d.now, sep) + " EUR, в расчете " +
                   shown(d.saved, sep) + " EUR.";
        case Difference::Kind::ResultChanged:
            return "Результат " + unit + " изменился больше чем на 0,5 %: " + fieldName(d.field) +
                   " " + shown(d.saved, sep) + " → " + shown(d.now, sep) + ".";
    }
    return {};
}

Json differenceJson(const Difference& d) {
    auto number = [](double x) { return std::isfinite(x) ? Json(x) : Json(nullptr); };
    Json j = {{"kind", kindCode(d.kind)}, {"where", d.where}, {"unit", d.unit}};
    if (!d.field.empty())
        j["field"] = d.field;
    if (d.kind == Difference::Kind::PriceChanged || d.kind == Difference::Kind::ResultChanged) {
        j["saved"] = number(d.saved);
        j["now"] = number(d.now);
    }
    return j;
}

}  // namespace tundrix
