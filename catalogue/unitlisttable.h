// Unit list file (agrdata/*.dat), 317,781 bytes: 31 columns x 201 rows of 51-byte texts stored
// column by column. Row 0 holds the headings, rows 1..200 the units.
#pragma once

#include <string>

#include "catalogue/byteimage.h"

namespace tundrix {

class UnitListTable : public ByteImage<317'781> {
public:
    static constexpr int kColumns = 31;
    static constexpr int kRows = 201;
    static constexpr int kUnitRows = 200;

    static constexpr bool validCell(int col, int row) {
        return col >= 0 && col < kColumns && row >= 0 && row < kRows;
    }
    std::string cell(int col, int row) const {
        return validCell(col, row) ? text(offset(col, row), kShortText) : "";
    }
    // Stores the text cut to 50 characters; false when it was cut or had unstorable characters.
    bool setCell(int col, int row, std::string_view utf8) {
        return validCell(col, row) && setText(offset(col, row), kShortText, utf8);
    }
    bool cellEmpty(int col, int row) const {
        return !validCell(col, row) || bytes_[offset(col, row)] == 0;
    }

    static constexpr std::size_t offset(int col, int row) {
        return std::size_t(col) * 10'251 + std::size_t(row) * kShortText;
    }
};

}  // namespace tundrix
