#include "basket/basket.h"

#include <optional>

#include "selection/numbers.h"

namespace tundrix {

const Basket::Row& Basket::headings() {
    static const Row h = {"Тип оборудования", "Модель", "Кол-во", "Цена", "Стоимость"};
    return h;
}

Basket::Basket(char decimalSeparator) : rows_(2), units_(2), separator_(decimalSeparator) {}

const std::string& Basket::cell(int column, int row) const {
    static const std::string none;
    if (column < 0 || column >= kColumns || row < 0 || row >= rowCount())
        return none;
    return rows_[std::size_t(row)][std::size_t(column)];
}

void Basket::setCell(int column, int row, std::string text) {
    if (column < 0 || column >= kColumns || row < 0 || row >= rowCount())
        return;
    std::string& cell = rows_[std::size_t(row)][std::size_t(column)];
    if (column == Model && text != cell)
        units_[std::size_t(row)].reset();
    cell = std::move(text);
}

const std::optional<BasketUnit>& Basket::unit(int row) const {
    static const std::optional<BasketUnit> none;
    return row >= 0 && row < rowCount() ? units_[std::size_t(row)] : none;
}

void Basket::setItems(const std::vector<Item>& items) {
    rows_.resize(1);
    units_.resize(1);
    for (const Item& item : items) {
        rows_.push_back(item.cells);
        units_.push_back(item.unit);
    }
    if (rowCount() < 2 || !isFree(rowCount() - 1)) {
        rows_.emplace_back();
        units_.emplace_back();
    }
    lastAdded_ = 0;
    recompute();
}

void Basket::writeHeadings() {
    rows_.front() = headings();
}

std::string_view Basket::typeText(int resultTable) {
    return resultTable == 0 ? "Компрессорно-конденсаторный агрегат"
                            : "Компрессорно-ресиверный агрегат";
}

bool Basket::isFree(int row) const {
    const Row& r = rows_[std::size_t(row)];
    return r[Type].empty() && r[Model].empty() && r[Quantity].empty() && r[Price].empty();
}

std::string Basket::number(double x) const {
    return formatGeneral(x, separator_);
}

Basket::AddResult Basket::add(std::string_view type, std::string_view name,
                              std::string_view price, std::optional<BasketUnit> unit) {
    if (name.empty())
        return AddResult::NoName;
    // The heading row is never an item, even for a unit that happens to be called "Модель".
    int match = 0;
    for (int k = 1; k < rowCount(); ++k)
        if (rows_[std::size_t(k)][Model] == name)
            match = k;
    if (match != 0) {
        Row& r = rows_[std::size_t(match)];
        const auto q = parseNumber(r[Quantity], separator_);
        if (!q)
            return AddResult::QuantityNotNumber;
        r[Quantity] = number(*q + 1.0);
        lastAdded_ = match;
        recompute();
        return AddResult::Increased;
    }
    // The new item goes into the empty last row; should that row hold something (typed in by the
    // user, or no empty row left), a fresh one is appended first.
    if (rowCount() < 2 || !isFree(rowCount() - 1)) {
        rows_.emplace_back();
        units_.emplace_back();
    }
    const int k = rowCount() - 1;
    rows_[std::size_t(k)] = {std::string(type), std::string(name), "1", std::string(price), ""};
    units_[std::size_t(k)] = std::move(unit);
    rows_.emplace_back();
    units_.emplace_back();
    lastAdded_ = k;
    recompute();
    return AddResult::Added;
}

void Basket::recompute() {
    // The total is accumulated through the texts shown, so it adds up exactly the costs the user
    // reads in the grid.
    double total = 0.0;
    for (int i = 1; i < rowCount(); ++i) {
        Row& r = rows_[std::size_t(i)];
        const double q = readNumber(r[Quantity], separator_, 1.0);
        const double p = readNumber(r[Price], separator_, 0.0);
        r[Cost] = number(q * p);
        // A cost too large to be a number is shown as an empty cell and adds nothing.
        total = readNumber(number(total + readNumber(r[Cost], separator_, 0.0)), separator_, 0.0);
    }
    total_ = number(total);
}

void Basket::deleteRow(int row) {
    if (row < 1 || row >= rowCount())
        return;
    if (rowCount() > 2) {
        rows_.erase(rows_.begin() + row);
        units_.erase(units_.begin() + row);
    } else {
        rows_[std::size_t(row)] = Row{};
        units_[std::size_t(row)].reset();
    }
    // Deleting the empty last row itself would leave the next addition no free row; keep one.
    if (!isFree(rowCount() - 1)) {
        rows_.emplace_back();
        units_.emplace_back();
    }
    lastAdded_ = 0;
    recompute();
}

}  // namespace tundrix
