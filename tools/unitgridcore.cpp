#include "tools/unitgridcore.h"

#include <algorithm>

#include "catalogue/cp1251.h"

namespace tundrix {

const std::array<std::string, kEditorColumns>& fixedHeadings() {
    static const std::array<std::string, kEditorColumns> headings = {"Название агрегата",
                                                                     "Компрессор",
                                                                     "Конденсатор",
                                                                     "инд. компрессора",
                                                                     "инд. конденсатора",
                                                                     "кол. компрессоров",
                                                                     "кол. конденсаторов",
                                                                     "габаритный чертеж",
                                                                     "комплект",
                                                                     "Техничекие характеристики",
                                                                     "Цена(EUR)",
                                                                     "картинка",
                                                                     "",
                                                                     "",
                                                                     "",
                                                                     "",
                                                                     "",
                                                                     "",
                                                                     "",
                                                                     "",
                                                                     "",
                                                                     "",
                                                                     "",
                                                                     "Описание"};
    return headings;
}

namespace {

bool isFixedColumn(int c) {
    return c <= 11 || c == 23;
}

}  // namespace

void resetGrid(UnitGrid& grid) {
    grid.setRowCount(2);
    for (int c = 0; c < kEditorColumns; ++c)
        if (isFixedColumn(c))
            grid.rows[0][std::size_t(c)] = fixedHeadings()[std::size_t(c)];
    for (int c = 0; c <= 11; ++c)
        grid.rows[1][std::size_t(c)].clear();
    grid.insertionRow = 1;
}

void loadGrid(UnitGrid& grid, const UnitListTable& table) {
    resetGrid(grid);
    for (int c = 12; c <= 22; ++c)
        grid.rows[0][std::size_t(c)] = table.cell(c, 0);
    int units = 0;
    for (int r = 1; r <= UnitListTable::kUnitRows && !table.cellEmpty(0, r); ++r) {
        grid.setRowCount(r + 1);
        for (int c = 0; c < kEditorColumns; ++c)
            grid.rows[std::size_t(r)][std::size_t(c)] = table.cell(c, r);
        units = r;
    }
    grid.insertionRow = units + 1;
}

WriteReport gridToTable(const UnitGrid& grid, UnitListTable& table) {
    WriteReport report;
    table.clear();
    int n = grid.rowCount();
    if (n > 1 && grid.rows.back()[0].empty())
        --n;
    const int stored = std::min(n, UnitListTable::kRows);
    report.rowsDropped = n - stored;
    report.rowsStored = stored - 1;
    for (int r = 0; r < stored; ++r) {
        for (int c = 0; c < kEditorColumns; ++c) {
            const std::string& text = grid.rows[std::size_t(r)][std::size_t(c)];
            if (!table.setCell(c, r, text))
                report.changedCells.push_back({r, c, utf8Length(text) > kShortText - 1});
        }
    }
    return report;
}

std::string describeLosses(const WriteReport& report) {
    std::string text;
    if (report.rowsDropped > 0)
        text +=
            "Файл вмещает 200 агрегатов: не записано строк: " + std::to_string(report.rowsDropped) +
            ".\n";
    int cut = 0, lossy = 0;
    std::string cells;
    int listed = 0;
    for (const auto& cell : report.changedCells) {
        (cell.cut ? cut : lossy)++;
        if (listed++ < 8)
            cells += (cells.empty() ? "" : ", ") + std::string("строка ") +
                     std::to_string(cell.row) + " столбец " + std::to_string(cell.col);
    }
    if (cut > 0)
        text += "Обрезано до 50 символов ячеек: " + std::to_string(cut) + ".\n";
    if (lossy > 0)
        text += "Символы, которых нет в кодировке файла, заменены на \"?\" в ячейках: " +
                std::to_string(lossy) + ".\n";
    if (!cells.empty())
        text += "(" + cells + (report.changedCells.size() > 8 ? ", ..." : "") + ")";
    return text;
}

bool deleteGridRow(UnitGrid& grid, UnitListTable& readTable, int y) {
    const int rowCount = grid.rowCount();
    if (y < 1 || y >= rowCount)
        return false;
    auto clearTableRow = [&](int r) {
        for (int c = 0; c < UnitListTable::kColumns; ++c)
            readTable.setCell(c, r, "");
    };
    if (rowCount <= 2) {
        // The only unit row: empty it rather than leave the heading row as the insertion row.
        grid.rows[1].fill(std::string());
        clearTableRow(1);
        grid.insertionRow = 1;
        return true;
    }
    for (int r = y; r < rowCount - 1; ++r) {
        grid.rows[std::size_t(r)] = grid.rows[std::size_t(r + 1)];
        if (UnitListTable::validCell(0, r + 1))
            for (int c = 0; c < UnitListTable::kColumns; ++c)
                readTable.setCell(c, r, readTable.cell(c, r + 1));
    }
    clearTableRow(rowCount - 1);
    grid.setRowCount(rowCount - 1);
    // The insertion row keeps pointing at the same place: up by one when a row above it went,
    // which after "Загрузить" leaves it one past the last unit. Held to the last unit row it
    // would make the next "Добавить" overwrite that unit.
    if (y < grid.insertionRow)
        --grid.insertionRow;
    grid.insertionRow = std::clamp(grid.insertionRow, 1, grid.rowCount());
    return true;
}

bool moveGridRow(UnitGrid& grid, UnitListTable& readTable, int from, int to) {
    const int rowCount = grid.rowCount();
    if (from < 1 || from >= rowCount || to < 1 || to >= rowCount || from == to)
        return false;
    const int lo = std::min(from, to);
    const int hi = std::max(from, to);
    // One rotation of rows lo..hi: the moved row lands at `to`, the rows between close up.
    auto rotate = [&](auto first) {
        if (from < to)
            std::rotate(first, first + 1, first + (hi - lo + 1));
        else
            std::rotate(first, first + (hi - lo), first + (hi - lo + 1));
    };
    rotate(grid.rows.begin() + lo);
    // The read table's rows go along, as "Удалить строку" moves them (rows past the file's 200
    // read as empty and are not stored).
    std::vector<std::array<std::string, UnitListTable::kColumns>> table(std::size_t(hi - lo + 1));
    for (int r = lo; r <= hi; ++r)
        for (int c = 0; c < UnitListTable::kColumns; ++c)
            table[std::size_t(r - lo)][std::size_t(c)] = readTable.cell(c, r);
    rotate(table.begin());
    for (int r = lo; r <= hi; ++r)
        for (int c = 0; c < UnitListTable::kColumns; ++c)
            readTable.setCell(c, r, table[std::size_t(r - lo)][std::size_t(c)]);
    // The insertion row follows the row it points at.
    int& ins = grid.insertionRow;
    if (ins == from)
        ins = to;
    else if (ins >= lo && ins <= hi)
        ins += from < to ? -1 : 1;
    return true;
}

std::optional<std::string> generatedUnitName(int level, bool bock, const std::string& pol,
                                             const std::string& count1, const std::string& model) {
    // The high-level prefix mixes Latin A and H around a Cyrillic В, as the catalogue spells it.
    static const char* const prefixes[] = {"", "АНН", "АСН", "A\xD0\x92H"};
    if (level < 1 || level > 3)
        return std::nullopt;
    const std::string prefix = prefixes[level];
    const std::string head = utf8Left(prefix + pol, 53);
    const std::string multiplier = count1 == "1" ? "" : count1 + "x";
    std::string name = head + "-" + multiplier + model;
    if (bock)
        name = utf8Left(name, 3) + "П" + name.substr(utf8Left(name, 3).size());
    return name;
}

int addUnitRow(UnitGrid& grid, const CalculatorChoice& ch, int level, bool copeland, bool bock) {
    // A price fill may have shortened the grid below the insertion row; never fill the headings.
    grid.insertionRow = std::clamp(grid.insertionRow, 1, grid.rowCount());
    if (grid.rowCount() == grid.insertionRow)
        grid.setRowCount(grid.rowCount() + 1);
    GridRow& row = grid.rows[std::size_t(grid.insertionRow)];

    if (row[0].empty())
        if (auto name = generatedUnitName(level, bock, ch.pol, ch.count1, ch.model1))
            row[0] = *name;

    row[1] = ch.model1 + (ch.second ? "+" + ch.model2 : "");
    if (ch.noCondenser) {
        row[2] = "Нет конденсатора";
        row[4] = "0";
        row[6] = "0";
    } else {
        row[2] = ch.condenserName;
        row[4] = std::to_string(ch.condenserPos + 1);
        row[6] = ch.condensers;
    }
    if (copeland)
        row[3] = std::to_string(ch.pos1 + 1) + (ch.second ? "+" + std::to_string(ch.pos2 + 1) : "");
    else
        row[3] = std::to_string(ch.mapped1) + (ch.second ? "+" + std::to_string(ch.mapped2) : "");
    row[5] = ch.count1 + (ch.second ? "+" + ch.count2 : "");

    ++grid.insertionRow;
    if (grid.insertionRow >= grid.rowCount())
        grid.setRowCount(grid.insertionRow + 1);
    return grid.insertionRow;
}

}  // namespace tundrix
