// The basket window: the grid of picked units with quantities, prices and costs, the total, and
// buttons to delete a row and to close. Created once at start-up; its content lasts for the run.
#pragma once

#include <QString>
#include <QWidget>

#include "basket/basket.h"

class QLineEdit;
class QTableWidget;

namespace tundrix {

class BasketWindow : public QWidget {
    Q_OBJECT
  public:
    explicit BasketWindow(QWidget* parent = nullptr);

    const Basket& basket() const { return basket_; }
    void setDecimalSeparator(char separator);

  public slots:
    // A double click on a result table's row: shows the window and adds one of unit `name` at
    // `price` with the equipment type `typeText`. A unit whose quantity in the basket is not a
    // number is not counted up; the user is told so and the basket stays as it was.
    void addUnit(const QString& typeText, const QString& name, const QString& price);
    // The same with the type text of result table 0..3 (condensing units, compressor-receiver
    // units, racks, chillers).
    void addFromResultTable(int resultTable, const QString& name, const QString& price);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void deleteCurrentRow();
    void cellEdited(int row, int column);
    void recompute();
    // Shows the model in the grid and the total.
    void refresh();

    Basket basket_;
    QTableWidget* grid_;
    QLineEdit* total_;
};

}  // namespace tundrix
