// The main window "Подбор агрегатов": the operating conditions shared by every selection, one tab
// per kind of unit with its result list and details, and the description tab with the
// calculator. It owns the catalogue and the cycle state for the whole run; the other windows are
// wired to it, by the typed controls and hooks below, where all windows are created.
#pragma once

#include <QMainWindow>
#include <QString>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "basket/basketunit.h"
#include "calculation/calculation.h"
#include "calculation/reopencheck.h"
#include "catalogue/choices.h"
#include "mainwindow/calculatortab.h"
#include "mainwindow/unittab.h"
#include "selection/calculator.h"
#include "selection/selectionrun.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QProgressBar;
class QPushButton;

namespace tundrix {

class Catalogue;
struct CycleState;
struct ReportModel;
class TechDataModule;

class MainWindow : public QMainWindow {
public:
    enum Tab { Description = 0, Condensing = 1, Receiver = 2, Rack = 3, Chiller = 4 };

    explicit MainWindow(const std::filesystem::path& dataDir, QWidget* parent = nullptr);
    ~MainWindow() override;

    Catalogue& catalogue() { return *catalogue_; }
    CycleState& cycle() { return *cycle_; }
    const std::filesystem::path& dataDir() const { return dataDir_; }

    // The shared technical-data table; the details view shows nothing there until it is set.
    void setTechData(TechDataModule* module) { techData_ = module; }
    // Told the unit number each time the details view shows a unit (the options window lists
    // that unit's options), and 0 when no unit stands behind the cursor.
    void setDetailsShownHook(std::function<void(int unit)> hook) {
        detailsShown_ = std::move(hook);
    }
    // Called when the chiller tab is shown (the chilled-liquid dialog shows itself and copies
    // its capacity and outlet temperature into Edit11 and Edit23).
    void setChillerTabShownHook(std::function<void()> hook) { chillerShown_ = std::move(hook); }
    // The heat exchanger chosen in the chilled-liquid dialog (read by chiller selections).
    void setExchanger(Exchanger e) { exchanger_ = e; }
    // The chiller tab's liquid as the chilled-liquid dialog sums it up: the texts of Edit11
    // (required capacity), Edit23 (outlet temperature) and the labels Label51 (liquid), Label52
    // (flow), Label53 (inlet temperature), Label55 (exchanger) and Label56 (outlet unit).
    struct LiquidTexts {
        QString edit11, edit23, label51, label52, label53, label55, label56;
    };
    void showLiquid(const LiquidTexts& texts, Exchanger exchanger);

    // The controls whose work lies in other windows; they are wired where all windows are
    // created.
    struct OutsideControls {
        QPushButton* basket = nullptr;       // "Корзина" (Button19)
        QPushButton* liquid = nullptr;       // the chiller tab's liquid parameters (Button4)
        QAction* openPrevious = nullptr;     // "Открыть предыдущий расчет"
        QAction* saveCalculation = nullptr;  // "Сохранить расчет..."
        QAction* unitList = nullptr;         // "составить список агрегатов"
        QAction* polynomial = nullptr;  // "Расчет полинома по значениям"
    };
    const OutsideControls& outsideControls() const { return outside_; }

    // The stages of a selection run from the inputs to the filled window: the run itself, the
    // result grid, the details of the cursor unit and, inside them, the envelope chart.
    enum class RunPhase { Engine, Grid, Details, Chart };
    // Told when each stage begins (true) and ends (false); for programs that measure the window,
    // nothing is told in normal use.
    using RunProbe = std::function<void(RunPhase, bool begins)>;
    void setRunProbe(RunProbe probe) { probe_ = std::move(probe); }

    // Shows the maintenance menu "Редактирование" (hidden in normal use).
    void setMaintenanceMode(bool on);

