#include "app/windowset.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>

#include "app/calculationio.h"
#include "basket/basketwindow.h"
#include "basket/optionswindow.h"
#include "catalogue/catalogue.h"
#include "catalogue/datadir.h"
#include "chiller/chilledliquiddialog.h"
#include "techdata/techdatamodule.h"
#include "tools/datafilebrowser.h"
#include "tools/tablebuilderwindow.h"
#include "tools/techdatawindow.h"
#include "tools/unitlisteditor.h"
#include "widgets/widgetstyle.h"

namespace tundrix {

namespace {

std::unique_ptr<QWidget> placeholder(const char* objectName, const QString& caption) {
    auto w = std::make_unique<QWidget>();
    w->setObjectName(QString::fromLatin1(objectName));
    w->setWindowTitle(caption);
    return w;
}

void showWindow(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
}

}  // namespace

// The chiller tab's liquid texts from the dialog's inputs.
void copyChillerTexts(MainWindow& main, const ChilledLiquidDialog& dialog) {
    const ChillerTabTexts t = dialog.summary();
    main.showLiquid({t.edit11, t.edit23, t.label51, t.label52, t.label53, t.label55, t.label56},
                    dialog.exchanger());
}

MaintenanceContext maintenanceContext(const MainWindow& main) {
    return {main.dataDir(), [&main] { return main.calculatorChoice(); }};
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1.png").arg(size), QSize(size, size));
    return icon;
}

WindowSet::WindowSet() = default;
WindowSet::~WindowSet() = default;

std::unique_ptr<WindowSet> createWindows(const std::filesystem::path& dataDir) {
    QApplication::setWindowIcon(programIcon());
    auto set = std::make_unique<WindowSet>();
    WindowSet& s = *set;
    s.form1 = std::make_unique<MainWindow>(dataDir);
    auto* editor = new UnitListEditor(maintenanceContext(*s.form1));
    s.form2.reset(editor);
    auto* builderWindow = new TableBuilderWindow(dataDir);
    s.form3.reset(builderWindow);
    auto* browser = new DataFileBrowser(dataDir);
    s.form4.reset(browser);
    auto* techWindow = new TechDataWindow(dataDir);
    s.form5.reset(techWindow);
    s.form6 = std::make_unique<BasketWindow>();
    s.form7 = std::make_unique<OptionsWindow>();
    s.form8 = std::make_unique<ChilledLiquidDialog>();
    s.dataModule1 = std::make_unique<TechDataModule>(dataDir);
    s.form9 = placeholder("TForm9", QStringLiteral("Form9"));

    // Closing the main window ends the program whatever else is open: the other windows do not
    // keep it running (Qt quits when the last window that counts for quitting has closed).
    for (QWidget* w : {s.form2.get(), s.form3.get(), s.form4.get(), s.form5.get(),
                       static_cast<QWidget*>(s.form6.get()), static_cast<QWidget*>(s.form7.get()),
                       static_cast<QWidget*>(s.form8.get()), s.form9.get()})
        w->setAttribute(Qt::WA_QuitOnClose, false);
    for (QWidget* w : {static_cast<QWidget*>(s.form1.get()), s.form2.get(), s.form3.get(),
                       s.form4.get(), s.form5.get(), static_cast<QWidget*>(s.form6.get()),
                       static_cast<QWidget*>(s.form7.get()), static_cast<QWidget*>(s.form8.get())})
        showWrittenTextFromStart(w);

    MainWindow* main = s.form1.get();
    BasketWindow* basket = s.form6.get();
    OptionsWindow* options = s.form7.get();
    ChilledLiquidDialog* liquid = s.form8.get();
    main->setTechData(s.dataModule1.get());

    // Unit list editor: switches the shared technical-data table, takes paths from the browser
    // and record keys from the technical-data window.
    editor->setTechData(s.dataModule1.get());
    editor->setBrowser(browser);
    techWindow->setTechData(s.dataModule1.get());
    techWindow->setCondensers(&main->catalogue().conderlist);
    editor->setTechDataOpener([techWindow, editor] { techWindow->openFor(editor); });
    basket->setDecimalSeparator(decimalSeparator());
    liquid->setDecimalSeparator(decimalSeparator());

    // Basket: "Корзина" shows it; a double click on a result row adds that unit.
    const MainWindow::OutsideControls& controls = main->outsideControls();
    QObject::connect(controls.basket, &QPushButton::clicked, basket,
                     [basket] { showWindow(basket); });
    const MainWindow::Tab kinds[] = {MainWindow::Condensing, MainWindow::Receiver, MainWindow::Rack,
                                     MainWindow::Chiller};
    for (int i = 0; i < 4; ++i) {
        QTableWidget* grid = main->unitTab(kinds[i]).grid;
        QObject::connect(
            grid, &QTableWidget::cellDoubleClicked, basket,
            [basket, grid, main, kinds, i](int row, int) {
                const QTableWidgetItem* name = grid->item(row, 0);
                const QTableWidgetItem* price = grid->item(row, 5);
                if (!name || name->text().isEmpty())
                    return;
                basket->addFromResultTable(i, name->text(), price ? price->text() : QString(),
                                           main->basketUnitAt(kinds[i], row));
            });
        // Options: "Доступные опции" shows the window with the shown unit's options.
        QObject::connect(main->unitTab(kinds[i]).options, &QPushButton::clicked, options,
                         [options] { showWindow(options); });
    }
    main->setDetailsShownHook(
        [main, options](int unit) { options->showUnit(main->catalogue().agrlist, unit); });
    QObject::connect(options, &OptionsWindow::optionsApplied, main,
                     [main] { main->rerunAfterOptions(); });

    // Chilled-liquid dialog: shown with the chiller tab and by its button; "Применить" hands
    // the liquid to the tab and runs the chiller selection.
    main->setChillerTabShownHook([main, liquid] {
        showWindow(liquid);
        copyChillerTexts(*main, *liquid);
    });
    QObject::connect(controls.liquid, &QPushButton::clicked, liquid,
                     [liquid] { showWindow(liquid); });
    QObject::connect(liquid, &ChilledLiquidDialog::applied, main, [main, liquid] {
        copyChillerTexts(*main, *liquid);
        main->runSelection(main->unitTab(MainWindow::Chiller));
    });
    // Maintenance menu: the unit list editor (with the calculator's tab in front, where its
    // units are put together) and the compressor table builder.
    // A brand file the builder wrote is read again at once: the calculator lists a new
    // compressor for the unit list editor, and the selection computes it.
    builderWindow->setWrittenHook([main] { main->reloadBrandData(); });
    QWidget* builder = s.form3.get();
    QObject::connect(controls.unitList, &QAction::triggered, editor, [main, editor] {
        main->showTab(MainWindow::Description);
        showWindow(editor);
    });
    QObject::connect(controls.polynomial, &QAction::triggered, builder,
                     [builder] { showWindow(builder); });
    installCalculationActions(s);
    return set;
}

void showMainWindow(WindowSet& windows, bool maintenance) {
    MainWindow* main = windows.form1.get();
    main->setMaintenanceMode(maintenance);
    main->show();
    const auto notice = missingCatalogueNotice(main->dataDir());
    if (!notice)
        return;
    auto* box = new QMessageBox(QMessageBox::Warning, main->windowTitle(),
                                QString::fromStdString(*notice), QMessageBox::Ok, main);
    box->setObjectName(QStringLiteral("MissingCatalogue"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}  // namespace tundrix
