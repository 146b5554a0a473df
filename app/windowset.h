// Every window of the program, created once in the fixed order the program relies on and wired
// to each other: the main window, the maintenance windows, the technical-data window, the
// basket, the options window, the chilled-liquid dialog, the technical-data module and the
// spare window. Windows whose work is not there yet are plain placeholders with their names.
#pragma once

#include <QIcon>
#include <QObject>
#include <QWidget>

#include <filesystem>
#include <memory>

#include "mainwindow/mainwindow.h"
#include "tools/maintenancecontext.h"

namespace tundrix {

class BasketWindow;
class ChilledLiquidDialog;
class OptionsWindow;
class TechDataModule;

struct WindowSet {
    std::unique_ptr<MainWindow> form1;
    std::unique_ptr<QWidget> form2;  // unit list editor
    std::unique_ptr<QWidget> form3;  // compressor table builder
    std::unique_ptr<QWidget> form4;  // data file browser
    std::unique_ptr<QWidget> form5;  // technical data
    std::unique_ptr<BasketWindow> form6;
    std::unique_ptr<OptionsWindow> form7;
    std::unique_ptr<ChilledLiquidDialog> form8;
    std::unique_ptr<TechDataModule> dataModule1;
    std::unique_ptr<QWidget> form9;

    WindowSet();
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;
};

// The program's icon, in every size it is drawn in.
QIcon programIcon();

// The chiller tab's liquid texts (and the selection's exchanger) from the dialog's inputs.
void copyChillerTexts(MainWindow& main, const ChilledLiquidDialog& dialog);

// What the unit list editor takes from the main window: its data folder and, when a unit is
// composed, the calculator's current choice.
MaintenanceContext maintenanceContext(const MainWindow& main);

// Creates and connects all windows on the catalogue folder and makes the program's icon the
// icon of every window (message boxes and dialogs included); nothing is shown yet.
std::unique_ptr<WindowSet> createWindows(const std::filesystem::path& dataDir);

// Shows the main window as the program starts (with the maintenance menu when asked for). A data
// folder without a catalogue is said once, in a message over the main window that does not wait
// for an answer: the program then runs as on an empty catalogue.
void showMainWindow(WindowSet& windows, bool maintenance);

}  // namespace tundrix