    // State shared with the other windows.
    bool started() const { return started_; }
    int selrow() const { return selrow_; }
    int shownTab() const;
    void showTab(Tab tab);
    UnitTab* shownUnitTab();
    UnitTab& unitTab(Tab tab);
    CalculatorTab& calculatorTab() { return calc_; }
    // What the calculator shows chosen, as the unit list editor composes a unit from it.
    CalculatorChoice calculatorChoice() const;
    // The inputs as the printed report shows them: refrigerant and its safety text, temperatures
    // as typed and, on the chiller tab, the liquid.
    void fillReportInputs(ReportModel& m) const;
    // The operating point of unit u of a tab as its details place it: the evaporating temperature
    // (on the chiller tab the outlet temperature less the unit's difference, unless the typed
    // one is to be used) and the condensing or, when the ambient is given, the ambient
    // temperature.
    std::pair<double, double> operatingPoint(const UnitTab& tab, int u) const;
    // The kind of unit of the shown tab (on the chiller tab: by chiller type); None on the
    // description tab.
    UnitKind shownKind() const;
    QString techDataTableForTab() const;

    // Re-runs the selection of the shown unit tab by pressing its "подбор" button.
    void rerunShownTab();
    // The selection run of one tab, then its details (what "подбор" does).
    void runSelection(UnitTab& tab);
    // Shows the details of the grid's cursor row; with no unit there (an empty result) the
    // details are cleared.
    void floodpola(UnitTab& tab);
    // The selection of the shown kind tab after the options changed; on the chiller tab the
    // refrigerant goes back to R407C first (its performance data reloaded when another
    // refrigerant was shown, without a second run).
    void rerunAfterOptions();
    // "Рассчитать" of the calculator.
    void Action3Execute();
    // Reads the catalogue's brand files again after a maintenance tool rewrote one: the
    // calculator's lists and the selection's preloaded data, as a refrigerant choice does.
    void reloadBrandData();

    // Calculation files: this window's part of a calculation (every input, the chosen options,
    // the cursor unit and its results on each kind tab).
    void fillCalculation(Calculation& c) const;
    // Puts the saved inputs into the window and runs the shown tab's selection as "подбор"
    // does, with the saved options and the cursor on the saved unit (the other kind tabs put
    // theirs there when they next run). Returns what no longer matches the catalogue.
    std::vector<Difference> restoreCalculation(const Calculation& c);
    // The catalogue unit behind row `gridRow` (0-based) of a kind tab's result grid, as the
    // basket keeps it; none without a unit there.
    std::optional<BasketUnit> basketUnitAt(Tab tab, int gridRow) const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Tells the probe, when there is one, that a stage begins here and ends with the scope.
    class PhaseScope {
    public:
        PhaseScope(const RunProbe& probe, RunPhase phase) : probe_(probe), phase_(phase) {
            if (probe_)
                probe_(phase_, true);
        }
        ~PhaseScope() {
            if (probe_)
                probe_(phase_, false);
        }
        PhaseScope(const PhaseScope&) = delete;
        PhaseScope& operator=(const PhaseScope&) = delete;

    private:
        const RunProbe& probe_;
        RunPhase phase_;
    };

    QWidget* buildCommonInputs();
    void buildMenus();
    void buildChillerInputs(UnitTab& tab);
    void connectEvents();
    void connectUnitTab(UnitTab& tab);
    void connectCalculator();

    void startup();
    void applyLevelChoice();
    void DataUpdateExecute();
    void DataUpdateExecuteagr();
    void tabChanged(int index);
    void tabShown(int index);
    void tabHidden(int index);
    void refrigerantChanged();
    // Sets the refrigerant selector without its change handler, and the label beside it.
    void setRefrigerantQuietly(int index);
    void showRefrigerantSafety();
    void brandsChanged();
    void brandsChangedQuietly();
    void setAmbientMode(bool ambient);
    void fieldLeft(QObject* field);
    void moveCursor(UnitTab& tab, int step);
    void ComboBox5Change();
    // The steps of runSelection: the tab's inputs as the run takes them, the run with the
    // progress shown, and the result in the grid with the cursor and the details of its unit.
    SelectionInputs selectionInputs(const UnitTab& tab) const;
    SelectionResult computeSelection(const SelectionInputs& in);
    void showResult(UnitTab& tab, const SelectionResult& result);
    int tabIndex(const UnitTab& tab) const { return int(&tab - tabs_); }
    // Options restored from a calculation, put on the units of the next run's list by name.
    void applyPendingOptions(const SelectionInputs& in, SelectionResult& result);
    // Keeps the tab's result for calculation files and returns its cursor row: the one the run
    // chose, or the row of a unit restored from a calculation.
    int keepResult(UnitTab& tab, const SelectionResult& result);

