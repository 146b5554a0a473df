// The details view of the cursor row: placeholder files for what a unit lacks, the chiller's
// evaporating temperature from the outlet temperature, and the catalogue texts read as UTF-8 or
// Windows-1251.
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QtTest>

#include <cstdio>
#include <filesystem>

#include "catalogue/catalogue.h"
#include "mainwindow/envelopechart.h"
#include "mainwindow/pictureview.h"
#include "qtestmain.h"
#include "techdata/techdatamodule.h"
#include "widgets/widgetstyle.h"
#include "windowfixture.h"

using namespace tundrix;
using namespace tundrix::testing;

class DetailsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> w_;

    // Runs "подбор" on a tab and returns the unit number of its cursor row.
    int run(MainWindow::Tab tab, const char* button) {
        showTab(child<QTabWidget>(w_.get(), "PageControl1"), tab);
        QTest::mouseClick(child<QPushButton>(w_.get(), button), Qt::LeftButton);
        const int r = w_->unitTab(tab).grid->currentRow() + 1;
        return r >= 1 ? w_->catalogue().agrlist.order[std::size_t(r)] : 0;
    }

private slots:
    void textsAreUtf8OrWindows1251() {
        QTemporaryDir dir;
        const QString utf8 = dir.filePath(QStringLiteral("u.txt"));
        const QString cp = dir.filePath(QStringLiteral("c.txt"));
        QFile f(utf8);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("Комплект поставки").toUtf8());
        f.close();
        QFile g(cp);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write("\xCA\xEE\xEC\xEF\xEB\xE5\xEA\xF2");  // "Комплект" in Windows-1251
        g.close();
        QCOMPARE(readCatalogueText(utf8.toStdString()), QStringLiteral("Комплект поставки"));
        QCOMPARE(readCatalogueText(cp.toStdString()), QStringLiteral("Комплект"));
        QVERIFY(
            readCatalogueText(dir.filePath(QStringLiteral("none.txt")).toStdString()).isEmpty());
    }

    // A picture file replaced by a rename within the same second, with the same size (as a
    // writer of the catalogue replaces files), is read again; an unchanged one is not.
    void aPictureReplacedUnderItsNameIsReadAgain() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("p.bmp"));
        const auto write = [&](const QString& path, Qt::GlobalColor colour) {
            QImage img(4, 4, QImage::Format_RGB32);
            img.fill(colour);
            QVERIFY(img.save(path, "BMP"));
        };
        write(file, Qt::red);
        PictureView view;
        QVERIFY(view.load(file));
        QCOMPARE(view.image().pixelColor(0, 0), QColor(Qt::red));
        const QString next = dir.filePath(QStringLiteral("next.bmp"));
        write(next, Qt::blue);
        QCOMPARE(QFileInfo(next).size(), QFileInfo(file).size());
        std::filesystem::last_write_time(next.toStdString(),
                                         std::filesystem::last_write_time(file.toStdString()));
        QVERIFY(std::rename(next.toLocal8Bit().constData(), file.toLocal8Bit().constData()) == 0);
        QVERIFY(view.load(file));
        QCOMPARE(view.image().pixelColor(0, 0), QColor(Qt::blue));
    }

    void init() {
        const QByteArray name(QTest::currentTestFunction());
        if (name == "textsAreUtf8OrWindows1251" || name == "aPictureReplacedUnderItsNameIsReadAgain")
            return;
        if (!haveSampleData())
            QFAIL("the sample catalogue has not been generated");
        w_ = std::make_unique<MainWindow>(sampleData());
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }
    void cleanup() { w_.reset(); }

    void aUnitWithoutFilesShowsThePlaceholders() {
        const int u = run(MainWindow::Condensing, "Button8");
        QVERIFY(u > 0);
        auto& a = w_->catalogue().agrlist;
        a.picturepath[std::size_t(u)].clear();
        a.complectpath[std::size_t(u)] = "Complect\\missing.txt";
        a.textpath[std::size_t(u)] = "..\\outside.txt";
        w_->floodpola(w_->unitTab(MainWindow::Condensing));
        QVERIFY(child<PictureView>(w_.get(), "Image1")
                    ->file()
                    .endsWith(QStringLiteral("images/None.jpg")));
        // The memos show the placeholder texts (line ends as the memo keeps them).
        auto text = [](const char8_t* relative) {
            return readCatalogueText(sampleData() / std::filesystem::path(relative))
                .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        };
        QVERIFY(!text(u8"Complect/Нет.txt").isEmpty());
        QCOMPARE(child<QPlainTextEdit>(w_.get(), "Memo1")->toPlainText(),
                 text(u8"Complect/Нет.txt"));
        QCOMPARE(child<QPlainTextEdit>(w_.get(), "Memo5")->toPlainText(),
                 text(u8"Textfiles/Нет.txt"));
    }

    void chillersShowTheirEvaporatingTemperatureFromTheOutlet() {
        const int u = run(MainWindow::Chiller, "Button23");
        QVERIFY(u > 0);
        QVERIFY(!child<QCheckBox>(w_.get(), "CheckBox3")->isChecked());
        child<QLineEdit>(w_.get(), "Edit23")->setText(QStringLiteral("7"));
        w_->catalogue().agrlist.delta[std::size_t(u)] = 5;
        w_->floodpola(w_->unitTab(MainWindow::Chiller));
        QCOMPARE(child<QLineEdit>(w_.get(), "evaporate")->text(), QStringLiteral("2"));
        // Halves go to the even whole number.
        w_->catalogue().agrlist.delta[std::size_t(u)] = 4.5;
        w_->floodpola(w_->unitTab(MainWindow::Chiller));
        QCOMPARE(child<QLineEdit>(w_.get(), "evaporate")->text(), QStringLiteral("2"));
    }

    void aPointAboveTheEnvelopeIsFlaggedOnTheChart() {
        run(MainWindow::Condensing, "Button8");
        auto* chart = child<EnvelopeChart>(w_.get(), "PaintBox2");
        QVERIFY(chart->warning().isEmpty());
        child<QLineEdit>(w_.get(), "Edit7")->setText(QStringLiteral("70"));  // far too hot
        run(MainWindow::Condensing, "Button8");
        QCOMPARE(chart->warning(), QStringLiteral("вне границ диапазона!!!"));
        // The unit keeps its row, name and price, without performance figures.
        QTableWidget* g = child<QTableWidget>(w_.get(), "StringGrid1");
        const int r = g->currentRow();
        QVERIFY(!g->item(r, 0)->text().isEmpty());
        QVERIFY(g->item(r, 1)->text().isEmpty());
        QVERIFY(!g->item(r, 5)->text().isEmpty());
    }

    void clickingAnotherRowShowsThatUnit() {
        run(MainWindow::Receiver, "Button10");
        QTableWidget* g = child<QTableWidget>(w_.get(), "StringGrid6");
        QVERIFY(g->rowCount() > 3);
        const QRect cell = g->visualItemRect(g->item(2, 0));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(g->currentRow(), 2);
        QCOMPARE(w_->selrow(), 3);
        QCOMPARE(child<QLabel>(w_.get(), "Label38")->text(), g->item(2, 0)->text());
    }

    // A click on the row that already is the cursor row shows its details again and writes
    // its condensing temperature back.
    void clickingTheCursorRowShowsItsDetailsAgain() {
        run(MainWindow::Condensing, "Button8");
        QTableWidget* g = child<QTableWidget>(w_.get(), "StringGrid1");
        QLineEdit* condensate = child<QLineEdit>(w_.get(), "condensate");
        const QString written = condensate->text();
        condensate->setText(QStringLiteral("0"));
        child<QLabel>(w_.get(), "Label19")->clear();
        const QRect cell = g->visualItemRect(g->item(g->currentRow(), 2));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(condensate->text(), written);
        QCOMPARE(child<QLabel>(w_.get(), "Label19")->text(), g->item(g->currentRow(), 0)->text());
    }

    // A run that leaves no unit in the list leaves nothing of the unit shown before.
    void anEmptyResultClearsTheDetails() {
        int shownUnit = -1;
        w_->setDetailsShownHook([&shownUnit](int u) { shownUnit = u; });
        for (const bool noBrands : {false, true}) {
            run(MainWindow::Rack, "Button20");
            const UnitTab& tab = w_->unitTab(MainWindow::Rack);
            QVERIFY(shownUnit > 0 && w_->selrow() > 0);
            QVERIFY(!tab.picture->file().isEmpty());
            QVERIFY(!tab.complect->toPlainText().isEmpty());
            QVERIFY(tab.chart->hasData());
            // No rack size chosen lists no unit; no brand chosen lists no list at all.
            QListWidget* list =
                child<QListWidget>(w_.get(), noBrands ? "CheckListBox1" : "CheckListBox2");
            for (int i = 0; i < list->count(); ++i)
                list->item(i)->setCheckState(Qt::Unchecked);
            QApplication::processEvents();
            QCOMPARE(w_->selrow(), 0);
            QCOMPARE(shownUnit, 0);
            QVERIFY(tab.picture->image().isNull());
            QVERIFY(tab.complect->toPlainText().isEmpty());
            QVERIFY(tab.description->toPlainText().isEmpty());
            QCOMPARE(tab.techGrid->rowCount(), 0);
            QCOMPARE(tab.optionsGrid->columnCount(), 0);
            QVERIFY(!tab.chart->hasData());
            QVERIFY(tab.model->text().isEmpty());
            for (int i = 0; i < list->count(); ++i)
                list->item(i)->setCheckState(Qt::Checked);
        }
    }

    void clickingTheHeadingRowChangesNothing() {
        run(MainWindow::Condensing, "Button8");
        QTableWidget* g = child<QTableWidget>(w_.get(), "StringGrid1");
        QVERIFY(g->rowCount() > 3);
        g->setCurrentCell(2, 0);
        const QString first = g->item(0, 0)->text();
        const QString model = child<QLabel>(w_.get(), "Label19")->text();
        const int selrow = w_->selrow();
        QHeaderView* h = g->horizontalHeader();
        QSignalSpy clicks(h, &QHeaderView::sectionClicked);
        for (int c : {0, 1, 5}) {
            const QPoint at(h->sectionViewportPosition(c) + h->sectionSize(c) / 2, h->height() / 2);
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(clicks.size(), 1);  // the click did reach the heading
            QCOMPARE(clicks.takeFirst().at(0).toInt(), c);
            QCOMPARE(g->currentRow(), 2);
            QCOMPARE(g->selectionModel()->selectedRows().size(), 1);
            QCOMPARE(g->selectionModel()->selectedRows().first().row(), 2);
            QCOMPARE(g->item(0, 0)->text(), first);  // not sorted either
            QCOMPARE(child<QLabel>(w_.get(), "Label19")->text(), model);
            QCOMPARE(w_->selrow(), selrow);
        }
    }

    void cursorButtonsStopAtTheEndsOfTheList() {
        run(MainWindow::Rack, "Button20");
        QTableWidget* g = child<QTableWidget>(w_.get(), "StringGrid13");
        QLabel* model = child<QLabel>(w_.get(), "Label42");
        QVERIFY(g->rowCount() > 1);
        g->setCurrentCell(0, 0);
        QTest::mouseClick(child<QPushButton>(w_.get(), "Button22"), Qt::LeftButton);  // "<"
        QCOMPARE(g->currentRow(), 0);
        QCOMPARE(w_->selrow(), 1);
        QCOMPARE(model->text(), g->item(0, 0)->text());
        const int last = g->rowCount() - 1;
        g->setCurrentCell(last, 0);
        QTest::mouseClick(child<QPushButton>(w_.get(), "Button21"), Qt::LeftButton);  // ">"
        QCOMPARE(g->currentRow(), last);
        QCOMPARE(w_->selrow(), last + 1);
        QCOMPARE(model->text(), g->item(last, 0)->text());
        QTest::mouseClick(child<QPushButton>(w_.get(), "Button22"), Qt::LeftButton);
        QCOMPARE(g->currentRow(), last - 1);
        QCOMPARE(w_->selrow(), last);
        QCOMPARE(model->text(), g->item(last - 1, 0)->text());
    }

    void onlyUnitsWithCondensersWriteTheCondensingTemperatureBack() {
        const int u = run(MainWindow::Condensing, "Button8");
        QVERIFY(u > 0);
        auto& a = w_->catalogue().agrlist;
        QVERIFY(a.ncondensator[std::size_t(u)] != 0);
        QLineEdit* condensate = child<QLineEdit>(w_.get(), "condensate");
        auto* chart = child<EnvelopeChart>(w_.get(), "PaintBox2");
        condensate->setText(QStringLiteral("45"));
        w_->floodpola(w_->unitTab(MainWindow::Condensing));
        QVERIFY(condensate->text() != QStringLiteral("45"));
        // With condensers the lower corners sit at 10 degrees of condensing temperature.
        QVERIFY(chart->hasData());
        for (int n = 0; n < 3; ++n)
            QCOMPARE(chart->data().envelope[std::size_t(n)].y(), 10.0);

        // Without: the field keeps what it shows and the corners are the unit's own.
        a.ncondensator[std::size_t(u)] = 0;
        condensate->setText(QStringLiteral("45"));
        w_->floodpola(w_->unitTab(MainWindow::Condensing));
        QCOMPARE(condensate->text(), QStringLiteral("45"));
        const auto e = a.envelope(u);
        for (int n = 0; n < 3; ++n)
            QCOMPARE(chart->data().envelope[std::size_t(n)].y(), e[std::size_t(2 * n + 1)]);
    }

    void optionsGridShowsNamedOptionsWithPriceAndChoice() {
        const int u = run(MainWindow::Receiver, "Button10");
        QVERIFY(u > 0);
        OptionBlock& o = w_->catalogue().agrlist.optionagr[std::size_t(u)];
        o = OptionBlock{};
        o.name[1] = "Манометры";
        const QString point = QLocale().decimalPoint();
        o.price[1] = (QStringLiteral("12") + point + QStringLiteral("346")).toStdString();
        o.name[2] = "Зимний пуск";
        o.price[2] = "по запросу";
        o.flag[2] = true;
        o.name[4] = "after a gap";  // the list stops at the first empty name
        w_->floodpola(w_->unitTab(MainWindow::Receiver));
        QTableWidget* g = child<QTableWidget>(w_.get(), "StringGrid5");
        QCOMPARE(g->columnCount(), 2);
        QCOMPARE(g->horizontalHeaderItem(0)->text(), QStringLiteral("Манометры"));
        QCOMPARE(g->horizontalHeaderItem(1)->text(), QStringLiteral("Зимний пуск"));
        QCOMPARE(g->item(0, 0)->text(), QStringLiteral("12") + point + QStringLiteral("35"));
        QCOMPARE(g->item(0, 1)->text(), QStringLiteral("по запросу"));
        QVERIFY(g->item(1, 0)->text().isEmpty());
        QCOMPARE(g->item(1, 1)->text(), QStringLiteral("выбрана"));
    }

    void aMissingDrawingShowsThePlaceholderPicture() {
        const int u = run(MainWindow::Condensing, "Button8");
        QVERIFY(u > 0);
        w_->catalogue().agrlist.imagepath[std::size_t(u)] = "images\\missing.pdf";
        w_->floodpola(w_->unitTab(MainWindow::Condensing));
        auto* placeholder = child<PictureView>(w_.get(), "WebBrowser1Placeholder");
        QCOMPARE(w_->unitTab(MainWindow::Condensing).drawingStack->currentWidget(),
                 static_cast<QWidget*>(placeholder));
        QVERIFY(placeholder->file().endsWith(QStringLiteral("images/None.jpg")));
    }

    void theTechnicalDataShowTheLastOfTwoRecordsWithTheUnitsName() {
        run(MainWindow::Condensing, "Button8");
        QTableWidget* g = child<QTableWidget>(w_.get(), "StringGrid1");
        QVERIFY(g->rowCount() > 1);
        const QString name = g->item(g->currentRow(), 0)->text();
        QTemporaryDir dir;
        const QString connection = QStringLiteral("details-test-store");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(dir.filePath(QStringLiteral("TD.sqlite")));
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(
                q.exec(QStringLiteral("CREATE TABLE out (\"Код\" INTEGER PRIMARY KEY, "
                                      "\"Название агрегата\" TEXT, \"Масса, кг\" TEXT)")));
            QVERIFY(q.prepare(QStringLiteral("INSERT INTO out VALUES (?, ?, ?)")));
            const QList<QStringList> rows = {
                {"1", name, "100"}, {"2", "другой", "1"}, {"3", name, "185"}};
            for (const QStringList& r : rows) {
                for (int i = 0; i < 3; ++i)
                    q.bindValue(i, r[i]);
                QVERIFY(q.exec());
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(connection);
        TechDataModule store(dir.path().toStdString());
        w_->setTechData(&store);
        w_->floodpola(w_->unitTab(MainWindow::Condensing));
        QTableWidget* tech = child<QTableWidget>(w_.get(), "StringGrid4");
        QCOMPARE(tech->rowCount(), 2);
        QCOMPARE(tech->item(0, 0)->text(), QStringLiteral("Название агрегата"));
        QCOMPARE(tech->item(0, 1)->text(), name);
        QCOMPARE(tech->item(1, 0)->text(), QStringLiteral("Масса, кг"));
        QCOMPARE(tech->item(1, 1)->text(), QStringLiteral("185"));
        // A unit without a record: the field names with empty values.
        g->setCurrentCell(g->currentRow() == 0 ? 1 : 0, 0);
        QVERIFY(g->item(g->currentRow(), 0)->text() != name);
        QCOMPARE(tech->item(1, 0)->text(), QStringLiteral("Масса, кг"));
        QVERIFY(tech->item(1, 1)->text().isEmpty());
        w_->setTechData(nullptr);
    }
};

TUNDRIX_QTEST_MAIN(DetailsTest)
#include "details_test.moc"
