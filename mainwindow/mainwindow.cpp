#include "mainwindow/mainwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "catalogue/catalogue.h"
#include "catalogue/refrigerants.h"
#include "engine/cyclestate.h"
#include "mainwindow/printactions.h"
#include "techdata/techdatatables.h"
#include "widgets/widgetstyle.h"

namespace tundrix {

namespace {

QLineEdit* edit(const QString& name, const QString& text) {
    auto* e = new QLineEdit(text);
    e->setObjectName(name);
    e->setMaximumWidth(90);
    setLocked(e, false);
    return e;
}

QLabel* label(const QString& name, const QString& text) {
    auto* l = new QLabel(text);
    if (!name.isEmpty())
        l->setObjectName(name);
    return l;
}

QListWidget* checkList(const QString& name, const QStringList& items) {
    auto* l = new QListWidget;
    l->setObjectName(name);
    for (const QString& text : items) {
        auto* item = new QListWidgetItem(text, l);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    return l;
}

QLabel* warning(const QString& name, const QString& text) {
    QLabel* l = label(name, text);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::red);
    l->setPalette(p);
    l->hide();
    return l;
}

}  // namespace

MainWindow::MainWindow(const std::filesystem::path& dataDir, QWidget* parent)
    : QMainWindow(parent),
      dataDir_(dataDir),
      catalogue_(std::make_unique<Catalogue>(dataDir)),
      cycle_(std::make_unique<CycleState>()) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Подбор агрегатов"));

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(buildCommonInputs());

    pageControl1_ = new QTabWidget;
    pageControl1_->setObjectName(QStringLiteral("PageControl1"));
    calc_ = buildCalculatorTab();
    pageControl1_->addTab(calc_.sheet, QStringLiteral("Описание программы"));

    const UnitTabNames names[4] = {condensingTabNames(), receiverTabNames(), rackTabNames(),
                                   chillerTabNames()};
    for (int i = 0; i < 4; ++i) {
        tabs_[i] = buildUnitTab(names[i]);
        pageControl1_->addTab(tabs_[i].sheet, names[i].caption);
    }

    // The tabs' own inputs.
    bitzerReceiver_ = warning(
        QStringLiteral("Label27"),
        QStringLiteral(
            "Агрегаты на винтовых компрессорах Bitzer рассчитываются с экономайзером !!! "));
    tabs_[1].extras->addWidget(bitzerReceiver_);
    checkListBox2_ = checkList(
        QStringLiteral("CheckListBox2"),
        {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")});
    checkListBox2_->setFlow(QListView::LeftToRight);
    checkListBox2_->setFixedHeight(30);
    checkListBox2_->setMaximumWidth(260);
    auto* rackRow = new QHBoxLayout;
    rackRow->addWidget(label({}, QStringLiteral("Количество компрессоров")));
    rackRow->addWidget(checkListBox2_);
    rackRow->addStretch(1);
    tabs_[2].extras->addLayout(rackRow);
    bitzerRack_ = warning(
        QStringLiteral("Label62"),
        QStringLiteral(
            "Централи на винтовых компрессорах Bitzer рассчитываются с экономайзерами !!! "));
    tabs_[2].extras->addWidget(bitzerRack_);
    buildChillerInputs(tabs_[3]);

    layout->addWidget(pageControl1_, 1);
    setCentralWidget(central);
    buildMenus();
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    resize(1280, 800);
    connectEvents();
    showRefrigerantSafety();
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::buildCommonInputs() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("PanelInputs"));
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);

    auto* temps = new QGridLayout;
    evaporate_ = edit(QStringLiteral("evaporate"), QStringLiteral("-25"));
    condensate_ = edit(QStringLiteral("condensate"), QStringLiteral("45"));
    setLocked(condensate_, true);
    edit7_ = edit(QStringLiteral("Edit7"), QStringLiteral("30"));
    superheat_ = edit(QStringLiteral("superheat"), QStringLiteral("10"));
    subcool_ = edit(QStringLiteral("subcool"), QStringLiteral("0"));
    edit11_ = edit(QStringLiteral("Edit11"), QString());
    label23_ = label(QStringLiteral("Label23"), QString());
    label24_ = label(QStringLiteral("Label24"), QString());
    label25_ = label(QStringLiteral("Label25"), QString());
    temps->addWidget(label({}, QStringLiteral("Температура кипения")), 0, 0);
    temps->addWidget(evaporate_, 0, 1);
    temps->addWidget(label23_, 0, 2);
    temps->addWidget(label({}, QStringLiteral("Температура конденсации")), 1, 0);
    temps->addWidget(condensate_, 1, 1);
    temps->addWidget(label24_, 1, 2);
    temps->addWidget(label({}, QStringLiteral("Температура окр. среды")), 2, 0);
    temps->addWidget(edit7_, 2, 1);
    temps->addWidget(label25_, 2, 2);
    temps->addWidget(label({}, QStringLiteral("Перегрев")), 0, 3);
    temps->addWidget(superheat_, 0, 4);
    temps->addWidget(label({}, QStringLiteral("K")), 0, 5);
    temps->addWidget(label({}, QStringLiteral("Переохлаждение")), 1, 3);
    temps->addWidget(subcool_, 1, 4);
    temps->addWidget(label({}, QStringLiteral("K")), 1, 5);
    temps->addWidget(label({}, QStringLiteral("Требуемая холодопроизводительность")), 2, 3);
    temps->addWidget(edit11_, 2, 4);
    temps->addWidget(label({}, QStringLiteral("КВт")), 2, 5);
    row->addLayout(temps);

