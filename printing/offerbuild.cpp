#include "printing/offerbuild.h"

#include <cmath>
#include <ctime>
#include <map>
#include <memory>

#include "basket/basket.h"
#include "calculation/calculationfile.h"
#include "calculation/calculationunits.h"
#include "calculation/jsontext.h"
#include "catalogue/catalogue.h"
#include "catalogue/fileio.h"
#include "catalogue/refrigerants.h"
#include "catalogue/unitlisttable.h"
#include "printing/printtext.h"
#include "printing/reportmodel.h"
#include "seasonal/owning.h"
#include "seasonal/seasonaltext.h"
#include "selection/numbers.h"
#include "techdata/techdatamodule.h"
#include "techdata/techdatatables.h"

namespace tundrix {

namespace {

// Pictures are drawn a few centimetres wide: a few hundred pixels keep the file small.
constexpr int kPictureWidth = 640;

QString refrigerantCaption(const OfferSource& s, int index) {
    return index >= 0 && index < s.refrigerants.size() ? s.refrigerants[index] : QString();
}

QString figure(double x, const QString& unit, char sep) {
    return std::isfinite(x) ? qs(fmt(x, sep)) + unit : QString();
}

void addRow(std::vector<ReportRow>& rows, const QString& label, const QString& value) {
    if (!value.isEmpty())
        rows.push_back({label, value});
}

// The catalogue's data on the basket's units, each read once per offer: a unit list file, a
// technical-data table and a picture are read when the first unit needs them and kept for the
// others (a basket of hundreds of rows names the same few files over and over).
class OfferReader {
public:
    explicit OfferReader(const std::filesystem::path& dataDir) : dataDir_(dataDir), td_(dataDir) {}

    QImage picture(const BasketUnit& unit);
    // The dimension and weight fields of the unit's technical-data record (the last of its name).
    const std::vector<ReportRow>& dimensions(UnitKind kind, const std::string& name);

private:
    const UnitListTable* unitList(const BasketUnit& unit);
    const QImage& pictureFile(const std::filesystem::path& file);

    using Records = std::map<QString, std::vector<ReportRow>>;  // by unit name

    std::filesystem::path dataDir_;
    TechDataModule td_;
    std::map<std::filesystem::path, std::unique_ptr<UnitListTable>> lists_;  // null: unreadable
    std::map<std::filesystem::path, QImage> pictures_;
    std::map<std::string, QImage> unitPictures_;  // by kind, level, brand, refrigerant, name
    std::map<QString, Records> tables_;           // by table name
};

const UnitListTable* OfferReader::unitList(const BasketUnit& unit) {
    const auto file = unitListFile(dataDir_, unit);
    if (!file)
        return nullptr;
    auto [it, added] = lists_.try_emplace(*file);
    if (added) {
        auto table = std::make_unique<UnitListTable>();
        if (table->load(*file))
            it->second = std::move(table);
    }
    return it->second.get();
}

const QImage& OfferReader::pictureFile(const std::filesystem::path& file) {
    auto [it, added] = pictures_.try_emplace(file);
    std::error_code ec;
    if (added && std::filesystem::is_regular_file(file, ec)) {
        QImage image(QString::fromStdString(file.string()));
        if (image.width() > kPictureWidth)
            image = image.scaledToWidth(kPictureWidth, Qt::SmoothTransformation);
        it->second = image;
    }
    return it->second;
}

QImage OfferReader::picture(const BasketUnit& unit) {
    const std::string key = std::to_string(int(unit.kind)) + '|' + std::to_string(unit.level) +
                            '|' + std::to_string(unit.brand) + '|' +
                            std::to_string(unit.refrigerant) + '|' + unit.name;
    auto [it, added] = unitPictures_.try_emplace(key);
    if (!added)
        return it->second;
    const UnitListTable* list = unitList(unit);
    const auto listed = list ? findListedUnit(*list, unit.name) : std::nullopt;
    if (!listed)
        return {};
    if (const auto file = resolveDataPath(dataDir_, listed->picturePath))
        it->second = pictureFile(*file);
    return it->second;
}

const std::vector<ReportRow>& OfferReader::dimensions(UnitKind kind, const std::string& name) {
    const QString table = techDataTableForKind(kind);
    auto [it, added] = tables_.try_emplace(table);
    if (added) {
        td_.close();
        td_.setTableName(table);
        if (td_.open()) {
            // Walked once; a later record of a name replaces an earlier one.
            for (int r = 1; r <= td_.recordCount(); ++r) {
                std::vector<ReportRow> rows;
                for (int f = 1; f < td_.fieldCount(); ++f)
                    if (offerTechnicalField(td_.fieldName(f)))
                        addRow(rows, td_.fieldName(f), td_.value(r, f).trimmed());
                it->second[td_.value(r, 1)] = std::move(rows);
            }
        }
        td_.close();
    }
    static const std::vector<ReportRow> none;
    const auto record = it->second.find(qs(name));
    return record == it->second.end() ? none : record->second;
}

std::vector<ReportRow> technical(const BasketUnit& u, const OfferSource& s, OfferReader& reader) {
    const char sep = s.decimalSeparator;
    const QString degrees = QStringLiteral(" °C");
    std::vector<ReportRow> rows;
    addRow(rows, QStringLiteral("Холодопроизводительность"),
           figure(u.capacity, QStringLiteral(" кВт"), sep));
    addRow(rows, QStringLiteral("Потребляемая мощность"),
           figure(u.power, QStringLiteral(" кВт"), sep));
    addRow(rows, QStringLiteral("Рабочий ток"), figure(u.current, QStringLiteral(" А"), sep));
    addRow(rows, QStringLiteral("Хладагент"), refrigerantCaption(s, u.refrigerant));
    addRow(rows, QStringLiteral("Температура кипения"), figure(u.to, degrees, sep));
    addRow(rows, QStringLiteral("Температура конденсации"), figure(u.tc, degrees, sep));
    const std::vector<ReportRow>& dims = reader.dimensions(u.kind, u.name);
    rows.insert(rows.end(), dims.begin(), dims.end());
    return rows;
}

// SEPR with the regulation's verdict and the annual energy of a condensing unit: its list run
// at the calculation's conditions (at the evaporating temperature it was picked at), the
// seasonal figures of its row. The catalogue is opened once per offer, and a unit that the basket
// names again (same list, evaporating temperature and price) takes the rows computed for it.
class SeasonalRows {
public:
    SeasonalRows(const Calculation& c, const OfferSource& s) : c_(c), s_(s) {}

