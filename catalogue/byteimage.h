// A fixed-size file image: the catalogue reads each file whole into a buffer of the file's
// specified size and writes it back the same way. Typed accessors decode fields in place.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "catalogue/bytes.h"
#include "catalogue/fileio.h"
#include "catalogue/storedtext.h"

namespace tundrix {

template <std::size_t N>
class ByteImage {
public:
    static constexpr std::size_t kSize = N;

    ByteImage() : bytes_(N, 0) {}

    std::span<std::uint8_t> bytes() { return bytes_; }
    std::span<const std::uint8_t> bytes() const { return bytes_; }

    // Copies `data` over the front of the image; a shorter source leaves the rest as it was.
    void assignFront(std::span<const std::uint8_t> data) {
        std::copy_n(data.begin(), std::min(data.size(), N), bytes_.begin());
    }

    void clear() { std::fill(bytes_.begin(), bytes_.end(), std::uint8_t(0)); }

    // Block read of a catalogue file: false (image unchanged, the reason in `error`) when the
    // file is missing or cannot be read.
    bool load(const std::filesystem::path& file, std::string* error = nullptr) {
        return readFileInto(file, bytes_, error);
    }

    bool save(const std::filesystem::path& file, std::string* error = nullptr) const {
        return writeFileAtomic(file, bytes_, error);
    }

    bool operator==(const ByteImage& other) const { return bytes_ == other.bytes_; }

protected:
    std::int32_t i32(std::size_t off) const { return getI32(&bytes_[off]); }
    double f64(std::size_t off) const { return getF64(&bytes_[off]); }
    std::string text(std::size_t off, std::size_t width) const {
        return readStoredText(&bytes_[off], width);
    }
    void setI32(std::size_t off, std::int32_t v) { putI32(&bytes_[off], v); }
    void setF64(std::size_t off, double v) { putF64(&bytes_[off], v); }
    bool setText(std::size_t off, std::size_t width, std::string_view utf8) {
        return writeStoredText(&bytes_[off], width, utf8);
    }

    std::vector<std::uint8_t> bytes_;
};

// 500 x 500 doubles, row-major, cells addressed from 1: the compressor performance tables and
// the refrigerant property tables are such images (2,000,000 bytes).
class GridImage : public ByteImage<2'000'000> {
public:
    static constexpr int kDim = 500;

    static constexpr bool valid(int row, int col) {
        return row >= 1 && row <= kDim && col >= 1 && col <= kDim;
    }
    // Cell [row][col]; cells outside 1..500 read as 0 so that a scan never leaves the image.
    double at(int row, int col) const { return valid(row, col) ? f64(offset(row, col)) : 0.0; }
    void set(int row, int col, double v) {
        if (valid(row, col))
            setF64(offset(row, col), v);
    }

private:
    static constexpr std::size_t offset(int row, int col) {
        return (std::size_t(row - 1) * kDim + std::size_t(col - 1)) * 8;
    }
};

}  // namespace tundrix
