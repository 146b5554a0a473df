#include "calculation/calculationunits.h"

#include <algorithm>
#include <memory>

#include "basket/unitoptions.h"
#include "catalogue/fileio.h"
#include "catalogue/filenames.h"
#include "catalogue/unitlisttable.h"
#include "selection/numbers.h"

namespace tundrix {

namespace {

bool contains(const std::vector<std::string>& list, const std::string& s) {
    return std::find(list.begin(), list.end(), s) != list.end();
}

std::vector<std::string> chosenNames(const OptionBlock& o) {
    std::vector<std::string> names;
    for (int j = 1; j <= OptionBlock::kOptions; ++j)
        if (o.flag[std::size_t(j)])
            names.push_back(o.name[std::size_t(j)]);
    return names;
}

// A price text as the selection reads it: under a decimal point a stored decimal comma counts
// as the point.
double priceValue(std::string text, char sep) {
    if (sep != ',')
        if (const auto pos = text.find(','); pos != std::string::npos)
            text[pos] = '.';
    return readNumber(text, sep, 0.0);
}

}  // namespace

std::vector<OptionChoice> chosenOptions(const agregat& list) {
    std::vector<OptionChoice> out;
    for (int k = 1; k <= std::min(list.count, agregat::kMaxUnits); ++k) {
        const auto names = chosenNames(list.optionagr[std::size_t(k)]);
        if (!names.empty())
            out.push_back({list.name[std::size_t(k)], names});
    }
    return out;
}

OptionsApplied applyOptionChoices(agregat& list, const std::vector<OptionChoice>& choices) {
    clearAllOptions(list);
    OptionsApplied result;
    const int count = std::clamp(list.count, 0, agregat::kMaxUnits);
    for (const OptionChoice& choice : choices) {
        std::vector<bool> found(choice.options.size(), false);
        bool listed = false;
        for (int k = 1; k <= count; ++k) {
            if (list.name[std::size_t(k)] != choice.unit)
                continue;
            listed = true;
            OptionBlock& o = list.optionagr[std::size_t(k)];
            for (std::size_t i = 0; i < choice.options.size(); ++i)
                for (int j = 1; j <= OptionBlock::kOptions; ++j)
                    if (!o.name[std::size_t(j)].empty() &&
                        o.name[std::size_t(j)] == choice.options[i]) {
                        o.flag[std::size_t(j)] = true;
                        found[i] = true;
                    }
            ++result.units;
        }
        if (!listed) {
            result.missing.push_back({Difference::Kind::UnitGone, "options", choice.unit, {}, {}, {}});
            continue;
        }
        for (std::size_t i = 0; i < choice.options.size(); ++i)
            if (!found[i])
                result.missing.push_back({Difference::Kind::OptionGone, "options",
                                          choice.unit + ": " + choice.options[i], {}, {}, {}});
    }
    return result;
}

int rowOfUnit(const SelectionResult& result, const agregat& list, std::string_view name) {
    if (name.empty())
        return 0;
    for (std::size_t r = 1; r < result.rows.size(); ++r) {
        const int u = result.rows[r].unit;
        if (agregat::validUnit(u) && list.name[std::size_t(u)] == name)
            return int(r);
    }
    return 0;
}

ResultRecord resultRecord(CalcTab tab, const SelectionRow& row, const agregat& list) {
    ResultRecord rec;
    rec.tab = tab;
    rec.name = agregat::validUnit(row.unit) ? list.name[std::size_t(row.unit)] : std::string();
    rec.capacity = row.capacity;
    rec.power = row.power;
    rec.heat = row.heat;
    rec.current = row.current;
    rec.price = row.price;
    return rec;
}

BasketUnit basketUnit(const agregat& list, UnitKind kind, int refrigerant,
                      const SelectionRow& row) {
    BasketUnit b;
    b.kind = kind;
    b.refrigerant = refrigerant;
    if (!agregat::validUnit(row.unit))
        return b;
    const auto u = std::size_t(row.unit);
    b.brand = list.agrtype[u];
    b.level = list.layer[u];
    b.name = list.name[u];
    b.options = chosenNames(list.optionagr[u]);
    b.listPrice = row.price;
    b.capacity = row.capacity;
    b.power = row.power;
    b.heat = row.heat;
    b.current = row.current;
    b.to = row.to;
    b.tc = row.tc;
    return b;
}

SelectionInputs selectionInputs(const Calculation& c, char sep) {
    const MainInputs& m = c.inputs;
    SelectionInputs in;
    in.decimalSeparator = sep;
    in.required = fieldText(m.required, sep);
    in.evaporate = fieldText(m.evaporate, sep);
    in.condensate = fieldText(m.condensate, sep);
    in.ambient = fieldText(m.ambient, sep);
    in.superheat = fieldText(m.superheat, sep);
    in.subcool = fieldText(m.subcool, sep);
    in.outlet = fieldText(m.outlet, sep);
    switch (m.tab) {
        case CalcTab::Condensing:
            in.kind = UnitKind::Out;
            break;
        case CalcTab::Receiver:
            in.kind = UnitKind::Agr;
            break;
        case CalcTab::Rack:
            in.kind = UnitKind::Mka;
            break;
        case CalcTab::Chiller:
            in.kind = chillerKind(m.chillerType);
            break;
        default:
            in.kind = UnitKind::None;
    }
    in.ambientMode = m.ambientMode;
    in.refrigerant = m.refrigerant;
    in.brandChecked = m.brands;
    in.levelChoice = m.level;
    in.rackSizeChecked = m.racks;
    in.exchanger = Exchanger(c.liquid.exchanger);
    in.useEvaporate = m.useEvaporate;
    in.cheapest = m.cheapest;
    return in;
}

MainInputs mainInputs(const SelectionInputs& in) {
    const char sep = in.decimalSeparator;
    MainInputs m;
    m.tab = tabOfKind(in.kind);
    m.evaporate = fieldNumber(in.evaporate, sep);
    m.condensate = fieldNumber(in.condensate, sep);
    m.ambient = fieldNumber(in.ambient, sep);
    m.superheat = fieldNumber(in.superheat, sep);
    m.subcool = fieldNumber(in.subcool, sep);
    m.required = fieldNumber(in.required, sep);
    m.outlet = fieldNumber(in.outlet, sep);
    m.cheapest = in.cheapest;
    m.refrigerant = in.refrigerant;
    m.level = in.levelChoice;
    m.brands = in.brandChecked;
    m.racks = in.rackSizeChecked;
    m.ambientMode = in.ambientMode;
    m.chillerType = 0;
    for (int i = 0; i <= 6; ++i)
        if (chillerKind(i) == in.kind)
            m.chillerType = i;
    m.useEvaporate = in.useEvaporate;
    return m;
}

std::optional<std::filesystem::path> unitListFile(const std::filesystem::path& dataDir,
                                                  const BasketUnit& unit) {
    return resolveDataPath(dataDir,
                           std::string(kUnitListFolder) +
                               agrfilename(unit.kind, unit.level, unit.brand, unit.refrigerant));
}

std::optional<ListedUnit> findListedUnit(const UnitListTable& table, std::string_view name) {
    for (int i = 1; i <= UnitListTable::kUnitRows && !table.cellEmpty(0, i); ++i) {
        if (table.cell(0, i) != name)
            continue;
        ListedUnit found;
        found.price = table.cell(10, i);
        found.picturePath = table.cell(11, i);
        for (int j = 1; j <= OptionBlock::kOptions; ++j) {
            found.options.name[std::size_t(j)] = table.cell(11 + j, 0);
            found.options.price[std::size_t(j)] = table.cell(11 + j, i);
        }
        return found;
    }
    return std::nullopt;
}

std::optional<ListedUnit> findListedUnit(const std::filesystem::path& dataDir,
                                         const BasketUnit& unit) {
    const auto file = unitListFile(dataDir, unit);
    auto table = std::make_unique<UnitListTable>();
    if (!file || !table->load(*file))
        return std::nullopt;
    return findListedUnit(*table, unit.name);
}

double listedPrice(const ListedUnit& unit, const std::vector<std::string>& optionNames, char sep) {
    double total = priceValue(unit.price, sep);
    for (int j = 1; j <= OptionBlock::kOptions; ++j) {
        const std::string& name = unit.options.name[std::size_t(j)];
        if (!name.empty() && contains(optionNames, name))
            total += priceValue(unit.options.price[std::size_t(j)], sep);
    }
    return total;
}

}  // namespace tundrix
