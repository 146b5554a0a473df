#include "engine/propertytable.h"

#include <cstdint>
#include <cstring>
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

// The prepared saturated columns (over column 1) and block columns (over column 2).
constexpr std::array<int, 4> kSatCurveColumns = {2, 3, 6, 7};
constexpr std::array<int, 2> kBlockCurveColumns = {1, 3};

void PropertyTable::rebuild(const GridImage& image) {
    if (prepared_ && holds(image))
        return;
    read(image);
    prepare();
}

namespace {

int satRows(const GridImage& image) {
    // Saturated rows: row 4 always counts; the table ends at the first row r >= 5 whose column 1
    // and the next row's column 1 are exactly 0, and never runs into the blocks at row 41.
    int end = PropertyTable::kSatFirstRow + 1;
    while (end < PropertyTable::kBlockFirstRow &&
           !(image.at(end, 1) == 0.0 && image.at(end + 1, 1) == 0.0))
        ++end;
    return end - PropertyTable::kSatFirstRow;
}

// The cells the tables are read from: rows 4..490, columns 1..156 of the image, row by row.
constexpr int kSourceFirstRow = PropertyTable::kSatFirstRow;
constexpr int kSourceRows =
    PropertyTable::kBlockFirstRow + PropertyTable::kBlockRows - kSourceFirstRow;
constexpr std::size_t kSourceRowBytes =
    std::size_t(PropertyTable::kBlocks) * PropertyTable::kBlockColumns * sizeof(double);

const std::uint8_t* sourceRow(const GridImage& image, int r) {
    // The image holds its 500 x 500 cells row by row, 8 bytes each.
    return image.bytes().data() + std::size_t(kSourceFirstRow + r - 1) * GridImage::kDim * 8;
}

}  // namespace

bool PropertyTable::holds(const GridImage& image) const {
    for (int r = 0; r < kSourceRows; ++r)
        if (std::memcmp(source_.data() + std::size_t(r) * kSourceRowBytes, sourceRow(image, r),
                        kSourceRowBytes) != 0)
            return false;
    return true;
}

void PropertyTable::prepare() {
    for (std::size_t i = 0; i < kSatCurveColumns.size(); ++i)
        satCurves_[i] = CompactSpline(satColumn(1), satColumn(kSatCurveColumns[i]), satCount_ - 1);
    blockCurves_.clear();
    for (int k = 0; k < kBlocks; ++k)
        for (const int cy : kBlockCurveColumns)
            blockCurves_.emplace_back(blockColumn(k, 2), blockLength(k, 2), blockColumn(k, cy),
                                      kBlockWindow);
    for (int k = 1; k < kBlocks; ++k)
        sharedPressures_[k] =
            blockCurves_[std::size_t(2 * k)].sameAbscissae(blockCurves_[std::size_t(2 * (k - 1))]);
    prepared_ = true;
}

const CompactSpline* PropertyTable::satCurve(int cx, int cy) const {
    if (!prepared_ || cx != 1)
        return nullptr;
    for (std::size_t i = 0; i < kSatCurveColumns.size(); ++i)
        if (kSatCurveColumns[i] == cy)
            return &satCurves_[i];
    return nullptr;
}

const PreparedWindows* PropertyTable::blockCurve(int k, int cx, int cy) const {
    if (!prepared_ || cx != 2 || k < 0 || k >= kBlocks)
        return nullptr;
    for (std::size_t i = 0; i < kBlockCurveColumns.size(); ++i)
        if (kBlockCurveColumns[i] == cy)
            return &blockCurves_[std::size_t(k) * kBlockCurveColumns.size() + i];
    return nullptr;
}

void PropertyTable::read(const GridImage& image) {
    source_.resize(std::size_t(kSourceRows) * kSourceRowBytes);
    for (int r = 0; r < kSourceRows; ++r)
        std::memcpy(source_.data() + std::size_t(r) * kSourceRowBytes, sourceRow(image, r),
                    kSourceRowBytes);
    satCount_ = satRows(image);
    for (auto& column : sat_)
        column.fill(0.0);
    for (int r = 0; r < satCount_; ++r)
        for (int c = 1; c <= kSatColumns; ++c)
            sat_[c - 1][r] = image.at(kSatFirstRow + r, c);

    blocks_.assign(std::size_t(kBlocks) * kBlockColumns * kBlockRows, 0.0);
    // Row by row: the image is stored by rows.
    for (int r = 0; r < kBlockRows; ++r)
        for (int k = 0; k < kBlocks; ++k)
            for (int col = 1; col <= kBlockColumns; ++col)
                blocks_[blockOffset(k, col) + std::size_t(r)] =
                    image.at(kBlockFirstRow + r, kBlockColumns * k + col);
    for (int k = 0; k < kBlocks; ++k) {
        for (int col = 1; col <= kBlockColumns; ++col)
            lengths_[k][col - 1] = endMarker(blockColumn(k, col));
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