    auto* choices = new QGridLayout;
    comboBox8_ = new QComboBox;
    comboBox8_->setObjectName(QStringLiteral("ComboBox8"));
    // The chosen refrigerant's safety class and GWP, beside the selector; as wide as the
    // widest, so that the inputs beside it stay in place whatever is chosen.
    labelSafety_ = label(QStringLiteral("LabelSafety"), QString());
    int safetyWidth = 0;
    for (const Refrigerant& r : kRefrigerantTable) {
        comboBox8_->addItem(QString::fromUtf8(r.caption.data(), qsizetype(r.caption.size())));
        safetyWidth = std::max(safetyWidth, labelSafety_->fontMetrics().horizontalAdvance(
                                                QString::fromStdString(safetyText(r))));
    }
    labelSafety_->setMinimumWidth(safetyWidth);
    comboBox6_ = new QComboBox;
    comboBox6_->setObjectName(QStringLiteral("ComboBox6"));
    comboBox6_->addItems({QStringLiteral("Все уровни"), QStringLiteral("Низкотемпературное"),
                          QStringLiteral("Среднетемпературное"),
                          QStringLiteral("Высокотемпературное"),
                          QStringLiteral("Низко и среднетемпературное"),
                          QStringLiteral("Высоко и среднетемпературные")});
    comboBox6_->setCurrentIndex(1);
    checkBox5_ = new QCheckBox(QStringLiteral("По минимальной цене"));
    checkBox5_->setObjectName(QStringLiteral("CheckBox5"));
    choices->addWidget(label({}, QStringLiteral("Хладагент")), 0, 0);
    choices->addWidget(comboBox8_, 0, 1);
    choices->addWidget(labelSafety_, 0, 2);
    choices->addWidget(label({}, QStringLiteral("Исполнение")), 1, 0);
    choices->addWidget(comboBox6_, 1, 1);
    choices->addWidget(checkBox5_, 2, 0, 1, 3);
    row->addLayout(choices);

    auto* brands = new QVBoxLayout;
    brands->addWidget(label({}, QStringLiteral("Тип компрессора")));
    checkListBox1_ = checkList(QStringLiteral("CheckListBox1"),
                               {QStringLiteral("Bock"), QStringLiteral("Copeland Scroll"),
                                QStringLiteral("Bitzer"), QStringLiteral("Copeland Stream")});
    checkListBox1_->setFixedSize(170, 82);
    brands->addWidget(checkListBox1_);
    row->addLayout(brands);

    auto* right = new QGridLayout;
    label48_ = label(QStringLiteral("Label48"), QStringLiteral("Прогресс"));
    progressBar1_ = new QProgressBar;
    progressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar1_->setRange(0, 100);
    progressBar1_->setValue(0);
    auto* basket = new QPushButton(QStringLiteral("Корзина"));
    basket->setObjectName(QStringLiteral("Button19"));
    basket->setToolTip(
        QStringLiteral("Нажмите, чтобы посмотреть список выбранного оборудования с ценами"));
    auto* closeButton = new QPushButton(QStringLiteral("Закрыть"));
    closeButton->setObjectName(QStringLiteral("Button2"));
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    right->addWidget(label48_, 0, 0, 1, 2);
    right->addWidget(progressBar1_, 1, 0, 1, 2);
    right->addWidget(basket, 2, 0);
    right->addWidget(closeButton, 2, 1);
    row->addLayout(right, 1);
    outside_.basket = basket;
    return panel;
}

