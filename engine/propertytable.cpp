#include "engine/propertytable.h"

#include <string>

#include "catalogue/fileio.h"
#include "catalogue/refrigerants.h"
#include "engine/tables.h"

namespace tundrix {

namespace {

std::size_t blockOffset(int k, int col) {
    return (std::size_t(k) * PropertyTable::kBlockColumns + std::size_t(col - 1)) *
           PropertyTable::kBlockRows;
}

}  // namespace

PropertyTable::PropertyTable() {
    rebuild(GridImage{});
}

PropertyTable::PropertyTable(const GridImage& image) {
    rebuild(image);
}

void PropertyTable::rebuild(const GridImage& image) {
    // Saturated rows: row 4 always counts; the table ends at the first row r >= 5 whose column 1
    // and the next row's column 1 are exactly 0, and never runs into the blocks at row 41.
    int end = kSatFirstRow + 1;
    while (end < kBlockFirstRow && !(image.at(end, 1) == 0.0 && image.at(end + 1, 1) == 0.0))
        ++end;
    satCount_ = end - kSatFirstRow;
    for (auto& column : sat_)
        column.fill(0.0);
    for (int r = 0; r < satCount_; ++r)
        for (int c = 1; c <= kSatColumns; ++c)
            sat_[c - 1][r] = image.at(kSatFirstRow + r, c);

    blocks_.assign(std::size_t(kBlocks) * kBlockColumns * kBlockRows, 0.0);
    for (int k = 0; k < kBlocks; ++k) {
        for (int col = 1; col <= kBlockColumns; ++col) {
            double* dst = blocks_.data() + blockOffset(k, col);
            for (int r = 0; r < kBlockRows; ++r)
                dst[r] = image.at(kBlockFirstRow + r, kBlockColumns * k + col);
            lengths_[k][col - 1] = endMarker(std::span<const double>(dst, kBlockRows));
        }
        enthalpies_[k] = image.at(kBlockFirstRow + 1, kBlockColumns * k + 4);
    }
}

std::span<const double> PropertyTable::satColumn(int col) const {
    if (col < 1 || col > kSatColumns)
        return {};
    return std::span<const double>(sat_[col - 1].data(), std::size_t(satCount_));
}

std::span<const double> PropertyTable::blockColumn(int k, int col) const {
    if (k < 0 || k >= kBlocks || col < 1 || col > kBlockColumns)
        return {};
    return std::span<const double>(blocks_.data() + blockOffset(k, col), kBlockRows);
}

int PropertyTable::blockLength(int k, int col) const {
    if (k < 0 || k >= kBlocks || col < 1 || col > kBlockColumns)
        return 0;
    return lengths_[k][col - 1];
}

std::string_view refFileName(int refrigerant) {
    if (!validRefrigerant(refrigerant))
        return {};
    return refrigerantEntry(refrigerant).propertyFile;
}

bool readtable(const std::filesystem::path& file, GridImage& buffer) {
    return buffer.load(file);
}

bool loadref(int refrigerant, const std::filesystem::path& dataDir, GridImage& buffer) {
    const std::string_view name = refFileName(refrigerant);
    if (name.empty())
        return false;
    return readtable(dataDir / std::string(name), buffer);
}

}  // namespace tundrix
