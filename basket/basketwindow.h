// The basket window: the grid of picked units with quantities, prices and costs, the total, and
// buttons to delete a row and to close. Created once at start-up; its content lasts for the run.
#pragma once

#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

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
    // The rows of a saved calculation, in place of what the basket held.
    void setItems(const std::vector<Basket::Item>& items);
    // Writes the basket as CSV (basket/basketcsv.h); false after telling the user why.
    bool exportCsv(const QString& file);

  public slots:
    // A double click on a result table's row: shows the window and adds one of unit `name` at
    // `price` with the equipment type `typeText`. A unit whose quantity in the basket is not a
    // number is not counted up; the user is told so and the basket stays as it was.
    // `unit` is the catalogue unit behind the row.
    void addUnit(const QString& typeText, const QString& name, const QString& price,
                 const std::optional<BasketUnit>& unit = std::nullopt);
    // The same with the type text of result table 0..3 (condensing units, compressor-receiver
    // units, racks, chillers).
    void addFromResultTable(int resultTable, const QString& name, const QString& price,
                            const std::optional<BasketUnit>& unit = std::nullopt);

  signals:
    // "Коммерческое предложение...": the offer of the basket with the calculation around it.
    void offerRequested();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void deleteCurrentRow();
    void askCsvFile();
    void cellEdited(int row, int column);
    void recompute();
    // Shows the model in the grid and the total.
    void refresh();

    Basket basket_;
    QTableWidget* grid_;
    QLineEdit* total_;
};

}  // namespace tundrix