void MainWindow::buildChillerInputs(UnitTab& tab) {
    auto* grid = new QGridLayout;
    comboBox5_ = new QComboBox;
    comboBox5_->setObjectName(QStringLiteral("ComboBox5"));
    comboBox5_->addItems({QStringLiteral("ГЛЦО"), QStringLiteral("ГЛЦУ"), QStringLiteral("ГЛЦР"),
                          QStringLiteral("ГЛЦК"), QStringLiteral("ОВ(высокотемпературные)"),
                          QStringLiteral("ОС(среднетемпературные)"),
                          QStringLiteral("ОН(низкотемпературные)")});
    edit23_ = edit(QStringLiteral("Edit23"), QStringLiteral("15"));
    checkBox3_ = new QCheckBox(QStringLiteral("Использовать температуру кипения"));
    checkBox3_->setObjectName(QStringLiteral("CheckBox3"));
    auto* button4 = new QPushButton(QStringLiteral("Задать параметры охлаждаемой жидкости"));
    button4->setObjectName(QStringLiteral("Button4"));
    grid->addWidget(label({}, QStringLiteral("Тип установки")), 0, 0);
    grid->addWidget(comboBox5_, 0, 1);
    grid->addWidget(button4, 0, 2, 1, 2);
    grid->addWidget(checkBox3_, 0, 4, 1, 2);
    grid->addWidget(label({}, QStringLiteral("Жидкость")), 1, 0);
    label51_ = label(QStringLiteral("Label51"), QString());
    label52_ = label(QStringLiteral("Label52"), QString());
    label53_ = label(QStringLiteral("Label53"), QString());
    label55_ = label(QStringLiteral("Label55"), QString());
    label56_ = label(QStringLiteral("Label56"), QString());
    grid->addWidget(label51_, 1, 1);
    grid->addWidget(label({}, QStringLiteral("Расход")), 1, 2);
    grid->addWidget(label52_, 1, 3);
    grid->addWidget(label({}, QStringLiteral("Теплообменник")), 1, 4);
    grid->addWidget(label55_, 1, 5);
    grid->addWidget(label({}, QStringLiteral("Температура жидкости на входе")), 2, 0);
    grid->addWidget(label53_, 2, 1);
    grid->addWidget(label({}, QStringLiteral("Температура жидкости на выходе")), 2, 2);
    auto* outlet = new QHBoxLayout;
    outlet->addWidget(edit23_);
    outlet->addWidget(label56_);
    grid->addLayout(outlet, 2, 3);
    grid->setColumnStretch(6, 1);
    tab.extras->addLayout(grid);
    bitzerChiller_ = warning(
        QStringLiteral("Label63"),
        QStringLiteral("Чиллеры с винтовыми компрессорами рассчитываются с экономайзером !!! "));
    tab.extras->addWidget(bitzerChiller_);
    outside_.liquid = button4;
}

void MainWindow::showLiquid(const LiquidTexts& t, Exchanger exchanger) {
    edit11_->setText(t.edit11);
    edit23_->setText(t.edit23);
    label51_->setText(t.label51);
    label52_->setText(t.label52);
    label53_->setText(t.label53);
    label55_->setText(t.label55);
    label56_->setText(t.label56);
    exchanger_ = exchanger;
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
    file->setObjectName(QStringLiteral("MenuFile"));
    // Calculation files; what the two items do is wired where all windows are known.
    QAction* previous = file->addAction(QStringLiteral("Открыть предыдущий расчет"));
    previous->setObjectName(QStringLiteral("MenuOpenPrevious"));
    previous->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    outside_.openPrevious = previous;
    QAction* save = file->addAction(QStringLiteral("Сохранить расчет..."));
    save->setObjectName(QStringLiteral("MenuSaveCalculation"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    outside_.saveCalculation = save;
    file->addSeparator();
    QAction* print = file->addAction(QStringLiteral("Печать"));
    print->setObjectName(QStringLiteral("MenuPrint"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    QAction* printList = file->addAction(QStringLiteral("Печатать список выбора"));
    printList->setObjectName(QStringLiteral("MenuPrintList"));
    installPrintActions(*this, file, print, printList);
    file->addSeparator();
    QAction* exit = file->addAction(QStringLiteral("Выход"));
    exit->setObjectName(QStringLiteral("MenuExit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    editingMenu_ = menuBar()->addMenu(QStringLiteral("Редактирование"));
    editingMenu_->setObjectName(QStringLiteral("MenuEditing"));
    outside_.unitList = editingMenu_->addAction(QStringLiteral("составить список агрегатов"));
    outside_.unitList->setObjectName(QStringLiteral("MenuUnitList"));
    outside_.polynomial = editingMenu_->addAction(QStringLiteral("Расчет полинома по значениям"));
    outside_.polynomial->setObjectName(QStringLiteral("MenuPolynomial"));
    editingMenu_->menuAction()->setVisible(false);
}

void MainWindow::setMaintenanceMode(bool on) {
    editingMenu_->menuAction()->setVisible(on);
}

int MainWindow::shownTab() const {
    return pageControl1_->currentIndex();
}

void MainWindow::showTab(Tab tab) {
    pageControl1_->setCurrentIndex(tab);
}

UnitTab* MainWindow::shownUnitTab() {
    const int i = shownTab();
    return i >= Condensing && i <= Chiller ? &tabs_[i - 1] : nullptr;
}

UnitTab& MainWindow::unitTab(Tab tab) {
    return tabs_[std::clamp(int(tab), 1, 4) - 1];
}

UnitKind MainWindow::shownKind() const {
    switch (shownTab()) {
        case Condensing:
            return UnitKind::Out;
        case Receiver:
            return UnitKind::Agr;
        case Rack:
            return UnitKind::Mka;
        case Chiller:
            return chillerKind(comboBox5_->currentIndex());
        default:
            return UnitKind::None;
    }
}

QString MainWindow::techDataTableForTab() const {
    const int i = shownTab();
    const UnitKind tabKind = i == Chiller ? UnitKind::Glco : shownKind();
    return tundrix::techDataTableForTab(tabKind, comboBox5_->currentIndex());
}

}  // namespace tundrix
