#include "mainwindow/seasonalwindow.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

#include "mainwindow/mainwindow.h"
#include "mainwindow/seasonalchart.h"
#include "widgets/widgetstyle.h"
#include "seasonal/seasonaltext.h"
#include "selection/numbers.h"

namespace tundrix {
namespace {

const QStringList kColumns = {QStringLiteral("Воздух, °C"),
                              QStringLiteral("Конденсация, °C"),
                              QStringLiteral("Холод-сть, кВт"),
                              QStringLiteral("Мощность, кВт"),
                              QStringLiteral("COP"),
                              QStringLiteral("Частичная нагрузка"),
                              QStringLiteral("Доля мощности"),
                              QStringLiteral("COP при част. нагрузке")};

QLabel* namedLabel(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QLineEdit* namedEdit(const char* name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaximumWidth(90);
    return e;
}

}  // namespace

SeasonalWindow::SeasonalWindow(MainWindow& main, QWidget* parent) : QWidget(parent), main_(main) {
    setObjectName(QStringLiteral("TFormSeasonal"));
    setWindowTitle(QStringLiteral("Сезонная эффективность"));
    auto* layout = new QVBoxLayout(this);
    model_ = namedLabel("SeasonalModel", this);
    QFont bold = model_->font();
    bold.setBold(true);
    model_->setFont(bold);
    layout->addWidget(model_);

    points_ = new QTableWidget(4, int(kColumns.size()), this);
    points_->setObjectName(QStringLiteral("SeasonalPoints"));
    points_->setHorizontalHeaderLabels(kColumns);
    points_->setVerticalHeaderLabels(
        {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")});
    points_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    points_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    points_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    points_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    points_->setFixedHeight(points_->horizontalHeader()->sizeHint().height() +
                            4 * points_->verticalHeader()->defaultSectionSize() +
                            2 * points_->frameWidth() + 2);
    layout->addWidget(points_);
    sepr_ = namedLabel("SeasonalSepr", this);
    verdict_ = namedLabel("SeasonalVerdict", this);
    verdict_->setFont(bold);
    layout->addWidget(sepr_);
    layout->addWidget(verdict_);
    auto* basis = namedLabel("SeasonalBasis", this);
    basis->setText(qs(kRatingBasisText));
    basis->setStyleSheet(QStringLiteral("color: #555"));
    layout->addWidget(basis);

    auto* form = new QFormLayout;
    climate_ = namedLabel("SeasonalClimate", this);
    climate_->setWordWrap(false);
    auto* file = new QPushButton(QStringLiteral("Климат из файла..."), this);
    file->setObjectName(QStringLiteral("SeasonalClimateFile"));
    auto* reference = new QPushButton(QStringLiteral("Средний климат Европы"), this);
    reference->setObjectName(QStringLiteral("SeasonalClimateReference"));
    auto* climateRow = new QHBoxLayout;
    climateRow->addWidget(climate_, 1);
    climateRow->addWidget(file);
    climateRow->addWidget(reference);
    form->addRow(QStringLiteral("Климат"), climateRow);
    tariff_ = namedEdit("SeasonalTariff", this);
    years_ = namedEdit("SeasonalYears", this);
    floor_ = namedEdit("SeasonalFloor", this);
    form->addRow(QStringLiteral("Тариф, EUR/кВт·ч"), tariff_);
    form->addRow(QStringLiteral("Срок владения, лет"), years_);
    form->addRow(QStringLiteral("Мин. температура конденсации, °C"), floor_);
    layout->addLayout(form);
    message_ = namedLabel("SeasonalMessage", this);
    message_->setStyleSheet(QStringLiteral("color: #b00000"));
    layout->addWidget(message_);
    annual_ = namedLabel("SeasonalAnnual", this);
    layout->addWidget(annual_);
    chart_ = new SeasonalChart(this);
    layout->addWidget(chart_, 1);

    for (QLineEdit* e : {tariff_, years_, floor_})
        connect(e, &QLineEdit::editingFinished, this, [this] { inputsLeft(); });
    connect(file, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(
            this, QStringLiteral("Климат: температура;часы"), QString(),
            QStringLiteral("CSV (*.csv *.txt);;Все файлы (*)"));
        if (!path.isEmpty())
            loadClimate(path);
    });
    connect(reference, &QPushButton::clicked, this, [this] { useReferenceClimate(); });
    showSettings();
    resize(980, 720);
}

void SeasonalWindow::showSettings() {
    const SeasonalSettings& st = main_.seasonalSettings();
    const char sep = decimalSeparator();
    tariff_->setText(qs(formatGeneral(st.tariff, sep)));
    years_->setText(QString::number(st.years));
    floor_->setText(qs(formatGeneral(st.floor, sep)));
    if (st.climate.empty())
        climateName_.clear();
    else if (climateName_.isEmpty())
        climateName_ = QStringLiteral("из расчета");
    showClimate();
}

void SeasonalWindow::showClimate() {
    const SeasonalSettings& st = main_.seasonalSettings();
    const char sep = decimalSeparator();
    const std::span<const ClimateBin> bins =
        st.climate.empty() ? referenceClimate() : std::span<const ClimateBin>(st.climate);
    const QString what = st.climate.empty() ? QStringLiteral("средний климат Европы")
                                            : QStringLiteral("климат ") + climateName_;
    climate_->setText(what + QStringLiteral(": %1 интервалов, %2 ч")
                                 .arg(bins.size())
                                 .arg(qs(fmt(climateHours(bins), sep))));
}

bool SeasonalWindow::loadClimate(const QString& path, bool quiet) {
    QFile f(path);
    ClimateFile c;
    if (!f.open(QIODevice::ReadOnly))
        c.error = us(f.errorString());
    else
        c = parseClimate(f.readAll().toStdString());
    if (!c.ok()) {
        message_->setText(QFileInfo(path).fileName() + QStringLiteral(": ") + qs(c.error));
        if (!quiet)
            QMessageBox::warning(this, windowTitle(), message_->text());
        return false;
    }
    SeasonalSettings st = main_.seasonalSettings();
    st.climate = c.bins;
    climateName_ = QFileInfo(path).fileName();
    message_->clear();
    main_.setSeasonalSettings(st);
    showClimate();
    refresh();
    return true;
}

void SeasonalWindow::useReferenceClimate() {
    SeasonalSettings st = main_.seasonalSettings();
    st.climate.clear();
    climateName_.clear();
    main_.setSeasonalSettings(st);
    showClimate();
    refresh();
}

void SeasonalWindow::inputsLeft() {
    const char sep = decimalSeparator();
    SeasonalSettings st = main_.seasonalSettings();
    const auto tariff = parseNumber(us(tariff_->text()), sep);
    const auto floor = parseNumber(us(floor_->text()), sep);
    const auto years = parseNumber(us(years_->text()), sep);
    QString bad;
    if (!tariff || *tariff < 0)
        bad = QStringLiteral("Тариф должен быть числом не меньше 0");
    else if (!years || *years < 0 || *years > 100 || *years != std::floor(*years))
        bad = QStringLiteral("Срок владения: целое число лет от 0 до 100");
    else if (!floor || *floor < -30 || *floor > 60)
        bad = QStringLiteral("Минимальная температура конденсации: от -30 до 60 °C");
    if (!bad.isEmpty()) {
        message_->setText(bad);
        showSettings();  // the values in force
        return;
    }
    message_->clear();
    st.tariff = *tariff;
    st.years = int(*years);
    st.floor = *floor;
    if (st.tariff != main_.seasonalSettings().tariff ||
        st.years != main_.seasonalSettings().years || st.floor != main_.seasonalSettings().floor)
        main_.setSeasonalSettings(st);
    refresh();
}

void SeasonalWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void SeasonalWindow::refresh() {
    if (!isVisible())
        return;
    // Settings put back from a calculation file show here too (not while one is being typed).
    if (!tariff_->hasFocus() && !years_->hasFocus() && !floor_->hasFocus())
        showSettings();
    const char sep = decimalSeparator();
    QString name;
    const std::optional<UnitSeasonal> s = main_.cursorSeasonal(&name);
    points_->clearContents();
    if (!s) {
        model_->setText(
            QStringLiteral("Нет агрегата: выберите компрессорно-конденсаторный агрегат"));
        sepr_->clear();
        verdict_->clear();
        annual_->clear();
        chart_->setYear({}, QStringLiteral("Нет агрегата"));
        return;
    }
    model_->setText(QStringLiteral("Модель ") + name);
    for (int r = 0; r < 4 && s->application != Application::None; ++r) {
        const RatingPoint& p = s->points[std::size_t(r)];
        const double v[] = {p.ambient, p.tc,       p.capacity,      p.power,
                            p.cop,     p.partLoad, p.capacityRatio, p.cyclingCop};
        for (int c = 0; c < int(kColumns.size()); ++c) {
            const bool shown = c == 0 || p.valid;
            auto* item = new QTableWidgetItem(shown ? qs(fmt(v[c], sep)) : QString());
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            points_->setItem(r, c, item);
        }
    }
    QString line = QStringLiteral("SEPR: ") + qs(seprText(*s, sep));
    if (const std::string m = minimumText(*s, sep); !m.empty())
        line += QStringLiteral("; требование с 2018 г.: ") + qs(m);
    if (s->requirement.metric == Metric::Cop)
        line += QStringLiteral(" (COP в точке A ") + qs(fmt(s->metricValue, sep)) + ')';
    sepr_->setText(line);
    verdict_->setText(qs(verdictText(*s)));
    const SeasonalSettings& st = main_.seasonalSettings();
    QString year =
        QStringLiteral("Год при условиях подбора: расчетная нагрузка ") +
        (std::isfinite(s->designLoad) ? qs(fmt(s->designLoad, sep)) + QStringLiteral(" кВт")
                                      : QStringLiteral("нет данных")) +
        QStringLiteral("\nЭлектроэнергия: ") + qs(annualText(*s, sep));
    if (std::isfinite(s->ownershipCost))
        year += QStringLiteral("\nСтоимость владения за ") + qs(yearsText(st.years)) +
                QStringLiteral(": ") + qs(fmt(s->ownershipCost, sep)) +
                QStringLiteral(" EUR (цена ") + qs(fmt(s->price, sep)) + QStringLiteral(" EUR)");
    annual_->setText(year);
    chart_->setYear(s->year, qs(s->yearMissing));
}

}  // namespace tundrix
