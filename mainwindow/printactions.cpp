#include "mainwindow/printactions.h"

#include <QAction>
#include <QDateTime>
#include <QFileDialog>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTableWidget>

#include <functional>

#include "catalogue/catalogue.h"
#include "mainwindow/mainwindow.h"
#include "printing/pdfoutput.h"
#include "printing/printlayout.h"
#include "printing/reportenvelope.h"

namespace tundrix {

namespace {

QString cell(const QTableWidget* g, int row, int column) {
    const QTableWidgetItem* item = g->item(row, column);
    return item ? item->text() : QString();
}

QString heading(const QTableWidget* g, int column) {
    const QTableWidgetItem* item = g->horizontalHeaderItem(column);
    return item ? item->text() : QString();
}

// The unit behind the result grid's cursor row (result rows count from 1), or 0.
int unitBehindCursor(MainWindow& w, const UnitTab& tab) {
    const agregat& a = w.catalogue().agrlist;
    const int r = tab.grid->currentRow() + 1;
    if (r < 1 || r > tab.grid->rowCount() || r > a.count || !agregat::validUnit(r))
        return 0;
    const int u = a.order[std::size_t(r)];
    return agregat::validUnit(u) && u <= a.count ? u : 0;
}

QString askPdfFile(MainWindow& w, const QString& suggested) {
    QString file = QFileDialog::getSaveFileName(&w, QStringLiteral("Сохранить в PDF"), suggested,
                                                QStringLiteral("Документ PDF (*.pdf)"));
    if (!file.isEmpty() && !file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        file += QStringLiteral(".pdf");
    return file;
}

void reportWriteError(MainWindow& w, const QString& file, const QString& error) {
    QMessageBox::warning(&w, QStringLiteral("Печать"),
                         QStringLiteral("Не удалось записать файл %1: %2").arg(file, error));
}

// The report model, or a message box and nothing when there is no unit to report on.
std::optional<ReportModel> printableReport(MainWindow& w) {
    auto model = reportFromWindow(w);
    if (model && !model->hasUnit) {
        QMessageBox::information(&w, QStringLiteral("Печать"), kNothingToPrintText);
        return std::nullopt;
    }
    return model;
}

}  // namespace

void previewDocument(QWidget* parent, const QString& title,
                     const std::function<bool(PrintTarget&)>& draw) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    QObject::connect(
        &dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&draw, &dialog](QPrinter* p) {
            PagedTarget target(*p, [p](const QString& t) { p->setDocName(t); });
            if (!draw(target))
                QMessageBox::warning(&dialog, QStringLiteral("Печать"), kIncompletePrintText);
        });
    dialog.exec();
}

std::optional<ReportModel> reportFromWindow(MainWindow& w) {
    UnitTab* tab = w.shownUnitTab();
    if (!tab)
        return std::nullopt;
    ReportModel m;
    m.font = printFont(tab->grid->font());
    m.dateTime = QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    w.fillReportInputs(m);

    const int u = unitBehindCursor(w, *tab);
    m.hasUnit = u != 0;
    if (!m.hasUnit)
        return m;
    const int row = tab->grid->currentRow();
    for (int c = 0; c < tab->grid->columnCount(); ++c)
        m.result.push_back({heading(tab->grid, c), cell(tab->grid, row, c)});
    const QTableWidget* tech = tab->techGrid;
    m.techData.push_back({heading(tech, 0), heading(tech, 1)});
    for (int r = 0; r < tech->rowCount(); ++r)
        m.techData.push_back({cell(tech, r, 0), cell(tech, r, 1)});
    m.deliverySet = memoLines(tab->complect->toPlainText());

    // The operating point as the details view places it.
    const auto [t0, tc] = w.operatingPoint(*tab, u);
    m.envelope = reportEnvelope(w.catalogue().agrlist, w.cycle(), u, t0, tc);
    return m;
}

std::optional<ListModel> listFromWindow(MainWindow& w) {
    UnitTab* tab = w.shownUnitTab();
    if (!tab)
        return std::nullopt;
    const QTableWidget* g = tab->grid;
    ListModel l;
    l.font = printFont(g->font());
    QStringList headings;
    for (int c = 0; c < g->columnCount(); ++c)
        headings << heading(g, c);
    l.rows.push_back(headings);
    for (int r = 0; r < g->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < g->columnCount(); ++c)
            cells << cell(g, r, c);
        l.rows.push_back(cells);
    }
    return l;
}

bool printReport(MainWindow& w) {
    const auto model = printableReport(w);
    if (!model)
        return false;
    previewDocument(&w, kReportTitle, [&model](PrintTarget& t) { return Printeasy(*model, t); });
    return true;
}

bool printList(MainWindow& w) {
    const auto list = listFromWindow(w);
    if (!list)
        return false;
    previewDocument(&w, kListTitle, [&list](PrintTarget& t) { return Printlist(*list, t); });
    return true;
}

bool saveReportPdf(MainWindow& w, const QString& file) {
    if (file.isEmpty())
        return false;
    const auto model = printableReport(w);
    if (!model)
        return false;
    QString error;
    if (!writeReportPdf(*model, file, &error)) {
        reportWriteError(w, file, error);
        return false;
    }
    return true;
}

bool saveListPdf(MainWindow& w, const QString& file) {
    if (file.isEmpty())
        return false;
    const auto list = listFromWindow(w);
    if (!list)
        return false;
    QString error;
    if (!writeListPdf(*list, file, &error)) {
        reportWriteError(w, file, error);
        return false;
    }
    return true;
}

void installPrintActions(MainWindow& w, QMenu* fileMenu, QAction* print, QAction* printList) {
    QObject::connect(print, &QAction::triggered, &w, [&w] { printReport(w); });
    QObject::connect(printList, &QAction::triggered, &w, [&w] { tundrix::printList(w); });
    QAction* reportPdf = fileMenu->addAction(QStringLiteral("Сохранить отчет в PDF..."));
    reportPdf->setObjectName(QStringLiteral("MenuSaveReportPdf"));
    QObject::connect(reportPdf, &QAction::triggered, &w, [&w] {
        // Nothing to ask a file name for when there is nothing to print.
        if (w.shownUnitTab() && !reportFromWindow(w)->hasUnit) {
            QMessageBox::information(&w, QStringLiteral("Печать"), kNothingToPrintText);
            return;
        }
        if (w.shownUnitTab())
            saveReportPdf(w, askPdfFile(w, kReportTitle + QStringLiteral(".pdf")));
    });
    QAction* listPdf = fileMenu->addAction(QStringLiteral("Сохранить список выбора в PDF..."));
    listPdf->setObjectName(QStringLiteral("MenuSaveListPdf"));
    QObject::connect(listPdf, &QAction::triggered, &w, [&w] {
        if (w.shownUnitTab())
            saveListPdf(w, askPdfFile(w, kListTitle + QStringLiteral(".pdf")));
    });
}

}  // namespace tundrix
