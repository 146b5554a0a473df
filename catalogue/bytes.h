// Little-endian reading and writing of the catalogue files' numbers.
// Every file stores 4-byte signed integers and 8-byte IEEE doubles, least significant byte first;
// these helpers decode them byte by byte so the program never depends on struct packing.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace tundrix {

inline std::int32_t getI32(const std::uint8_t* p) {
    const std::uint32_t v = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) |
                            (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
    return static_cast<std::int32_t>(v);
}

inline void putI32(std::uint8_t* p, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}

inline double getF64(const std::uint8_t* p) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
    return std::bit_cast<double>(v);
}

inline void putF64(std::uint8_t* p, double value) {
    auto v = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i, v >>= 8) p[i] = std::uint8_t(v);
}

}  // namespace tundrix