    void add(std::vector<ReportRow>& rows, const BasketUnit& u) {
        if (u.kind != UnitKind::Out)
            return;
        const std::string key = std::to_string(u.refrigerant) + '|' + std::to_string(u.brand) +
                                '|' + std::to_string(u.level) + '|' + jsonNumber(u.to) + '|' +
                                jsonNumber(u.listPrice) + '|' + u.name;
        auto [done, added] = done_.try_emplace(key);
        if (added)
            done->second = compute(u);
        rows.insert(rows.end(), done->second.begin(), done->second.end());
    }

private:
    std::vector<ReportRow> compute(const BasketUnit& u) {
        std::vector<ReportRow> rows;
        if (!cat_) {
            cat_ = std::make_unique<Catalogue>(s_.dataDir);
            if (const auto f = cat_->existingFile("condensators.dat"))
                cat_->conderlist.load(*f);
        }
        const char sep = s_.decimalSeparator;
        if (loaded_ != u.refrigerant) {
            cat_->preloadtables(u.refrigerant);
            loaded_ = u.refrigerant;
        }
        SelectionInputs in = selectionInputs(c_, sep);
        in.kind = UnitKind::Out;
        in.ambientMode = true;
        in.refrigerant = u.refrigerant;
        in.brandChecked = {};
        in.brandChecked[std::size_t(u.brand)] = true;
        in.levelChoice = u.level;
        in.cheapest = false;
        if (std::isfinite(u.to))
            in.evaporate = fieldText(u.to, sep);
        const SelectionResult r = Tableoperations(*cat_, cycle_, in);
        const int row = rowOfUnit(r, cat_->agrlist, u.name);
        if (row == 0)
            return rows;
        const OwnConditions own = ownConditions(in);
        const SeasonalUnit unit{r.rows[std::size_t(row)].unit,
                                std::isfinite(u.listPrice) ? u.listPrice : 0.0};
        const UnitSeasonal f =
            seasonalFigures(cat_->agrlist, cycle_, std::span(&unit, 1), own, c_.seasonal).front();
        addRow(rows, QStringLiteral("SEPR"), qs(seprText(f, sep)));
        addRow(rows, QStringLiteral("Регламент (ЕС) 2015/1095"), qs(verdictText(f)));
        addRow(rows, QStringLiteral("Электроэнергия за год"), qs(annualText(f, sep)));
        return rows;
    }

