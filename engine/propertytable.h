// One refrigerant property image, reorganised once per load for the property routines.
//
// The image (500 x 500 doubles, cells from 1) holds two tables:
//  - the saturated table in rows 4.., one saturation temperature per row (column 1 t, 2 bubble
//    pressure, 3 dew pressure, 6 liquid enthalpy, 7 vapour enthalpy); it ends at the first row from
//    row 5 on whose column 1 and the next row's column 1 are both exactly 0, and at row 41 at the
//    latest (row 41 already belongs to the superheated table);
//  - the superheated table: 26 blocks, block k in columns 6k+1..6k+6 of rows 41..490, each a line
//    of constant enthalpy with its states in ascending pressure (column 1 t, 2 p, 3 density,
//    4 the block's enthalpy, read from row 42).
// Copying the block columns into contiguous long columns and finding their end markers once means
// a lookup never touches the 2 MB image.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "catalogue/byteimage.h"
#include "engine/spline.h"
#include "engine/tables.h"

namespace tundrix {

class PropertyTable {
  public:
    static constexpr int kBlocks = 26;
    static constexpr int kBlockColumns = 6;
    static constexpr int kBlockFirstRow = 41;
    static constexpr int kBlockRows = 450;  // rows 41..490
    static constexpr int kSatFirstRow = 4;
    static constexpr int kSatColumns = 7;
    static constexpr int kSatMaxRows = 37;  // rows 4..40
    // Window size of the interpolation along a block's pressure column.
    static constexpr int kBlockWindow = 5;

    // The table of an all-zero image (what the program works with before the first load).
    PropertyTable();
    explicit PropertyTable(const GridImage& image);

    // Reads the tables of the image and prepares their curves; an image holding the same cells
    // (bit for bit) as the one read last keeps the curves already prepared.
    void rebuild(const GridImage& image);

    // Saturated table: number of rows and column col (1..7) of those rows; empty for other col.
    int satCount() const { return satCount_; }
    std::span<const double> satColumn(int col) const;

    // Block k (0..25), column col (1..6): the 450 values of rows 41..490; empty when out of range.
    std::span<const double> blockColumn(int k, int col) const;
    // End-marker position of that column: its points are 0..blockLength-1.
    int blockLength(int k, int col) const;
    // The 26 block enthalpies (row 42, column 4 of each block), in block order.
    const std::array<double, kBlocks>& blockEnthalpies() const { return enthalpies_; }

    // Prepared curves, the same values as the splines through the columns above: the saturated
    // column cy over column 1 (cy = 2, 3, 6, 7), and block k's column cy over its pressure column
    // in windows of kBlockWindow points (cx = 2, cy = 1 or 3). nullptr for any other columns.
    const CompactSpline* satCurve(int cx, int cy) const;
    const PreparedWindows* blockCurve(int k, int cx, int cy) const;
    // Whether block k (1..25) has the pressure column of block k - 1: a lookup at one pressure
    // then finds the same window in both.
    bool sharesPressures(int k) const { return k >= 1 && k < kBlocks && sharedPressures_[k]; }

  private:
    void read(const GridImage& image);
    // Whether the image holds exactly (bit for bit) the cells the tables were read from last.
    bool holds(const GridImage& image) const;
    void prepare();

    std::vector<std::uint8_t> source_;  // those cells as read, row by row

    bool prepared_ = false;
    std::array<CompactSpline, 4> satCurves_;    // over t: bubble p, dew p, liquid h, vapour h
    std::vector<PreparedWindows> blockCurves_;  // [2k] temperature, [2k + 1] density
    std::array<bool, kBlocks> sharedPressures_{};
    int satCount_ = 0;
    std::array<std::array<double, kSatMaxRows>, kSatColumns> sat_{};
    std::vector<double> blocks_;  // [k][col-1][row], kBlockRows values per column
    std::array<std::array<int, kBlockColumns>, kBlocks> lengths_{};
    std::array<double, kBlocks> enthalpies_{};
};

// File name of the property table of a refrigerant of the refrigerant table ("mass404a.dat",
// ...); empty for an index outside the table.
std::string_view refFileName(int refrigerant);

// Block read of a property file into the buffer. Returns false and leaves the buffer as it was
// when the file does not exist or cannot be read; a shorter file fills only the front.
bool readtable(const std::filesystem::path& file, GridImage& buffer);

// Loads the property file of a refrigerant from the data folder into the buffer. A
// missing file (or an unknown index) leaves the buffer's previous table in use; returns whether
// the file was read.
bool loadref(int refrigerant, const std::filesystem::path& dataDir, GridImage& buffer);

}  // namespace tundrix
