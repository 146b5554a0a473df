// The compressor list (catal*.dat) and the condenser list (condensators.dat).
#pragma once

#include <string>

#include "catalogue/byteimage.h"

namespace tundrix {

// Compressor list, 15,104 bytes: 100 entries numbered 1..100.
class Comprprop : public ByteImage<15'104> {
public:
    static constexpr int kEntries = 100;
    static constexpr bool validEntry(int k) { return k >= 1 && k <= kEntries; }

    std::string name(int k) const { return validEntry(k) ? text(51 * (k - 1), kShortText) : ""; }
    int position(int k) const { return validEntry(k) ? i32(5100 + 4 * (k - 1)) : 0; }
    int count() const { return i32(5500); }
    // Envelope vertex n = 1..6 of entry k: evaporating (x) and condensing (y) temperature.
    double x(int n, int k) const { return validVertex(n, k) ? f64(xOffset(n, k)) : 0.0; }
    double y(int n, int k) const { return validVertex(n, k) ? f64(xOffset(n, k) + 800) : 0.0; }

    bool setName(int k, std::string_view v) {
        return validEntry(k) && setText(51 * (k - 1), kShortText, v);
    }
    void setPosition(int k, int v) {
        if (validEntry(k)) setI32(5100 + 4 * (k - 1), v);
    }
    void setCount(int v) { setI32(5500, v); }
    void setVertex(int n, int k, double xv, double yv) {
        if (!validVertex(n, k)) return;
        setF64(xOffset(n, k), xv);
        setF64(xOffset(n, k) + 800, yv);
    }

private:
    static constexpr bool validVertex(int n, int k) { return n >= 1 && n <= 6 && validEntry(k); }
    static constexpr std::size_t xOffset(int n, int k) {
        return 5504 + std::size_t(n - 1) * 1600 + std::size_t(k - 1) * 8;
    }
};

// Condenser list, 13,008 bytes: 100 entries numbered 1..100.
class Condenserprop : public ByteImage<13'008> {
public:
    static constexpr int kEntries = 100;
    static constexpr bool validEntry(int k) { return k >= 1 && k <= kEntries; }

    std::string name(int k) const { return validEntry(k) ? text(51 * (k - 1), kShortText) : ""; }
    double capacity(int k) const { return validEntry(k) ? f64(5104 + 8 * (k - 1)) : 0.0; }
    int numfuns(int k) const { return validEntry(k) ? i32(5904 + 4 * (k - 1)) : 0; }
    double funsCurrent(int k) const { return validEntry(k) ? f64(6304 + 8 * (k - 1)) : 0.0; }
    double funsCap(int k) const { return validEntry(k) ? f64(7104 + 8 * (k - 1)) : 0.0; }
    int count() const { return i32(7904); }
    std::string pol(int k) const {
        return validEntry(k) ? text(7908 + 51 * (k - 1), kShortText) : "";
    }

    bool setName(int k, std::string_view v) {
        return validEntry(k) && setText(51 * (k - 1), kShortText, v);
    }
    void setCapacity(int k, double v) {
        if (validEntry(k)) setF64(5104 + 8 * (k - 1), v);
    }
    void setNumfuns(int k, int v) {
        if (validEntry(k)) setI32(5904 + 4 * (k - 1), v);
    }
    void setFunsCurrent(int k, double v) {
        if (validEntry(k)) setF64(6304 + 8 * (k - 1), v);
    }
    void setFunsCap(int k, double v) {
        if (validEntry(k)) setF64(7104 + 8 * (k - 1), v);
    }
    void setCount(int v) { setI32(7904, v); }
    bool setPol(int k, std::string_view v) {
        return validEntry(k) && setText(7908 + 51 * (k - 1), kShortText, v);
    }
};

}  // namespace tundrix
