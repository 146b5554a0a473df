#include "chiller/chilledliquiddialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include "chiller/radiogroup.h"

namespace tundrix {

namespace {

QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

char localeSeparator() {
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

template <typename W>
W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

}  // namespace

ChilledLiquidDialog::ChilledLiquidDialog(QWidget* parent)
    : QDialog(parent), separator_(localeSeparator()) {
    setObjectName(QStringLiteral("TForm8"));
    setWindowTitle(QStringLiteral("Задание температур жидкости и расхода"));
    setModal(false);

    auto* grid = new QGridLayout(this);
    int row = 0;

    grid->addWidget(named(new QLabel(QStringLiteral("Жидкость"), this), "Label5"), row, 0);
    liquid_ = named(new QComboBox(this), "ComboBox2");
    for (int i = 0; i < kLiquidCount; ++i)
        liquid_->addItem(qs(liquidName(Liquid(i))));
    grid->addWidget(liquid_, row, 1);
    auto* concentrationBox = new QHBoxLayout;
    concentration_ = named(new QLineEdit(this), "Edit5");
    percent_ = named(new QLabel(QStringLiteral("%"), this), "Label6");
    concentrationBox->addWidget(concentration_);
    concentrationBox->addWidget(percent_);
    grid->addLayout(concentrationBox, row++, 2);

    const QString degrees = QStringLiteral(", °C");
    grid->addWidget(
        named(new QLabel(QStringLiteral("Температура жидкости на входе") + degrees, this),
              "Label1"),
        row, 0);
    inlet_ = named(new QLineEdit(QStringLiteral("20"), this), "Edit1");
    grid->addWidget(inlet_, row++, 1);
    grid->addWidget(
        named(new QLabel(QStringLiteral("Температура жидкости на выходе") + degrees, this),
              "Label2"),
        row, 0);
    outlet_ = named(new QLineEdit(QStringLiteral("15"), this), "Edit2");
    grid->addWidget(outlet_, row++, 1);

    QStringList flowTypes;
    for (int i = 0; i < kFlowTypeCount; ++i)
        flowTypes << qs(flowTypeName(FlowType(i)));
    flowType_ =
        named(new RadioGroup(QStringLiteral("Тип расхода"), flowTypes, 2, this), "RadioGroup1");
    grid->addWidget(flowType_, row++, 0, 1, 3);

    grid->addWidget(named(new QLabel(QStringLiteral("Расход жидкости"), this), "Label3"), row, 0);
    flow_ = named(new QLineEdit(this), "Edit3");
    grid->addWidget(flow_, row, 1);
    flowUnit_ = named(new QComboBox(this), "ComboBox1");
    grid->addWidget(flowUnit_, row++, 2);

    QStringList exchangers;
    for (int i = 0; i < kExchangerCount; ++i)
        exchangers << qs(exchangerName(i));
    exchangerGroup_ = named(
        new RadioGroup(QStringLiteral("Тип теплообменника"), exchangers, 4, this), "RadioGroup2");
    grid->addWidget(exchangerGroup_, row++, 0, 1, 3);

    freezingWarning_ = named(
        new QLabel(QStringLiteral("Температура кипения ниже точки замерзания жидкости!!!"), this),
        "Label7");
    freezingWarning_->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    grid->addWidget(freezingWarning_, row++, 0, 1, 3);

    auto* calculateButton =
        named(new QPushButton(QStringLiteral("Рассчитать производительность"), this), "Button1");
    grid->addWidget(calculateButton, row, 0);
    capacity_ = named(new QLineEdit(this), "Edit4");
    grid->addWidget(capacity_, row, 1);
    grid->addWidget(named(new QLabel(QStringLiteral("кВт"), this), "Label4"), row++, 2);

    auto* buttons = new QHBoxLayout;
    auto* applyButton = named(new QPushButton(QStringLiteral("Применить"), this), "Button2");
    auto* cancelButton = named(new QPushButton(QStringLiteral("Отмена"), this), "Button3");
    // Enter in an edit must not press a button the user did not mean.
    for (QPushButton* b : {calculateButton, applyButton, cancelButton}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    buttons->addStretch();
    buttons->addWidget(applyButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, row++, 0, 1, 3);

    flowType_->setItemIndex(int(FlowType::Mass));
    flowTypeChosen(int(FlowType::Mass));
    exchangerGroup_->setItemIndex(kExchangerAll);
    liquid_->setCurrentIndex(int(Liquid::Water));
    liquidChosen(int(Liquid::Water));
    freezingWarning_->hide();

    connect(liquid_, &QComboBox::currentIndexChanged, this, &ChilledLiquidDialog::liquidChosen);
    connect(flowType_, &RadioGroup::itemChosen, this, &ChilledLiquidDialog::flowTypeChosen);
    connect(exchangerGroup_, &RadioGroup::itemChosen, this, &ChilledLiquidDialog::exchangerChosen);
    connect(calculateButton, &QPushButton::clicked, this, [this] { calculate(); });
    connect(applyButton, &QPushButton::clicked, this, &ChilledLiquidDialog::apply);
    connect(cancelButton, &QPushButton::clicked, this, &ChilledLiquidDialog::close);
}

void ChilledLiquidDialog::liquidChosen(int index) {
    const bool glycol = index >= 0 && index < kLiquidCount && isGlycol(Liquid(index));
    concentration_->setVisible(glycol);
    percent_->setVisible(glycol);
    if (glycol)
        percent_->setText(QStringLiteral("%"));
}

void ChilledLiquidDialog::flowTypeChosen(int index) {
    flowUnit_->clear();
    if (index < 0 || index >= kFlowTypeCount)
        return;
    for (std::string_view unit : flowUnitNames(FlowType(index)))
        flowUnit_->addItem(qs(unit));
    flowUnit_->setCurrentIndex(0);
}

void ChilledLiquidDialog::exchangerChosen(int index) {
    exchanger_.choose(index);
}

Exchanger ChilledLiquidDialog::exchanger() const {
    const int i = exchangerGroup_->itemIndex();
    return i >= 0 && i < kExchangerCount ? Exchanger(i) : Exchanger::NotChosen;
}

LiquidInputs ChilledLiquidDialog::inputs() const {
    LiquidInputs in;
    in.inlet = inlet_->text().toStdString();
    in.outlet = outlet_->text().toStdString();
    in.flow = flow_->text().toStdString();
    in.concentration = concentration_->text().toStdString();
    in.liquid = liquid_->currentIndex();
    in.flowType = flowType_->itemIndex();
    in.flowUnit = flowUnit_->currentIndex();
    in.exchanger = exchangerGroup_->itemIndex();
    return in;
}

bool ChilledLiquidDialog::calculate() {
    const auto result = calculateCapacity(inputs(), exchanger_, separator_);
    if (!result) {
        QMessageBox::information(this, windowTitle(), qs(kMissingDataMessage));
        return false;
    }
    if (result->replacedConcentration)
        concentration_->setText(qs(*result->replacedConcentration));
    capacity_->setText(qs(result->capacityText));
    freezingWarning_->setVisible(result->freezingWarning);
    return true;
}

QString ChilledLiquidDialog::capacityText() const {
    return capacity_->text();
}

void ChilledLiquidDialog::restore(const LiquidInputs& in, double exchangerDifference,
                                  const QString& capacity) {
    liquid_->setCurrentIndex(in.liquid);  // shows or hides the concentration
    concentration_->setText(qs(in.concentration));
    inlet_->setText(qs(in.inlet));
    outlet_->setText(qs(in.outlet));
    flowType_->setItemIndex(in.flowType);
    flowTypeChosen(in.flowType);
    flowUnit_->setCurrentIndex(in.flowUnit);
    flow_->setText(qs(in.flow));
    exchangerGroup_->setItemIndex(in.exchanger);
    exchanger_.restore(in.exchanger, exchangerDifference);
    capacity_->setText(capacity);
    const auto result = calculateCapacity(inputs(), exchanger_, separator_);
    freezingWarning_->setVisible(result && result->freezingWarning);
}

ChillerTabTexts ChilledLiquidDialog::summary() const {
    const LiquidSummary s = summarize(inputs(), capacity_->text().toStdString());
    return {qs(s.requiredCapacity), qs(s.outletTemperature), qs(s.liquid),    qs(s.flow),
            qs(s.inletTemperature), qs(s.exchanger),         qs(s.outletUnit)};
}

void ChilledLiquidDialog::apply() {
    if (!calculate())
        return;
    close();
    emit applied();
}

}  // namespace tundrix
