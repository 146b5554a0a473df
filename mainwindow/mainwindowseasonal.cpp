// The main window's part of the seasonal figures: the settings, the engineer's conditions from
// the fields, the cost-of-owning cursor and the figures of the condensing unit under the cursor.
#include <QCheckBox>
#include <QLineEdit>
#include <QTableWidget>

#include "catalogue/catalogue.h"
#include "mainwindow/mainwindow.h"
#include "seasonal/owning.h"
#include "selection/numbers.h"
#include "widgets/widgetstyle.h"

namespace tundrix {

void MainWindow::setSeasonalSettings(const SeasonalSettings& s) {
    seasonal_ = s;
    if (checkBoxOwning_->isChecked() && shownTab() == Condensing)
        rerunShownTab();
}

OwnConditions MainWindow::ownConditions() const {
    const char sep = decimalSeparator();
    OwnConditions own;
    own.to = readNumber(us(evaporate_->text()), sep, 0.0);
    own.ambient = readNumber(us(edit7_->text()), sep, 0.0);
    own.superheat = readNumber(us(superheat_->text()), sep, 10.0);
    own.subcool = readNumber(us(subcool_->text()), sep, 0.0);
    own.required = readNumber(us(edit11_->text()), sep, 0.0);
    return own;
}

void MainWindow::placeOwning(const UnitTab& tab, SelectionResult& result) {
    if (!checkBoxOwning_->isChecked() || checkBox5_->isChecked() || tab.kind != UnitKind::Out ||
        result.pagesHidden)
        return;
    const OwnConditions own = ownConditions();
    placeOwningCursor(result, catalogue_->agrlist, *cycle_, own.required, own, seasonal_);
}

std::optional<UnitSeasonal> MainWindow::cursorSeasonal(QString* name) {
    if (shownTab() != Condensing)
        return std::nullopt;
    const TabResult& kept = tabResults_[std::size_t(Condensing - 1)];
    const std::size_t r = std::size_t(tabs_[Condensing - 1].grid->currentRow() + 1);
    if (r < 1 || r >= kept.result.rows.size() || kept.names[r].empty())
        return std::nullopt;
    const SelectionRow& row = kept.result.rows[r];
    if (name)
        *name = qs(row.cells[0]);
    const SeasonalUnit unit{row.unit, row.price};
    return seasonalFigures(catalogue_->agrlist, *cycle_, std::span(&unit, 1), ownConditions(),
                           seasonal_, true)
        .front();
}

}  // namespace tundrix
