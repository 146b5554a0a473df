// Price file (Pricedata/mashineN.dat), 264,800 bytes: 200 records of 1,324 bytes.
#pragma once

#include <string>

#include "catalogue/byteimage.h"

namespace tundrix {

class PriceFile : public ByteImage<264'800> {
public:
    static constexpr int kRecords = 200;
    static constexpr std::size_t kRecordSize = 1'324;
    static constexpr int kOptions = 11;

    static constexpr bool validRecord(int r) { return r >= 0 && r < kRecords; }
    static constexpr bool validOption(int i) { return i >= 1 && i <= kOptions; }

    std::string name(int r) const { return validRecord(r) ? text(base(r), kLongText) : ""; }
    std::string price(int r) const { return validRecord(r) ? text(base(r) + 101, 50) : ""; }
    // Option names are read from record 0 only.
    std::string optionName(int i) const {
        return validOption(i) ? text(base(0) + 151 + 51 * std::size_t(2 * i - 1), kShortText) : "";
    }
    std::string optionPrice(int r, int i) const {
        return validRecord(r) && validOption(i)
                   ? text(base(r) + 151 + 51 * std::size_t(2 * i), kShortText)
                   : "";
    }

    bool setName(int r, std::string_view v) {
        return validRecord(r) && setText(base(r), kLongText, v);
    }
    bool setPrice(int r, std::string_view v) {
        return validRecord(r) && setText(base(r) + 101, 50, v);
    }
    bool setOptionName(int i, std::string_view v) {
        return validOption(i) && setText(base(0) + 151 + 51 * std::size_t(2 * i - 1), kShortText, v);
    }
    bool setOptionPrice(int r, int i, std::string_view v) {
        return validRecord(r) && validOption(i) &&
               setText(base(r) + 151 + 51 * std::size_t(2 * i), kShortText, v);
    }

    static constexpr std::size_t base(int r) { return std::size_t(r) * kRecordSize; }
};

}  // namespace tundrix
