// The details of the unit in a result grid's cursor row: model, picture, drawing, texts,
// technical data, envelope chart and options, and the condensing temperature written back.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPdfView>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTableWidget>

#include <cmath>

#include "catalogue/catalogue.h"
#include "engine/cyclestate.h"
#include "engine/performance.h"
#include "mainwindow/envelopechart.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/pictureview.h"
#include "printing/reportmodel.h"
#include "selection/numbers.h"
#include "techdata/techdatamodule.h"
#include "widgets/widgetstyle.h"

namespace tundrix {

namespace {

constexpr std::string_view kNonePicture = "images/None.jpg";
constexpr std::string_view kNoComplect = "Complect/Нет.txt";
constexpr std::string_view kNoText = "Textfiles/Нет.txt";

void setCell(QTableWidget* g, int row, int column, const QString& text) {
    g->setItem(row, column, new QTableWidgetItem(text));
}

}  // namespace

void MainWindow::floodpola(UnitTab& tab) {
    const PhaseScope details(probe_, RunPhase::Details);
    const int r = tab.grid->currentRow() + 1;  // result rows count from 1, the headings are 0
    const agregat& a = catalogue_->agrlist;
    const int u = r >= 1 && r <= a.count && agregat::validUnit(r) ? a.order[std::size_t(r)] : 0;
    if (!agregat::validUnit(u) || u > a.count) {
        clearDetails(tab);
        return;
    }
    selrow_ = r;

    const auto [to, t2] = operatingPoint(tab, u);
    if (&tab == &tabs_[3] && !checkBox3_->isChecked())
        evaporate_->setText(QString::number(int(std::nearbyint(to))));
    if (QTableWidgetItem* item = tab.grid->item(r - 1, 0))
        tab.model->setText(item->text());

    showPicture(tab, u);
    writeBackCondensing(u, to, t2);
    showDrawing(tab, u);
    showTexts(tab, u);
    showTechData(tab, u);
    showChart(tab, u, to, t2);
    showOptions(tab, u);
}

std::pair<double, double> MainWindow::operatingPoint(const UnitTab& tab, int u) const {
    const char sep = decimalSeparator();
    const double to =
        &tab == &tabs_[3] && !checkBox3_->isChecked()
            ? readNumber(us(edit23_->text()), sep, 0) - catalogue_->agrlist.delta[std::size_t(u)]
            : readNumber(us(evaporate_->text()), sep, 0);
    const double t2 = condensate_->isReadOnly() ? readNumber(us(edit7_->text()), sep, 0)
                                                : readNumber(us(condensate_->text()), sep, 0);
    return {to, t2};
}

void MainWindow::fillReportInputs(ReportModel& m) const {
    m.refrigerant = comboBox8_->currentText();
    m.refrigerantSafety = labelSafety_->text();
    m.evaporate = evaporate_->text();
    m.condensate = condensate_->text();
    m.ambient = edit7_->text();
    m.superheat = superheat_->text();
    m.subcool = subcool_->text();
    if (shownTab() == Chiller)
        m.liquid =
            ReportLiquid{label51_->text(), label52_->text(), label53_->text(), edit23_->text()};
}

void MainWindow::clearDetails(UnitTab& tab) {
    // No unit behind the cursor: nothing of the unit shown before may stay beside the list, and
    // the options window offers no options.
    selrow_ = 0;
    tab.model->clear();
    tab.picture->clear();
    tab.drawing->close();
    tab.drawingStack->setCurrentWidget(tab.drawingPlaceholder);
    tab.drawingPlaceholder->clear();
    tab.complect->clear();
    tab.description->clear();
    tab.drawingShown.clear();
    tab.complectShown.clear();
    tab.descriptionShown.clear();
    tab.techShown.clear();
    tab.techGrid->clearContents();
    tab.techGrid->setRowCount(0);
    tab.chart->clear();
    tab.optionsGrid->clear();
    tab.optionsGrid->setColumnCount(0);
    if (detailsShown_)
        detailsShown_(0);
}

void MainWindow::writeBackCondensing(int u, double to, double t2) {
    const agregat& a = catalogue_->agrlist;
    if (a.name[std::size_t(u)].empty() || a.ncondensator[std::size_t(u)] == 0)
        return;
    const Performance perf(a, *cycle_);
    const double tc = perf.condensatetemp(to, t2, u);
    // A unit that cannot be computed leaves the field as it is rather than blank.
    if (std::isfinite(tc))
        condensate_->setText(qs(fmt(tc, decimalSeparator())));
}

void MainWindow::showPicture(UnitTab& tab, int u) {
    const auto& a = catalogue_->agrlist;
    auto file = catalogue_->existingFile(a.picturepath[std::size_t(u)]);
    if (!file)
        file = catalogue_->existingFile(kNonePicture);
    if (file)
        tab.picture->load(QString::fromStdString(file->string()));
    else
        tab.picture->clear();
}

void MainWindow::showDrawing(UnitTab& tab, int u) {
    const auto& a = catalogue_->agrlist;
    const auto file = catalogue_->existingFile(a.imagepath[std::size_t(u)]);
    const QString stamp = file ? fileStamp(QString::fromStdString(file->string())) : QString();
    if (!stamp.isEmpty() && stamp == tab.drawingShown &&
        tab.drawing->status() == QPdfDocument::Status::Ready &&
        tab.drawingStack->currentWidget() == tab.browser)
        return;  // that drawing is in view already
    tab.drawingShown.clear();
    tab.drawing->close();
    if (file &&
        tab.drawing->load(QString::fromStdString(file->string())) == QPdfDocument::Error::None) {
        tab.drawingStack->setCurrentWidget(tab.browser);
        tab.drawingShown = stamp;
        return;
    }
    // No drawing (or not a PDF): the placeholder picture, or the file itself as a picture.
    tab.drawingStack->setCurrentWidget(tab.drawingPlaceholder);
    if (file && tab.drawingPlaceholder->load(QString::fromStdString(file->string())))
        return;
    if (const auto none = catalogue_->existingFile(kNonePicture))
        tab.drawingPlaceholder->load(QString::fromStdString(none->string()));
    else
        tab.drawingPlaceholder->clear();
}

void MainWindow::showTexts(UnitTab& tab, int u) {
    const auto& a = catalogue_->agrlist;
    // A text read from an unchanged file is in the memo already.
    auto show = [this](QPlainTextEdit* memo, QString& shown, const std::string& path,
                       std::string_view fallback) {
        auto file = catalogue_->existingFile(path);
        if (!file)
            file = catalogue_->existingFile(fallback);
        const QString stamp = file ? fileStamp(QString::fromStdString(file->string())) : QString();
        if (!stamp.isEmpty() && stamp == shown)
            return;
        memo->setPlainText(file ? readCatalogueText(*file) : QString());
        shown = stamp;
    };
    show(tab.complect, tab.complectShown, a.complectpath[std::size_t(u)], kNoComplect);
    show(tab.description, tab.descriptionShown, a.textpath[std::size_t(u)], kNoText);
}

void MainWindow::showTechData(UnitTab& tab, int u) {
    QTableWidget* g = tab.techGrid;
    // The same unit's record of an unchanged store, with the table still open on it, is shown
    // already: the store is not read again.
    const QString table = techData_ ? techDataTableForTab() : QString();
    const QString unit = qs(catalogue_->agrlist.name[std::size_t(u)]);
    auto shownKey = [&] {
        return table + QLatin1Char('|') + unit + QLatin1Char('|') +
               fileStamp(QString::fromStdString(techData_->databaseFile().string())) +
               QLatin1Char('|') + QString::number(techData_->currentRecord());
    };
    if (techData_ && !tab.techShown.isEmpty() && techData_->isOpen() &&
        techData_->tableName() == table && shownKey() == tab.techShown)
        return;
    tab.techShown.clear();
    g->clearContents();
    g->setRowCount(0);
    g->setHorizontalHeaderLabels({QStringLiteral("Характеристика"), QStringLiteral("Значение")});
    if (!techData_)
        return;
    techData_->close();
    techData_->setTableName(table);
    if (!techData_->open()) {
        // Shown in the grid rather than in a message box: the details follow every cursor move.
        g->setRowCount(1);
        setCell(g, 0, 0, QStringLiteral("Технические данные недоступны"));
        setCell(g, 0, 1, techData_->lastError());
        return;
    }
    const int n = techData_->fieldCount();
    g->setRowCount(std::max(0, n - 1));
    const int record = techData_->recordNo(unit);
    if (record > 0)
        techData_->moveTo(record);
    else
        techData_->first();
    for (int f = 1; f < n; ++f) {
        setCell(g, f - 1, 0, techData_->fieldName(f));
        setCell(g, f - 1, 1, record > 0 ? techData_->value(record, f) : QString());
    }
    tab.techShown = shownKey();
}

void MainWindow::showChart(UnitTab& tab, int u, double to, double t2) {
    const PhaseScope chart(probe_, RunPhase::Chart);
    const agregat& a = catalogue_->agrlist;
    const auto e = a.envelope(u);
    const Performance perf(a, *cycle_);
    std::array<double, 12> v{};
    const bool withCondensers = a.ncondensator[std::size_t(u)] != 0;
    for (int n = 0; n < 3; ++n) {
        v[std::size_t(2 * n)] = e[std::size_t(2 * n)];
        v[std::size_t(2 * n + 1)] = withCondensers ? 10.0 : e[std::size_t(2 * n + 1)];
    }
    for (int n = 3; n < 6; ++n) {
        const double x = e[std::size_t(2 * n)];
        v[std::size_t(2 * n)] = x;
        v[std::size_t(2 * n + 1)] = perf.outdoortemp(x, e[std::size_t(2 * n + 1)], u);
    }
    // The point is tested where it is drawn: `to` already is the unit's evaporating temperature.
    tab.chart->setData(makeEnvelopeChart(v, e[9], to, t2, to));
}

void MainWindow::showOptions(UnitTab& tab, int u) {
    const OptionBlock& o = catalogue_->agrlist.optionagr[std::size_t(u)];
    int f = 0;
    while (f < OptionBlock::kOptions && !o.name[std::size_t(f + 1)].empty())
        ++f;
    QTableWidget* g = tab.optionsGrid;
    g->clear();
    g->setColumnCount(f);
    g->setRowCount(2);
    QStringList names;
    const char sep = decimalSeparator();
    for (int c = 0; c < f; ++c) {
        const auto j = std::size_t(c + 1);
        names << qs(o.name[j]);
        const auto price = parseNumber(o.price[j], sep);
        setCell(g, 0, c, price && *price != 0 ? qs(fmt(*price, sep)) : qs(o.price[j]));
        g->item(0, c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setCell(g, 1, c, o.flag[j] ? QStringLiteral("выбрана") : QString());
        g->item(1, c)->setTextAlignment(Qt::AlignCenter);
    }
    g->setHorizontalHeaderLabels(names);
    if (detailsShown_)
        detailsShown_(u);
}

}  // namespace tundrix
