#include "printing/offerbuild.h"

#include <cmath>
#include <ctime>

#include "basket/basket.h"
#include "calculation/calculationfile.h"
#include "calculation/calculationunits.h"
#include "catalogue/catalogue.h"
#include "catalogue/fileio.h"
#include "seasonal/owning.h"
#include "seasonal/seasonaltext.h"
#include "selection/numbers.h"
#include "techdata/techdatamodule.h"
#include "techdata/techdatatables.h"

namespace tundrix {

namespace {

// Pictures are drawn a few centimetres wide: a few hundred pixels keep the file small.
constexpr int kPictureWidth = 640;

QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

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

QImage picture(const std::filesystem::path& dataDir, const BasketUnit& unit) {
    const auto listed = findListedUnit(dataDir, unit);
    if (!listed)
        return {};
    const auto file = resolveDataPath(dataDir, listed->picturePath);
    std::error_code ec;
    if (!file || !std::filesystem::is_regular_file(*file, ec))
        return {};
    QImage image(QString::fromStdString(file->string()));
    if (image.width() > kPictureWidth)
        image = image.scaledToWidth(kPictureWidth, Qt::SmoothTransformation);
    return image;
}

std::vector<ReportRow> technical(const BasketUnit& u, const OfferSource& s, TechDataModule& td) {
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
    td.close();
    td.setTableName(techDataTableForKind(u.kind));
    if (td.open()) {
        const int record = td.recordNo(qs(u.name));
        for (int f = 1; record > 0 && f < td.fieldCount(); ++f)
            if (offerTechnicalField(td.fieldName(f)))
                addRow(rows, td.fieldName(f), td.value(record, f).trimmed());
    }
    return rows;
}

// SEPR with the regulation's verdict and the annual energy of a condensing unit: its list run
// at the calculation's conditions (at the evaporating temperature it was picked at), the
// seasonal figures of its row. The catalogue is opened once per offer.
class SeasonalRows {
public:
    SeasonalRows(const Calculation& c, const OfferSource& s) : c_(c), s_(s) {}

    void add(std::vector<ReportRow>& rows, const BasketUnit& u) {
        if (u.kind != UnitKind::Out)
            return;
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
            return;
        const OwnConditions own = ownConditions(in);
        const SeasonalUnit unit{r.rows[std::size_t(row)].unit,
                                std::isfinite(u.listPrice) ? u.listPrice : 0.0};
        const UnitSeasonal f =
            seasonalFigures(cat_->agrlist, cycle_, std::span(&unit, 1), own, c_.seasonal).front();
        addRow(rows, QStringLiteral("SEPR"), qs(seprText(f, sep)));
        addRow(rows, QStringLiteral("Регламент (ЕС) 2015/1095"), qs(verdictText(f)));
        addRow(rows, QStringLiteral("Электроэнергия за год"), qs(annualText(f, sep)));
    }

private:
    const Calculation& c_;
    const OfferSource& s_;
    std::unique_ptr<Catalogue> cat_;
    CycleState cycle_;
    int loaded_ = -1;
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

OfferModel buildOffer(const Calculation& calculation, const OfferSource& s) {
    OfferModel m;
    m.font = s.font;
    m.number = s.number;
    m.date = s.date;
    // Costs and the total as the basket computes them from the quantities and prices.
    Basket basket(s.decimalSeparator);
    basket.setItems(basketItems(calculation.basket, s.decimalSeparator));
    TechDataModule td(s.dataDir);
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
            item.technical = technical(*unit, s, td);
            seasonal.add(item.technical, *unit);
            item.picture = picture(s.dataDir, *unit);
        }
        m.items.push_back(std::move(item));
    }
    m.total = qs(basket.total());
    m.conditions = conditions(calculation.inputs, s);
    return m;
}

}  // namespace tundrix
