// The basket: the units the user picked from the result tables, with quantity, unit price and
// cost per row and a running total. A grid of texts, as the user sees and edits it: row 0 holds
// the headings, the item rows follow, and the last row is kept empty for the next addition.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "basket/basketunit.h"

namespace tundrix {

class Basket {
  public:
    static constexpr int kColumns = 5;
    enum Column { Type = 0, Model = 1, Quantity = 2, Price = 3, Cost = 4 };
    using Row = std::array<std::string, kColumns>;

    // "Тип оборудования", "Модель", "Кол-во", "Цена", "Стоимость".
    static const Row& headings();

    // The heading row and one empty row; numbers are read and written with `decimalSeparator`.
    explicit Basket(char decimalSeparator);
    void setDecimalSeparator(char separator) { separator_ = separator; }

    int rowCount() const { return int(rows_.size()); }
    const std::string& cell(int column, int row) const;
    // What the user types into a cell (any cell, the headings included). Out of range: ignored.
    // A model name typed over makes the row one typed by hand: it loses its catalogue unit.
    void setCell(int column, int row, std::string text);
    // The catalogue unit behind item row `row`; none for rows typed by hand.
    const std::optional<BasketUnit>& unit(int row) const;
    // Whether row `row` holds an item (anything typed into its type, model, quantity or price).
    bool isItem(int row) const { return row >= 1 && row < rowCount() && !isFree(row); }
    const std::string& total() const { return total_; }

    // Writes the headings into row 0 (the window does so whenever it is shown).
    void writeHeadings();

    enum class AddResult {
        Added,              // a new row with quantity 1
        Increased,          // the quantity of the unit's row rose by one
        QuantityNotNumber,  // the unit's row has a quantity that is not a number: nothing changed
        NoName,             // a result row without a unit name: nothing to add
    };
    // Adds one of unit `name` at `price` (the price text of the result table). A unit already in
    // the basket (the last row with that model name) gets its quantity raised by one and keeps
    // its price; a new unit goes into a fresh row, never over an item. Then recomputes.
    // `unit` tells where a new row's unit comes from.
    AddResult add(std::string_view type, std::string_view name, std::string_view price,
                  std::optional<BasketUnit> unit = std::nullopt);
    // The row the last add() increased or filled.
    int lastAddedRow() const { return lastAdded_; }

    // Cost of every row = quantity (1 when not a number) x price (0 when not a number), and the
    // total over all rows.
    void recompute();

    // Removes item row `row` (1..rowCount-1) and recomputes. The basket always keeps an empty last
    // row, so deleting the only item leaves the headings, one empty row and a total of 0.
    void deleteRow(int row);

    // Replaces the item rows with `items` (as a saved basket holds them), keeps an empty last row
    // and recomputes. The heading row stays.
    struct Item {
        Row cells;
        std::optional<BasketUnit> unit;
    };
    void setItems(const std::vector<Item>& items);

    // Type text that a double click on each result table writes: 0 condensing units, 1
    // compressor-receiver units, 2 racks, 3 chillers.
    static std::string_view typeText(int resultTable);

  private:
    bool isFree(int row) const;  // no type, model, quantity or price typed in
    std::string number(double x) const;

    std::vector<Row> rows_;
    std::vector<std::optional<BasketUnit>> units_;  // one per row, row 0 included
    std::string total_;
    int lastAdded_ = 0;
    char separator_;
};

}  // namespace tundrix
