// The window "Сезонная эффективность": the seasonal figures of the condensing unit under the
// cursor of the condensing-unit tab. The four rating points as a table, SEPR with the minimum
// and the regulation's verdict, the year at the engineer's conditions with the climate, tariff,
// years and minimum condensing temperature as inputs, and a chart of the year. Not modal; it
// follows the cursor like the other detail windows.
#pragma once

#include <QWidget>

#include "seasonal/unitseasonal.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tundrix {

class MainWindow;
class SeasonalChart;

class SeasonalWindow : public QWidget {
public:
    explicit SeasonalWindow(MainWindow& main, QWidget* parent = nullptr);

    // Shows the figures of the unit now under the condensing-unit tab's cursor (when shown).
    void refresh();
    // Reads a climate file ("temperature;hours" rows); false, with a message box, when it is not
    // one. The climate in force stays then.
    bool loadClimate(const QString& path, bool quiet = false);
    // Goes back to the reference climate.
    void useReferenceClimate();
    // Puts the main window's seasonal settings into the inputs (after a calculation was opened).
    void showSettings();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void inputsLeft();
    void showClimate();

    MainWindow& main_;
    QLabel* model_;
    QTableWidget* points_;
    QLabel* sepr_;
    QLabel* verdict_;
    QLabel* climate_;
    QLineEdit* tariff_;
    QLineEdit* years_;
    QLineEdit* floor_;
    QLabel* message_;
    QLabel* annual_;
    SeasonalChart* chart_;
    QString climateName_;  // file name of imported bins
};

}  // namespace tundrix
