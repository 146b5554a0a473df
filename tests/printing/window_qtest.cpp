// Printing from the main window: the report and list take what the shown tab shows, the
// description tab and an empty result print nothing, and the PDF files carry the documents.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <memory>

#include "mainwindow/mainwindow.h"
#include "mainwindow/printactions.h"
#include "printing/printlayout.h"
#include "techdata/techdatamodule.h"

using namespace tundrix;

namespace {

bool haveSampleData() {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(TUNDRIX_SAMPLE_DATA) / "condensators.dat",
                                   ec);
}

template <typename T>
T* child(QWidget* w, const char* name) {
    return w->findChild<T*>(QString::fromLatin1(name));
}

QString pdfText(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Closes the next modal window that opens (a message box or the print preview) and reports
// its class and text.
struct ModalCloser {
    QString className;
    QString text;
    QString title;

    void arm() {
        QTimer::singleShot(50, [this] { closeWhenShown(40); });
    }
    void closeWhenShown(int triesLeft) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (triesLeft > 0)
                QTimer::singleShot(50, [this, triesLeft] { closeWhenShown(triesLeft - 1); });
            return;
        }
        className = QString::fromLatin1(modal->metaObject()->className());
        title = modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            text = box->text();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
};

}  // namespace

class PrintingWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> w_;
    std::unique_ptr<TechDataModule> td_;
    QTemporaryDir dir_;

    void showTab(int index) {
        child<QTabWidget>(w_.get(), "PageControl1")->setCurrentIndex(index);
        QApplication::processEvents();
    }
    void select(const char* button) {
        QListWidget* brands = child<QListWidget>(w_.get(), "CheckListBox1");
        for (int i = 0; i < brands->count(); ++i)
            brands->item(i)->setCheckState(Qt::Checked);
        QTest::mouseClick(child<QPushButton>(w_.get(), button), Qt::LeftButton);
    }

