// The text rules by which the cells of a unit list become numbers and tests.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tundrix {

// A plain decimal integer: an optional leading '-' and at least one digit, nothing else (a space
// or a '+' sign makes the text invalid); nullopt also when it does not fit 32 bits.
std::optional<int> parseCellInteger(std::string_view text);

// The integer of a cell, or `fallback` when the cell is not a valid integer.
int cellInteger(std::string_view text, int fallback);

// Compressor indices and counts of a unit, from the cells "инд. компрессора" (a or a+b) and
// "кол. компрессоров" (n or n+m).
struct CompressorCells {
    int indcompr = 0;
    int indcompr2 = 0;
    int ncompressor = 0;
    int ncompressor2 = 0;
};

// With a "+" in the index cell both cells are split at their first "+" (each part 0 when not an
// integer); without one, the index is the whole cell (0 if invalid), the count the whole count cell
// (1 if invalid) and the second group is empty.
CompressorCells parseCompressorCells(std::string_view indexCell, std::string_view countCell);

// Condenser count: the cell as an integer, 1 when it is not one (an empty cell means one
// condenser; "0" means the unit has none).
int parseCondenserCount(std::string_view cell);

// Total compressor count of a rack: the two parts of the count cell split at its first "+", a part
// that is not an integer counting 0; without "+", the cell as an integer (0 if invalid).
int rackCompressorTotal(std::string_view countCell);

// The last character (code point) of UTF-8 text, as UTF-8; empty for empty text.
std::string lastCharacter(std::string_view utf8);

// A chiller whose name ends in an evaporator type letter (Latin or Cyrillic К/K, В/B, М/M) works
// with a 5 K difference between the liquid outlet and the evaporating temperature.
bool endsInExchangerLetter(std::string_view name);

}  // namespace tundrix
