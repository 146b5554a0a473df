// The unit list editor's grid as plain text cells, and what the editor's buttons do to it:
// "Загрузить" (unit list file -> grid), "Записать" (grid -> unit list file), "Добавить" (a unit
// from the calculator's choices), "Удалить строку". Row 0 holds the headings; grid column c is
// column c of the unit list file.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/unitlisttable.h"
#include "selection/calculator.h"

namespace tundrix {

inline constexpr int kEditorColumns = 24;

using GridRow = std::array<std::string, kEditorColumns>;

struct UnitGrid {
    std::vector<GridRow> rows;  // rows[0]: headings
    int insertionRow = 1;       // the row the next "Добавить" fills

    int rowCount() const { return int(rows.size()); }
    void setRowCount(int n) { rows.resize(std::size_t(n < 1 ? 1 : n)); }
};

// Headings of the columns the editor names itself (0-11 and 23); empty for the option columns
// 12-22, whose headings come from a unit list file or a price file.
const std::array<std::string, kEditorColumns>& fixedHeadings();

// What showing the window does: the fixed headings, cells 0-11 of row 1 emptied, two rows, the
// insertion row 1. The option headings stay as they are.
void resetGrid(UnitGrid& grid);

// "Загрузить" after the file was read into `table`: the grid is reset, takes the option headings
// from row 0 and one grid row per unit up to the first unit with no name. The insertion row is
// the row after the last unit (row 1 when there is none).
void loadGrid(UnitGrid& grid, const UnitListTable& table);

struct WriteReport {
    int rowsStored = 0;   // unit rows stored (heading row not counted)
    int rowsDropped = 0;  // unit rows past the 200 a file holds
    struct Cell {
        int row;
        int col;
        bool cut;  // false: stored whole but with characters the file's code page lacks ("?")
    };
    std::vector<Cell> changedCells;
    bool lossless() const { return rowsDropped == 0 && changedCells.empty(); }
};

// "Записать": fills `table` (emptied first) from the grid. An empty last row (no name) is left
// out; texts are cut to 50 characters; rows past 200 are not stored. Says what was cut.
WriteReport gridToTable(const UnitGrid& grid, UnitListTable& table);

// A short Russian description of what a write lost, for the user; empty when nothing was lost.
std::string describeLosses(const WriteReport& report);

// "Удалить строку" for row y: the rows below move up by one in the grid and in the read table,
// the last row goes, and the insertion row moves up when it stood below y (so after "Загрузить"
// it stays one past the last unit and never lands on a unit the next "Добавить" would
// overwrite). The heading row cannot be deleted, and deleting the only unit row empties it
// instead, so the grid always keeps one unit row. False when nothing was deleted (y outside the
// unit rows).
bool deleteGridRow(UnitGrid& grid, UnitListTable& readTable, int y);

// A unit row dragged from row `from` to row `to`: the unit moves, the rows between close up, in
// the grid and in the read table, so that what is shown is what "Записать" writes and what the
// price filling follows. The insertion row follows the row it points at. False (nothing moved)
// for rows outside the unit rows.
bool moveGridRow(UnitGrid& grid, UnitListTable& readTable, int from, int to);

// The generated unit name: level prefix ("АНН", "АСН", "AВH") + condenser code (held to 53
// characters together) + "-" + multiplier ("2x"; none for "1") + model; "П" right after the
// prefix for Bock. nullopt with no level chosen.
std::optional<std::string> generatedUnitName(int level, bool bock, const std::string& pol,
                                             const std::string& count1, const std::string& model);

// "Добавить": fills the insertion row from the calculator's choice (the name only when the cell is
// empty), moves the insertion row down and returns it (the grid's new current row).
int addUnitRow(UnitGrid& grid, const CalculatorChoice& choice, int level, bool copeland, bool bock);

}  // namespace tundrix
