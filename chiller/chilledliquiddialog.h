// The dialog in which the user describes the liquid a chiller cools: which liquid, its inlet and
// outlet temperatures, its flow and the heat exchanger type. It turns them into the required
// cooling capacity and hands the result to the chiller tab of the main window.
//
// Created once at start-up, shown not modal, and keeps its inputs for the whole run.
#pragma once

#include <QDialog>
#include <QString>

#include "catalogue/choices.h"
#include "chiller/liquidcapacity.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tundrix {

class RadioGroup;

// The texts the chiller tab shows for the liquid (its controls' object names).
struct ChillerTabTexts {
    QString edit11;   // required cooling capacity, kW
    QString edit23;   // liquid outlet temperature
    QString label51;  // liquid
    QString label52;  // flow
    QString label53;  // inlet temperature
    QString label55;  // exchanger type
    QString label56;  // unit after the outlet temperature
};

class ChilledLiquidDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ChilledLiquidDialog(QWidget* parent = nullptr);

    // The chiller tab's texts for the inputs as they stand (nothing is computed): what the tab
    // shows when it appears, before the user has pressed "Применить".
    ChillerTabTexts summary() const;

    // The inputs as the dialog holds them.
    LiquidInputs inputs() const;
    double exchangerTemperatureDifference() const { return exchanger_.temperatureDifference(); }
    // The heat exchanger type chosen, as the chiller selection filters by it.
    Exchanger exchanger() const;
    // The capacity the dialog shows (its last calculation).
    QString capacityText() const;

    // Puts a saved calculation's inputs back: liquid, temperatures, flow and its unit, the
    // exchanger with the difference earlier choices had set, and the capacity it showed. Nothing
    // is applied to the main window.
    void restore(const LiquidInputs& in, double exchangerDifference, const QString& capacity);

    // The decimal separator numbers are read and written with (the locale's by default).
    void setDecimalSeparator(char separator) { separator_ = separator; }

  signals:
    // "Применить" succeeded: the dialog closed, summary() holds the new texts and the chiller
    // selection should run.
    void applied();

  private:
    void liquidChosen(int index);
    void flowTypeChosen(int index);
    void exchangerChosen(int index);
    // "Рассчитать производительность"; false (after the message) when data are missing.
    bool calculate();
    void apply();

    QComboBox* liquid_;
    QLineEdit* concentration_;
    QLabel* percent_;
    QLineEdit* inlet_;
    QLineEdit* outlet_;
    RadioGroup* flowType_;
    QLineEdit* flow_;
    QComboBox* flowUnit_;
    RadioGroup* exchangerGroup_;
    QLabel* freezingWarning_;
    QLineEdit* capacity_;
    ExchangerChoice exchanger_;
    char separator_;
};

}  // namespace tundrix