private slots:
    void init() {
        QVERIFY2(haveSampleData(), "the sample catalogue is missing: the build writes it");
        w_ = std::make_unique<MainWindow>(std::filesystem::path(TUNDRIX_SAMPLE_DATA));
        td_ = std::make_unique<TechDataModule>(std::filesystem::path(TUNDRIX_SAMPLE_DATA));
        w_->setTechData(td_.get());
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }
    void cleanup() {
        w_.reset();
        td_.reset();
    }

    void fileMenuHasThePrintItems() {
        QMenu* file = child<QMenu>(w_.get(), "MenuFile");
        QVERIFY(file);
        QStringList items;
        for (QAction* a : file->actions())
            items << a->objectName();
        for (const char* name :
             {"MenuPrint", "MenuPrintList", "MenuSaveReportPdf", "MenuSaveListPdf"})
            QVERIFY2(items.contains(QString::fromLatin1(name)), name);
        auto* print = w_->findChild<QAction*>(QStringLiteral("MenuPrint"));
        QCOMPARE(print->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    }

    void descriptionTabPrintsNothing() {
        showTab(MainWindow::Description);
        QVERIFY(!reportFromWindow(*w_));
        QVERIFY(!listFromWindow(*w_));
        const QString f = dir_.filePath(QStringLiteral("none.pdf"));
        QVERIFY(!saveReportPdf(*w_, f));
        QVERIFY(!saveListPdf(*w_, f));
        QVERIFY(!QFile::exists(f));
    }

    void condensingReportTakesTheCursorRowAndItsDetails() {
        showTab(MainWindow::Condensing);
        select("Button8");
        QTableWidget* g = child<QTableWidget>(w_.get(), "StringGrid1");
        QVERIFY(g->rowCount() > 1);
        g->setCurrentCell(1, 0);
        QApplication::processEvents();
        const auto m = reportFromWindow(*w_);
        QVERIFY(m);
        QVERIFY(m->hasUnit);
        QVERIFY(!m->liquid);
        QCOMPARE(int(m->result.size()), 6);
        QCOMPARE(m->result[0].label, QStringLiteral("Агрегат"));
        QCOMPARE(m->result[0].value, g->item(1, 0)->text());
        QCOMPARE(m->result[5].label, QStringLiteral("Цена(EUR)"));
        QTableWidget* tech = child<QTableWidget>(w_.get(), "StringGrid4");
        QCOMPARE(int(m->techData.size()), tech->rowCount() + 1);
        QCOMPARE(m->techData[0].label, QStringLiteral("Характеристика"));
        QCOMPARE(m->techData[0].value, QStringLiteral("Значение"));
        QCOMPARE(m->deliverySet.join('\n'),
                 child<QPlainTextEdit>(w_.get(), "Memo1")->toPlainText().trimmed());
        QCOMPARE(m->refrigerant, child<QComboBox>(w_.get(), "ComboBox8")->currentText());
        QCOMPARE(m->evaporate, child<QLineEdit>(w_.get(), "evaporate")->text());
        QVERIFY(m->envelope.present);
        // Ambient mode: the point is drawn at the ambient temperature.
        QCOMPARE(m->envelope.tc,
                 child<QLineEdit>(w_.get(), "Edit7")->text().replace(',', '.').toDouble());

        const QString f = dir_.filePath(QStringLiteral("report.pdf"));
        QVERIFY(saveReportPdf(*w_, f));
        const QString text = pdfText(f);
        QVERIFY(text.contains(QStringLiteral("ИСХОДНЫЕ ДАННЫЕ")));
        QVERIFY(!text.contains(QStringLiteral("ДАННЫЕ ПО ХЛАДОНОСИТЕЛЮ")));
        QVERIFY(text.contains(QStringLiteral("КОМПЛЕКТ ПОСТАВКИ")));
    }

    void chillerReportCarriesTheLiquid() {
        child<QComboBox>(w_.get(), "ComboBox8")->setCurrentIndex(1);  // R22: chillers exist
        showTab(MainWindow::Chiller);
        select("Button23");
        QTableWidget* g = child<QTableWidget>(w_.get(), "StringGrid16");
        QVERIFY(g->rowCount() > 0);
        const auto m = reportFromWindow(*w_);
        QVERIFY(m && m->hasUnit);
        QVERIFY(m->liquid);
        QCOMPARE(m->liquid->outlet, child<QLineEdit>(w_.get(), "Edit23")->text());
        QCOMPARE(m->result[0].label, QStringLiteral("Холодильная установка"));
        const QString f = dir_.filePath(QStringLiteral("chiller.pdf"));
        QVERIFY(saveReportPdf(*w_, f));
        const QString text = pdfText(f);
        QVERIFY(text.indexOf(QStringLiteral("ИСХОДНЫЕ ДАННЫЕ")) <
                text.indexOf(QStringLiteral("ДАННЫЕ ПО ХЛАДОНОСИТЕЛЮ")));
        QVERIFY(text.indexOf(QStringLiteral("ДАННЫЕ ПО ХЛАДОНОСИТЕЛЮ")) <
                text.indexOf(QStringLiteral("ВЫБРАННАЯ УСТАНОВКА")));
    }

    void emptyResultPrintsNothingAndSaysSo() {
        showTab(MainWindow::Condensing);
        select("Button8");
        QTableWidget* g = child<QTableWidget>(w_.get(), "StringGrid1");
        g->setRowCount(0);  // a result table without units
        const auto m = reportFromWindow(*w_);
        QVERIFY(m && !m->hasUnit);
        const QString f = dir_.filePath(QStringLiteral("empty.pdf"));
        ModalCloser closer;
        closer.arm();
        QVERIFY(!saveReportPdf(*w_, f));
        QCOMPARE(closer.text, kNothingToPrintText);
        QVERIFY(!QFile::exists(f));

        // The list still prints: the heading row alone.
        const auto list = listFromWindow(*w_);
        QVERIFY(list);
        QCOMPARE(int(list->rows.size()), 1);
        QCOMPARE(list->rows[0].value(0), QStringLiteral("Агрегат"));
    }

    void listTakesTheWholeResultTable() {
        showTab(MainWindow::Condensing);
        select("Button8");
        QTableWidget* g = child<QTableWidget>(w_.get(), "StringGrid1");
        const auto list = listFromWindow(*w_);
        QVERIFY(list);
        QCOMPARE(int(list->rows.size()), g->rowCount() + 1);
        QCOMPARE(list->rows[1].value(0), g->item(0, 0)->text());
        const QString f = dir_.filePath(QStringLiteral("list.pdf"));
        QVERIFY(saveListPdf(*w_, f));
        QVERIFY(pdfText(f).contains(g->item(0, 0)->text()));
    }

    // What the preview hands to a printer: the report on a QPrinter (here one that writes
    // PDF at the printer resolution) with the job title set.
    void printerGetsTheReportWithItsJobTitle() {
        showTab(MainWindow::Condensing);
        select("Button8");
        const auto model = reportFromWindow(*w_);
        QVERIFY(model && model->hasUnit);
        const QString f = dir_.filePath(QStringLiteral("printer.pdf"));
        {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(f);
            PagedTarget target(printer, [&printer](const QString& t) { printer.setDocName(t); });
            QVERIFY(Printeasy(*model, target));
            QCOMPARE(printer.docName(), QStringLiteral("Выбранная установка"));
        }
        const QString text = pdfText(f);
        QVERIFY(text.contains(QStringLiteral("ВЫБРАННАЯ УСТАНОВКА")));
        QVERIFY(text.contains(model->result[0].value));
        QVERIFY(text.contains(QStringLiteral("КОМПЛЕКТ ПОСТАВКИ")));
    }

    // The menu items that save without a printer: the file dialog's name is where the PDF goes.
    void saveMenuItemsWriteTheChosenFiles() {
        showTab(MainWindow::Condensing);
        select("Button8");
        const QString report = dir_.filePath(QStringLiteral("menu-report"));  // ".pdf" is added
        const QString list = dir_.filePath(QStringLiteral("menu-list.pdf"));
        auto saveThrough = [this](const char* action, const QString& file) {
            QString dialogClass;
            QTimer::singleShot(50, [&dialogClass, file] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                dialogClass = QString::fromLatin1(dialog->metaObject()->className());
                // Typed into the name field, as a user does over the suggested name.
                const QFileInfo target(file);
                dialog->setDirectory(target.absolutePath());
                if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    name->setText(target.fileName());
                QMetaObject::invokeMethod(dialog, "accept");
            });
            w_->findChild<QAction*>(QString::fromLatin1(action))->trigger();
            return dialogClass;
        };
        QCOMPARE(saveThrough("MenuSaveReportPdf", report), QStringLiteral("QFileDialog"));
        QVERIFY(QFile::exists(report + QStringLiteral(".pdf")));
        QVERIFY(pdfText(report + QStringLiteral(".pdf"))
                    .contains(QStringLiteral("ВЫБРАННАЯ УСТАНОВКА")));
        QCOMPARE(saveThrough("MenuSaveListPdf", list), QStringLiteral("QFileDialog"));
        QVERIFY(pdfText(list).contains(
            child<QTableWidget>(w_.get(), "StringGrid1")->item(0, 0)->text()));
    }

    void printOpensThePreviewTitledAfterTheReport() {
        showTab(MainWindow::Condensing);
        select("Button8");
        ModalCloser closer;
        closer.arm();
        w_->findChild<QAction*>(QStringLiteral("MenuPrint"))->trigger();
        QCOMPARE(closer.className, QStringLiteral("QPrintPreviewDialog"));
        QCOMPARE(closer.title, QStringLiteral("Выбранная установка"));
    }
};

QTEST_MAIN(PrintingWindowTest)
#include "window_qtest.moc"
