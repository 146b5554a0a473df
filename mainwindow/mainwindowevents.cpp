// The main window's events: start-up, tab changes, the inputs that reload catalogue data or re-run
// the selection of the shown tab, the selection run itself and the cursor buttons.
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>

#include <cmath>

#include "catalogue/catalogue.h"
#include "catalogue/refrigerants.h"
#include "engine/cyclestate.h"
#include "mainwindow/mainwindow.h"
#include "widgets/widgetstyle.h"

namespace tundrix {

namespace {

constexpr int kBitzer = 3;
constexpr qint64 kProgressStepMs = 100;  // how often a long selection run shows its progress

void setAllChecked(QListWidget* list, bool checked) {
    const QSignalBlocker block(list);
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool checked(const QListWidget* list, int row) {
    return row >= 0 && row < list->count() && list->item(row)->checkState() == Qt::Checked;
}

void setIndexQuietly(QComboBox* box, int index) {
    const QSignalBlocker block(box);
    box->setCurrentIndex(index);
}

// The result rows into the grid. The cells of the rows the grid already has are rewritten in
// place (a re-run mostly shows the same units again), and the grid is painted once when it is
// full.
void fillResultGrid(QTableWidget* g, const SelectionResult& result) {
    g->setUpdatesEnabled(false);
    const int rows = std::max(0, int(result.rows.size()) - 1);
    g->setRowCount(rows);
    if (!result.rows.empty()) {
        QStringList headings;
        for (const std::string& h : result.rows[0].cells)
            headings << qs(h);
        g->setHorizontalHeaderLabels(headings);
    }
    for (int r = 1; r <= rows; ++r) {
        const SelectionRow& row = result.rows[std::size_t(r)];
        for (int c = 0; c < 6; ++c) {
            const QString text = qs(row.cells[std::size_t(c)]);
            QTableWidgetItem* item = g->item(r - 1, c);
            if (!item) {
                item = new QTableWidgetItem(text);
                if (c > 0)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                item->setData(Qt::UserRole, row.unit);
                g->setItem(r - 1, c, item);
                continue;
            }
            if (item->text() != text)
                item->setText(text);
            if (item->data(Qt::UserRole).toInt() != row.unit)
                item->setData(Qt::UserRole, row.unit);
        }
    }
    fitFigureColumns(g);
    g->setUpdatesEnabled(true);
}

// The grid's cursor on result row `cursorRow` (rows count from 1), selected and in view.
void placeGridCursor(QTableWidget* g, int cursorRow) {
    const int rows = g->rowCount();
    if (rows <= 0)
        return;
    const int cursor = std::clamp(cursorRow, 1, rows);
    g->setCurrentCell(cursor - 1, 0);
    g->selectRow(cursor - 1);
    g->scrollToItem(g->item(cursor - 1, 0), QAbstractItemView::PositionAtCenter);
}

}  // namespace

void MainWindow::connectEvents() {
    currentTab_ = pageControl1_->currentIndex();
    connect(pageControl1_, &QTabWidget::currentChanged, this, [this](int index) {
        tabHidden(currentTab_);
        currentTab_ = index;
        tabShown(index);
        tabChanged(index);
    });
    for (QLineEdit* e : {evaporate_, superheat_, subcool_, edit7_, condensate_, edit23_})
        e->installEventFilter(this);
    connect(comboBox8_, &QComboBox::currentIndexChanged, this, [this] { refrigerantChanged(); });
    connect(comboBox6_, &QComboBox::currentIndexChanged, this, [this] {
        applyLevelChoice();
        if (started_)
            rerunShownTab();
    });
    connect(checkListBox1_, &QListWidget::itemChanged, this, [this] { brandsChanged(); });
    connect(checkListBox2_, &QListWidget::itemChanged, this, [this] {
        if (started_)
            rerunShownTab();
    });
    connect(comboBox5_, &QComboBox::currentIndexChanged, this, [this] { ComboBox5Change(); });
    connect(checkBox3_, &QCheckBox::clicked, this, [this] {
        setLocked(evaporate_, !checkBox3_->isChecked());
        runSelection(tabs_[3]);
    });
    for (UnitTab& t : tabs_)
        connectUnitTab(t);
    connectCalculator();
}

void MainWindow::connectUnitTab(UnitTab& tab) {
    UnitTab* t = &tab;
    connect(t->podbor, &QPushButton::clicked, this, [this, t] { runSelection(*t); });
    connect(t->prev, &QPushButton::clicked, this, [this, t] { moveCursor(*t, -1); });
    connect(t->next, &QPushButton::clicked, this, [this, t] { moveCursor(*t, +1); });
    // A new cursor row, by click, keys or "<" / ">", shows that unit's details.
    connect(t->grid, &QTableWidget::currentCellChanged, this,
            [this, t](int row, int, int previousRow, int) {
                if (row != previousRow && row >= 0)
                    floodpola(*t);
            });
    // A click on the row that already is the cursor row changes no cell, yet shows the details
    // again as every click on a result row does (writing the condensing temperature back too).
    // A click that moved the cursor was handled above on the press.
    t->grid->viewport()->installEventFilter(this);
    connect(t->grid, &QTableWidget::cellClicked, this, [this, t](int row, int) {
        if (row >= 0 && row == rowAtPress_)
            floodpola(*t);
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress)
        for (const UnitTab& t : tabs_)
            if (watched == t.grid->viewport())
                rowAtPress_ = t.grid->currentRow();
    // Leaving a field means moving to another control of this window; switching to another
    // window or opening a menu or a list keeps the field where it is.
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
        if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason)
            fieldLeft(watched);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::fieldLeft(QObject* field) {
    const int tab = shownTab();
    if (field == evaporate_ || field == superheat_ || field == subcool_) {
        rerunShownTab();
    } else if (field == edit7_) {
        if (tab == Condensing || tab == Receiver || tab == Chiller)
            rerunShownTab();
    } else if (field == condensate_) {
        if (tab == Receiver || tab == Rack)
            rerunShownTab();
    } else if (field == edit23_) {
        if (tab == Chiller)
            runSelection(tabs_[3]);
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        startup();
    }
}

void MainWindow::startup() {
    // The performance data are preloaded once, below, for the refrigerant the tab starts with.
    if (const auto f = catalogue_->existingFile("condensators.dat"))
        catalogue_->conderlist.load(*f);
    {
        const QSignalBlocker block(checkListBox1_);
        checkListBox1_->item(0)->setCheckState(Qt::Checked);
    }
    setAllChecked(checkListBox2_, true);
    label23_->setText(QStringLiteral("°C"));
    label24_->setText(QStringLiteral("°C"));
    label25_->setText(QStringLiteral("°C"));
    started_ = false;
    if (shownTab() == Chiller) {
        setRefrigerantQuietly(kChillerRefrigerant);
        setIndexQuietly(comboBox6_, 3);
        setIndexQuietly(calc_.comboBox7, 1);
        catalogue_->levelon[3] = true;
    } else {
        setIndexQuietly(comboBox6_, 1);
        setRefrigerantQuietly(kDefaultRefrigerant);
        setIndexQuietly(calc_.comboBox7, 1);
        catalogue_->levelon[1] = true;
    }
    DataUpdateExecute();
    DataUpdateExecuteagr();
    rerunShownTab();
    started_ = true;
    setIndexQuietly(comboBox5_, 0);
}

void MainWindow::applyLevelChoice() {
    const int index = comboBox6_->currentIndex();
    catalogue_->levelon = levelsForChoice(index);
    const std::string_view t = evaporateForChoice(index);
    if (!t.empty())
        evaporate_->setText(qs(t));
}

void MainWindow::DataUpdateExecute() {
    cycle_->refrigerant = comboBox8_->currentIndex();
    setCondfactor(*cycle_);
    fillCalculatorLists(catalogue_->FullDataUpdate(calc_.comboBox9->currentIndex() + 1,
                                                   calc_.comboBox7->currentIndex() + 1,
                                                   comboBox8_->currentIndex()));
}

void MainWindow::DataUpdateExecuteagr() {
    catalogue_->preloadtables(comboBox8_->currentIndex());
    cycle_->refrigerant = comboBox8_->currentIndex();
    setCondfactor(*cycle_);
    if (started_)
        rerunShownTab();
}

void MainWindow::reloadBrandData() {
    if (!shownOnce_)
        return;  // start-up reads everything anyway
    DataUpdateExecute();
    DataUpdateExecuteagr();
}

void MainWindow::tabHidden(int index) {
    if (index == Chiller) {
        setLocked(evaporate_, false);
        condensate_->setText(QStringLiteral("45"));
    }
}

void MainWindow::tabShown(int index) {
    switch (index) {
        case Condensing: {
            setAmbientMode(true);
            const int r = tabs_[0].grid->currentRow();
            if (QTableWidgetItem* item = r >= 0 ? tabs_[0].grid->item(r, 0) : nullptr)
                tabs_[0].model->setText(item->text());
            break;
        }
        case Receiver: {
            const QStringList headings = {QStringLiteral("Агрегат"),  QStringLiteral("Холод-сть"),
                                          QStringLiteral("мощность"), QStringLiteral("Теплоотдача"),
                                          QStringLiteral("Ток"),      QStringLiteral("Цена(EUR)")};
            tabs_[1].grid->setHorizontalHeaderLabels(headings);
            fitFigureColumns(tabs_[1].grid);
            tabs_[1].optionsGrid->setColumnCount(6);
            tabs_[1].optionsGrid->setHorizontalHeaderLabels(headings);
            setAmbientMode(false);
            condensate_->setText(QStringLiteral("45"));
            break;
        }
        case Rack: {
            const int r = tabs_[2].grid->currentRow();
            if (QTableWidgetItem* item = r >= 0 ? tabs_[2].grid->item(r, 0) : nullptr)
                tabs_[2].model->setText(item->text());
            setAmbientMode(false);
            condensate_->setText(QStringLiteral("45"));
            break;
        }
        case Chiller:
            if (chillerShown_)
                chillerShown_();
            setLocked(edit7_, false);
            setLocked(condensate_, true);
            setLocked(evaporate_, true);
            setAllChecked(checkListBox1_, true);
            brandsChangedQuietly();
            break;
        default:
            break;
    }
}

void MainWindow::tabChanged(int index) {
    if (index == Chiller) {
        setAllChecked(checkListBox1_, true);
        brandsChangedQuietly();
        setLocked(evaporate_, true);
        setRefrigerantQuietly(kChillerRefrigerant);
        setIndexQuietly(comboBox6_, 3);
    }
    applyLevelChoice();
    if (index == Description)
        DataUpdateExecute();
    else
        DataUpdateExecuteagr();
}

void MainWindow::setRefrigerantQuietly(int index) {
    setIndexQuietly(comboBox8_, index);
    showRefrigerantSafety();
}

void MainWindow::showRefrigerantSafety() {
    const int r = comboBox8_->currentIndex();
    labelSafety_->setText(validRefrigerant(r) ? qs(safetyText(refrigerantEntry(r))) : QString());
}

void MainWindow::refrigerantChanged() {
    showRefrigerantSafety();
    cycle_->loadRefrigerant(comboBox8_->currentIndex(), dataDir_);
    if (shownTab() == Description)
        DataUpdateExecute();
    else
        DataUpdateExecuteagr();
}

void MainWindow::brandsChangedQuietly() {
    const bool bitzer = checked(checkListBox1_, kBitzer - 1);
    bitzerReceiver_->setVisible(bitzer);
    bitzerRack_->setVisible(bitzer);
    bitzerChiller_->setVisible(bitzer);
}

void MainWindow::brandsChanged() {
    brandsChangedQuietly();
    if (started_)
        rerunShownTab();
}

void MainWindow::setAmbientMode(bool ambient) {
    setLocked(edit7_, !ambient);
    setLocked(condensate_, ambient);
}

void MainWindow::ComboBox5Change() {
    const int i = comboBox5_->currentIndex();
    if (i <= 3) {
        setLocked(edit7_, false);
        setLocked(condensate_, true);
    } else {
        setLocked(condensate_, false);
        setLocked(edit7_, true);
        condensate_->setText(QStringLiteral("45"));
    }
    // The level handler puts its own default into `evaporate`; the chiller type's temperature
    // is set after it so that it is the one that stays. The chiller selection below re-runs the
    // tab once with the final inputs.
    auto level = [this](int index, const QString& evaporate) {
        setIndexQuietly(comboBox6_, index);
        applyLevelChoice();
        evaporate_->setText(evaporate);
    };
    if (i <= 4) {
        level(3, QStringLiteral("10"));
    } else if (i == 5) {
        condensate_->setText(QStringLiteral("45"));
        level(2, QStringLiteral("-5"));
    } else if (i == 6) {
        condensate_->setText(QStringLiteral("45"));
        level(4, QStringLiteral("-20"));
    }
    runSelection(tabs_[3]);
}

void MainWindow::rerunShownTab() {
    if (UnitTab* t = shownUnitTab())
        runSelection(*t);
}

void MainWindow::rerunAfterOptions() {
    if (shownTab() == Chiller && comboBox8_->currentIndex() != kChillerRefrigerant) {
        setRefrigerantQuietly(kChillerRefrigerant);
        // The list now says R407C, so the preloaded performance data must be R407C's as well:
        // otherwise the rerun would compute the R407C units from the previous refrigerant's
        // tables. Only the data are reloaded; the rerun below is the one selection run.
        catalogue_->preloadtables(kChillerRefrigerant);
    }
    rerunShownTab();
}

void MainWindow::runSelection(UnitTab& tab) {
    const SelectionInputs in = selectionInputs(tab);
    SelectionResult result;
    {
        const PhaseScope engine(probe_, RunPhase::Engine);
        result = computeSelection(in);
        applyPendingOptions(in, result);
    }
    showResult(tab, result);
}

SelectionInputs MainWindow::selectionInputs(const UnitTab& tab) const {
    SelectionInputs in;
    in.required = us(edit11_->text());
    in.evaporate = us(evaporate_->text());
    in.condensate = us(condensate_->text());
    in.ambient = us(edit7_->text());
    in.superheat = us(superheat_->text());
    in.subcool = us(subcool_->text());
    in.outlet = us(edit23_->text());
    in.decimalSeparator = decimalSeparator();
    in.kind = tab.kind == UnitKind::Glco ? chillerKind(comboBox5_->currentIndex()) : tab.kind;
    in.ambientMode = condensate_->isReadOnly();
    in.refrigerant = comboBox8_->currentIndex();
    for (int b = 1; b <= kBrands; ++b)
        in.brandChecked[std::size_t(b)] = checked(checkListBox1_, b - 1);
    in.levelChoice = -1;
    for (int s = 2; s <= 5; ++s)
        in.rackSizeChecked[std::size_t(s)] = checked(checkListBox2_, s - 2);
    in.exchanger = exchanger_;
    in.useEvaporate = checkBox3_->isChecked();
    in.cheapest = checkBox5_->isChecked();
    in.cursorRow = std::max(1, tab.grid->currentRow() + 1);
    return in;
}

SelectionResult MainWindow::computeSelection(const SelectionInputs& in) {
    label48_->setText(qs(kRunningText));
    // A new value repaints the bar at once; a run of a few milliseconds would spend more on
    // repainting it than on its units, so the bar follows a run only every kProgressStepMs
    // and the result sets its final value and text.
    QElapsedTimer sinceShown;
    sinceShown.start();
    return Tableoperations(*catalogue_, *cycle_, in,
                           [this, &sinceShown](int percent, std::string_view text) {
                               if (sinceShown.elapsed() < kProgressStepMs)
                                   return;
                               sinceShown.restart();
                               if (percent >= 0)
                                   progressBar1_->setValue(percent);
                               label48_->setText(qs(text));
                           });
}

void MainWindow::showResult(UnitTab& tab, const SelectionResult& result) {
    std::optional<PhaseScope> grid(std::in_place, probe_, RunPhase::Grid);
    label48_->setText(qs(result.progressLabel));
    if (result.progress >= 0)  // no unit inside its envelope leaves the bar as it was
        progressBar1_->setValue(result.progress);
    const int cursorRow = keepResult(tab, result);
    if (result.pagesHidden) {
        tab.pages->hide();
        tab.noData->show();
        tab.coverage->setText(qs(result.coverage));
        tab.coverage->show();
        grid.reset();
        clearDetails(tab);
        return;
    }
    tab.noData->hide();
    tab.coverage->hide();
    tab.pages->show();
    {
        const QSignalBlocker block(tab.grid);
        fillResultGrid(tab.grid, result);
        placeGridCursor(tab.grid, cursorRow);
    }
    tab.model->setText(cursorRow == result.cursorRow
                           ? qs(result.modelLabel)
                           : qs(result.rows[std::size_t(cursorRow)].cells[0]));
    if (!result.message.empty())
        statusBar()->showMessage(qs(result.message), 8000);
    grid.reset();
    floodpola(tab);
}

void MainWindow::moveCursor(UnitTab& tab, int step) {
    QTableWidget* g = tab.grid;
    const int r = g->currentRow();
    if (step < 0 && r > 0)
        g->setCurrentCell(r - 1, 0);
    else if (step > 0 && r >= 0 && r < g->rowCount() - 1)
        g->setCurrentCell(r + 1, 0);
    else if (step > 0 && r < 0 && g->rowCount() > 0)
        g->setCurrentCell(0, 0);
    const int now = g->currentRow();
    if (QTableWidgetItem* item = now >= 0 ? g->item(now, 0) : nullptr)
        tab.model->setText(item->text());
}

}  // namespace tundrix
