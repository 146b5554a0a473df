// Brand coefficient file (bock.dat, bitzer.dat, dwmcopeland.dat), 283,200 bytes: four refrigerant
// sections (R404A/R507, R22, R407C, R134a) of 150 records of 472 bytes.
#pragma once

#include <array>
#include <string>

#include "catalogue/byteimage.h"

namespace tundrix {

class CoefImage : public ByteImage<283'200> {
public:
    static constexpr int kSections = 4;
    static constexpr int kRecords = 150;
    static constexpr std::size_t kSectionSize = 70'800;
    static constexpr std::size_t kRecordSize = 472;

    // Coefficient sets of a record.
    enum Set { Capacity = 0, Power = 1, Current = 2, Fourth = 3 };
    using Coefs = std::array<double, 10>;
    using Envelope = std::array<double, 12>;  // x1, y1, x2, y2, ..., x6, y6

    static constexpr bool validRecord(int section, int k) {
        return section >= 0 && section < kSections && k >= 1 && k <= kRecords;
    }

    std::string name(int section, int k) const {
        return validRecord(section, k) ? text(base(section, k), kShortText) : "";
    }
    bool isFree(int section, int k) const {
        return !validRecord(section, k) || bytes_[base(section, k)] == 0;
    }
    Coefs coefs(int section, int k, Set set) const {
        Coefs c{};
        if (!validRecord(section, k)) return c;
        const std::size_t off = base(section, k) + 56 + 80 * std::size_t(set);
        for (int i = 0; i < 10; ++i) c[i] = f64(off + 8 * i);
        return c;
    }
    Envelope envelope(int section, int k) const {
        Envelope e{};
        if (!validRecord(section, k)) return e;
        const std::size_t off = base(section, k) + 376;
        for (int i = 0; i < 12; ++i) e[i] = f64(off + 8 * i);
        return e;
    }

    bool setName(int section, int k, std::string_view v) {
        return validRecord(section, k) && setText(base(section, k), kShortText, v);
    }
    void setCoefs(int section, int k, Set set, const Coefs& c) {
        if (!validRecord(section, k)) return;
        const std::size_t off = base(section, k) + 56 + 80 * std::size_t(set);
        for (int i = 0; i < 10; ++i) setF64(off + 8 * i, c[i]);
    }
    void setEnvelope(int section, int k, const Envelope& e) {
        if (!validRecord(section, k)) return;
        const std::size_t off = base(section, k) + 376;
        for (int i = 0; i < 12; ++i) setF64(off + 8 * i, e[i]);
    }

    static constexpr std::size_t base(int section, int k) {
        return std::size_t(section) * kSectionSize + std::size_t(k - 1) * kRecordSize;
    }
};

}  // namespace tundrix