    // Calculator handlers.
    void fillCalculatorLists(const struct CalculatorLists& lists);
    void condensatorChanged();
    void CheckBox2Click();

    // Details pieces.
    void clearDetails(UnitTab& tab);
    void showPicture(UnitTab& tab, int u);
    void showDrawing(UnitTab& tab, int u);
    void showTexts(UnitTab& tab, int u);
    void showTechData(UnitTab& tab, int u);
    void showChart(UnitTab& tab, int u, double to, double t2);
    void showOptions(UnitTab& tab, int u);
    void writeBackCondensing(int u, double to, double t2);

    std::filesystem::path dataDir_;
    std::unique_ptr<Catalogue> catalogue_;
    std::unique_ptr<CycleState> cycle_;
    TechDataModule* techData_ = nullptr;
    std::function<void(int unit)> detailsShown_;
    std::function<void()> chillerShown_;
    RunProbe probe_;
    Exchanger exchanger_ = Exchanger::All;

    bool started_ = false;
    bool shownOnce_ = false;
    int selrow_ = 0;
    int currentTab_ = 0;
    int rowAtPress_ = -1;  // a result grid's cursor row when the mouse was last pressed on it

    // Common inputs.
    QLineEdit* evaporate_ = nullptr;
    QLineEdit* condensate_ = nullptr;
    QLineEdit* edit7_ = nullptr;
    QLineEdit* superheat_ = nullptr;
    QLineEdit* subcool_ = nullptr;
    QLineEdit* edit11_ = nullptr;
    QLabel* label23_ = nullptr;
    QLabel* label24_ = nullptr;
    QLabel* label25_ = nullptr;
    QComboBox* comboBox8_ = nullptr;
    QLabel* labelSafety_ = nullptr;
    QListWidget* checkListBox1_ = nullptr;
    QComboBox* comboBox6_ = nullptr;
    QCheckBox* checkBox5_ = nullptr;
    QProgressBar* progressBar1_ = nullptr;
    QLabel* label48_ = nullptr;

    QTabWidget* pageControl1_ = nullptr;
    CalculatorTab calc_;
    UnitTab tabs_[4];
    QListWidget* checkListBox2_ = nullptr;
    QLabel* bitzerRack_ = nullptr;
    QLabel* bitzerReceiver_ = nullptr;
    QLabel* bitzerChiller_ = nullptr;
    QComboBox* comboBox5_ = nullptr;
    QLineEdit* edit23_ = nullptr;
    QCheckBox* checkBox3_ = nullptr;

    QLabel* label51_ = nullptr;
    QLabel* label52_ = nullptr;
    QLabel* label53_ = nullptr;
    QLabel* label55_ = nullptr;
    QLabel* label56_ = nullptr;

    QMenu* editingMenu_ = nullptr;
    OutsideControls outside_;

    // The last result of each kind tab with the catalogue names of its rows (the list behind a
    // tab that is not shown has since been replaced).
    struct TabResult {
        SelectionResult result;
        std::vector<std::string> names;  // [row]
    };
    std::array<TabResult, 4> tabResults_;
    std::array<std::string, 4> pendingCursor_;  // unit to put the cursor on at the tab's next run
    std::optional<std::vector<OptionChoice>> pendingOptions_;
    std::vector<Difference> pendingDifferences_;  // options gone, found by that run
    bool restoring_ = false;
};

}  // namespace tundrix