    const Calculation& c_;
    const OfferSource& s_;
    std::unique_ptr<Catalogue> cat_;
    CycleState cycle_;
    int loaded_ = -1;
    std::map<std::string, std::vector<ReportRow>> done_;  // by refrigerant, list, to, price, name
};

std::vector<ReportRow> conditions(const MainInputs& in, const OfferSource& s) {
    const char sep = s.decimalSeparator;
    // The values the selection computes with: an empty field counts as its default.
    auto value = [sep](const std::optional<double>& v, double fallback, const char* unit) {
        return qs(fieldText(v.value_or(fallback), sep)) + QString::fromUtf8(unit);
    };
    std::vector<ReportRow> rows;
    addRow(rows, QStringLiteral("Хладагент"), refrigerantCaption(s, in.refrigerant));
    if (in.tab == CalcTab::Chiller && !in.useEvaporate)
        addRow(rows, QStringLiteral("Температура хладоносителя на выходе"),
               value(in.outlet, 0, " °C"));
    else
        addRow(rows, QStringLiteral("Температура кипения"), value(in.evaporate, 0, " °C"));
    if (in.ambientMode)
        addRow(rows, QStringLiteral("Температура окружающей среды"), value(in.ambient, 0, " °C"));
    else
        addRow(rows, QStringLiteral("Температура конденсации"), value(in.condensate, 0, " °C"));
    addRow(rows, QStringLiteral("Перегрев"), value(in.superheat, 10, " K"));
    addRow(rows, QStringLiteral("Переохлаждение"), value(in.subcool, 0, " K"));
    if (in.required && *in.required > 0)
        addRow(rows, QStringLiteral("Требуемая холодопроизводительность"),
               value(in.required, 0, " кВт"));
    return rows;
}

// "YYYY-MM-DDThh:mm..." or the present moment.
std::string dateTime(const std::string& saved) {
    const bool ok = saved.size() >= 16 && saved[4] == '-' && saved[7] == '-' && saved[10] == 'T';
    return ok ? saved : localDateTime(std::time(nullptr));
}

}  // namespace

std::string offerNumber(const std::string& saved) {
    const std::string t = dateTime(saved);
    return t.substr(0, 4) + t.substr(5, 2) + t.substr(8, 2) + "-" + t.substr(11, 2) +
           t.substr(14, 2);
}

std::string offerDate(const std::string& saved) {
    const std::string t = dateTime(saved);
    return t.substr(8, 2) + "." + t.substr(5, 2) + "." + t.substr(0, 4);
}

bool offerTechnicalField(const QString& fieldName) {
    return fieldName.startsWith(QStringLiteral("Габарит"), Qt::CaseInsensitive) ||
           fieldName.startsWith(QStringLiteral("Масса"), Qt::CaseInsensitive) ||
           fieldName.startsWith(QStringLiteral("Вес"), Qt::CaseInsensitive);
}

OfferSource offerSource(const Calculation& calculation, std::filesystem::path dataDir,
                        char decimalSeparator, const QFont& tableFont) {
    OfferSource source;
    source.dataDir = std::move(dataDir);
    source.decimalSeparator = decimalSeparator;
    // The items of the main window's refrigerant selector.
    for (const Refrigerant& r : kRefrigerantTable)
        source.refrigerants << QString::fromUtf8(r.caption.data(), qsizetype(r.caption.size()));
    source.number = QString::fromStdString(offerNumber(calculation.saved));
    source.date = QString::fromStdString(offerDate(calculation.saved));
    source.font = printFont(tableFont);
    return source;
}

OfferModel buildOffer(const Calculation& calculation, const OfferSource& s) {
    OfferModel m;
    m.font = s.font;
    m.number = s.number;
    m.date = s.date;
    // Costs and the total as the basket computes them from the quantities and prices.
    Basket basket(s.decimalSeparator);
    basket.setItems(basketItems(calculation.basket, s.decimalSeparator));
    OfferReader reader(s.dataDir);
    SeasonalRows seasonal(calculation, s);
    for (int r = 1; r < basket.rowCount(); ++r) {
        if (!basket.isItem(r))
            continue;
        OfferItem item;
        item.type = qs(basket.cell(Basket::Type, r));
        item.model = qs(basket.cell(Basket::Model, r));
        item.quantity = qs(basket.cell(Basket::Quantity, r));
        item.price = qs(basket.cell(Basket::Price, r));
        item.cost = qs(basket.cell(Basket::Cost, r));
        if (const auto& unit = basket.unit(r)) {
            item.catalogued = true;
            for (const std::string& o : unit->options)
                item.options << qs(o);
            item.technical = technical(*unit, s, reader);
            seasonal.add(item.technical, *unit);
            item.picture = reader.picture(*unit);
        }
        m.items.push_back(std::move(item));
    }
    m.total = qs(basket.total());
    m.conditions = conditions(calculation.inputs, s);
    return m;
}

}  // namespace tundrix
