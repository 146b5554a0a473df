// The main window's part of a calculation file: its inputs, the chosen options and the unit under
// the cursor of each kind tab with its results, gathered for saving and put back on opening.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>

#include <algorithm>

#include "calculation/calculationunits.h"
#include "catalogue/catalogue.h"
#include "engine/cyclestate.h"
#include "mainwindow/mainwindow.h"
#include "widgets/widgetstyle.h"

namespace tundrix {

namespace {

bool isChecked(const QListWidget* list, int row) {
    return row >= 0 && row < list->count() && list->item(row)->checkState() == Qt::Checked;
}

void setChecked(QListWidget* list, int row, bool on) {
    if (row >= 0 && row < list->count())
        list->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

}  // namespace

void MainWindow::fillCalculation(Calculation& c) const {
    const char sep = decimalSeparator();
    auto number = [sep](const QLineEdit* e) { return fieldNumber(us(e->text()), sep); };
    MainInputs& m = c.inputs;
    m.tab = CalcTab(std::clamp(shownTab(), 0, kUnitTabs));
    m.evaporate = number(evaporate_);
    m.condensate = number(condensate_);
    m.ambient = number(edit7_);
    m.superheat = number(superheat_);
    m.subcool = number(subcool_);
    m.required = number(edit11_);
    m.outlet = number(edit23_);
    m.cheapest = checkBox5_->isChecked();
    m.refrigerant = comboBox8_->currentIndex();
    // The level list may show no item after the options on the chiller tab; levelon then
    // still holds the level choice of the chiller type (the high level).
    m.level = comboBox6_->currentIndex() >= 0 ? comboBox6_->currentIndex() : 3;
    for (int b = 1; b <= kBrands; ++b)
        m.brands[std::size_t(b)] = isChecked(checkListBox1_, b - 1);
    for (int n = 2; n <= 5; ++n)
        m.racks[std::size_t(n)] = isChecked(checkListBox2_, n - 2);
    m.ambientMode = condensate_->isReadOnly();
    m.chillerType = std::clamp(comboBox5_->currentIndex(), 0, 6);
    m.useEvaporate = checkBox3_->isChecked();
    c.options = chosenOptions(catalogue_->agrlist);
    for (int t = 0; t < kUnitTabs; ++t) {
        const TabResult& kept = tabResults_[std::size_t(t)];
        const int r = tabs_[t].grid->currentRow() + 1;
        if (r < 1 || r >= int(kept.names.size()) || kept.names[std::size_t(r)].empty())
            continue;
        const SelectionRow& row = kept.result.rows[std::size_t(r)];
        c.cursor[std::size_t(t)] = kept.names[std::size_t(r)];
        c.results.push_back({CalcTab(t + 1), kept.names[std::size_t(r)], row.capacity, row.power,
                             row.heat, row.current, row.price});
    }
}

std::vector<Difference> MainWindow::restoreCalculation(const Calculation& c) {
    const MainInputs& m = c.inputs;
    const char sep = decimalSeparator();
    // The tab's own handlers set it up as a click would (the chilled-liquid dialog with the
    // chiller tab); nothing runs before every input is back.
    const bool wasStarted = started_;
    started_ = false;
    pageControl1_->setCurrentIndex(int(m.tab));
    {
        const QSignalBlocker b8(comboBox8_), b6(comboBox6_), b5(comboBox5_);
        const QSignalBlocker l1(checkListBox1_), l2(checkListBox2_), c5(checkBox5_), c3(checkBox3_);
        comboBox8_->setCurrentIndex(m.refrigerant);
        comboBox6_->setCurrentIndex(m.level);
        comboBox5_->setCurrentIndex(m.chillerType);
        for (int b = 1; b <= kBrands; ++b)
            setChecked(checkListBox1_, b - 1, m.brands[std::size_t(b)]);
        for (int n = 2; n <= 5; ++n)
            setChecked(checkListBox2_, n - 2, m.racks[std::size_t(n)]);
        checkBox5_->setChecked(m.cheapest);
        checkBox3_->setChecked(m.useEvaporate);
    }
    showRefrigerantSafety();
    catalogue_->levelon = levelsForChoice(m.level);
    brandsChangedQuietly();
    evaporate_->setText(qs(fieldText(m.evaporate, sep)));
    condensate_->setText(qs(fieldText(m.condensate, sep)));
    edit7_->setText(qs(fieldText(m.ambient, sep)));
    superheat_->setText(qs(fieldText(m.superheat, sep)));
    subcool_->setText(qs(fieldText(m.subcool, sep)));
    edit11_->setText(qs(fieldText(m.required, sep)));
    edit23_->setText(qs(fieldText(m.outlet, sep)));
    setAmbientMode(m.ambientMode);
    setLocked(evaporate_, m.tab == CalcTab::Chiller && !m.useEvaporate);
    cycle_->loadRefrigerant(m.refrigerant, dataDir_);
    if (m.tab == CalcTab::Description)
        DataUpdateExecute();
    else
        DataUpdateExecuteagr();
    started_ = wasStarted;

    // Each kind tab puts its cursor on the saved unit when it next runs; the options go onto
    // the units of the next list by name.
    pendingCursor_ = c.cursor;
    pendingOptions_ = c.options;
    pendingDifferences_.clear();
    std::vector<Difference> differences;
    UnitTab* tab = shownUnitTab();
    if (!tab)
        return differences;
    restoring_ = true;
    runSelection(*tab);
    restoring_ = false;
    differences = std::move(pendingDifferences_);
    pendingDifferences_.clear();
    const int i = tabIndex(*tab);
    const std::string& name = c.cursor[std::size_t(i)];
    const TabResult& kept = tabResults_[std::size_t(i)];
    const int r = tab->grid->currentRow() + 1;
    if (name.empty())
        return differences;
    if (r < 1 || r >= int(kept.names.size()) || kept.names[std::size_t(r)] != name) {
        differences.push_back({Difference::Kind::UnitGone, "cursor", name, {}, {}, {}});
        pendingCursor_[std::size_t(i)].clear();
        return differences;
    }
    for (const ResultRecord& saved : c.results)
        if (saved.tab == m.tab && saved.name == name)
            for (const Difference& d : compareResult(saved, kept.result.rows[std::size_t(r)]))
                differences.push_back(d);
    return differences;
}

void MainWindow::applyPendingOptions(const SelectionInputs& in, SelectionResult& result) {
    if (!pendingOptions_ || result.pagesHidden)
        return;
    const OptionsApplied applied = applyOptionChoices(catalogue_->agrlist, *pendingOptions_);
    pendingOptions_.reset();
    pendingDifferences_ = applied.missing;
    // The prices in the list include the options only when the run sees them.
    if (applied.units > 0)
        result = Tableoperations(*catalogue_, *cycle_, in);
    if (!restoring_ && !pendingDifferences_.empty()) {
        QString text;
        for (const Difference& d : pendingDifferences_)
            text += qs(differenceText(d, decimalSeparator())) + QLatin1Char(' ');
        statusBar()->showMessage(text.trimmed(), 15000);
        pendingDifferences_.clear();
    }
}

int MainWindow::keepResult(UnitTab& tab, const SelectionResult& result) {
    TabResult& kept = tabResults_[std::size_t(tabIndex(tab))];
    if (result.pagesHidden) {
        kept = {};  // the tab shows no unit
        return result.cursorRow;
    }
    kept.result = result;
    kept.names.assign(result.rows.size(), {});
    for (std::size_t r = 1; r < result.rows.size(); ++r)
        if (agregat::validUnit(result.rows[r].unit))
            kept.names[r] = catalogue_->agrlist.name[std::size_t(result.rows[r].unit)];
    std::string& pending = pendingCursor_[std::size_t(tabIndex(tab))];
    if (pending.empty())
        return result.cursorRow;
    const auto found = std::find(kept.names.begin() + 1, kept.names.end(), pending);
    pending.clear();
    return found == kept.names.end() ? result.cursorRow : int(found - kept.names.begin());
}

std::optional<BasketUnit> MainWindow::basketUnitAt(Tab tab, int gridRow) const {
    // Rows of the shown tab only: its units are the list loaded now.
    if (tab < Condensing || tab > Chiller || shownTab() != tab)
        return std::nullopt;
    const TabResult& kept = tabResults_[std::size_t(tab - 1)];
    const std::size_t r = std::size_t(gridRow + 1);
    if (gridRow < 0 || r >= kept.result.rows.size() || kept.names[r].empty())
        return std::nullopt;
    const UnitKind kind =
        tab == Chiller ? chillerKind(comboBox5_->currentIndex()) : tabs_[tab - 1].kind;
    return basketUnit(catalogue_->agrlist, kind, comboBox8_->currentIndex(), kept.result.rows[r]);
}

}  // namespace tundrix
