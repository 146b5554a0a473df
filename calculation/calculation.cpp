#include "calculation/calculation.h"

#include "selection/numbers.h"

namespace tundrix {

namespace {

constexpr std::array<std::string_view, 5> kTabCodes = {"description", "out", "agr", "mka",
                                                       "chiller"};

BasketValue basketValue(const std::string& text, char sep) {
    if (const auto v = parseNumber(text, sep))
        return {v, {}};
    return {std::nullopt, text};
}

std::string basketText(const BasketValue& v, char sep) {
    return v.number ? formatGeneral(*v.number, sep) : v.text;
}

}  // namespace

std::string_view tabCode(CalcTab tab) {
    return kTabCodes[std::size_t(tab)];
}

std::optional<CalcTab> tabFromCode(std::string_view code) {
    for (std::size_t i = 0; i < kTabCodes.size(); ++i)
        if (kTabCodes[i] == code)
            return CalcTab(i);
    return std::nullopt;
}

CalcTab tabOfKind(UnitKind kind) {
    switch (kind) {
        case UnitKind::Out:
            return CalcTab::Condensing;
        case UnitKind::Agr:
            return CalcTab::Receiver;
        case UnitKind::Mka:
            return CalcTab::Rack;
        case UnitKind::None:
            return CalcTab::Description;
        default:
            return CalcTab::Chiller;
    }
}

std::optional<double> fieldNumber(std::string_view text, char decimalSeparator) {
    return parseNumber(text, decimalSeparator);
}

std::string fieldText(const std::optional<double>& value, char decimalSeparator) {
    return value ? formatGeneral(*value, decimalSeparator) : std::string();
}

std::vector<BasketRecord> basketRecords(const Basket& basket, char sep) {
    std::vector<BasketRecord> out;
    for (int r = 1; r < basket.rowCount(); ++r) {
        if (!basket.isItem(r))
            continue;
        BasketRecord rec;
        rec.type = basket.cell(Basket::Type, r);
        rec.model = basket.cell(Basket::Model, r);
        rec.quantity = basketValue(basket.cell(Basket::Quantity, r), sep);
        rec.price = basketValue(basket.cell(Basket::Price, r), sep);
        rec.cost = readNumber(basket.cell(Basket::Cost, r), sep, BasketUnit::kNone);
        rec.unit = basket.unit(r);
        out.push_back(std::move(rec));
    }
    return out;
}

std::vector<Basket::Item> basketItems(const std::vector<BasketRecord>& records, char sep) {
    std::vector<Basket::Item> items;
    for (const BasketRecord& rec : records)
        items.push_back({{rec.type, rec.model, basketText(rec.quantity, sep),
                          basketText(rec.price, sep), ""},
                         rec.unit});
    return items;
}

}  // namespace tundrix
