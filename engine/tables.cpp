#include "engine/tables.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "engine/spline.h"

namespace tundrix {

namespace {

bool small(double v) {
    return std::fabs(v) < kEndMarkerLevel;
}

// Second stage of spline2d, shared by both forms: rows/cols data points with body(p, q).
template <typename Body>
double interpolateTwoWay(std::span<const double> R, int rows, std::span<const double> C, int cols,
                         Body body, double xc, double xr) {
    std::array<double, kMaxSplinePoints> px, py;
    std::array<double, kMaxSplinePoints> cx, cy;
    int nc = 0;
    for (int q = 0; q < cols; ++q) {
        int np = 0;
        for (int p = 0; p < rows; ++p) {
            const double v = body(p, q);
            if (v == 0.0)
                continue;
            px[np] = R[p];
            py[np] = v;
            ++np;
        }
        if (np == 0)
            continue;  // a column without data has no value to offer
        const double t = spline(px, py, np - 1, xr);
        if (t == 0.0)
            continue;
        cx[nc] = C[q];
        cy[nc] = t;
        ++nc;
    }
    return spline(cx, cy, nc - 1, xc);
}

}  // namespace

int endMarker(std::span<const double> v) {
    const int size = int(v.size());
    for (int k = 1; k < size; ++k) {
        const double next = k + 1 < size ? v[k + 1] : 0.0;
        if (small(v[k]) && small(next))
            return k;
    }
    return size;
}

double splinewindow(std::span<const double> X, std::span<const double> Y, int m, double x) {
    return splinewindow(X, endMarker(X), Y, m, x);
}

double splinewindow(std::span<const double> X, int L, std::span<const double> Y, int m, double x) {
    L = std::min({L, int(X.size()), int(Y.size())});
    m = std::min(m, kMaxSplinePoints);
    if (L < 1 || m < 1)
        return std::numeric_limits<double>::quiet_NaN();

    // k: the interval [X[k], X[k+1]) holding x, 0 below X[1], L-1 at or beyond the last point.
    int k;
    if (L < 2 || x >= X[L - 1]) {
        k = L - 1;
    } else if (!(x >= X[1])) {
        k = 0;
    } else {
        int lo = 1, hi = L - 1;  // X[lo] <= x < X[hi]
        while (hi - lo > 1) {
            const int mid = lo + (hi - lo) / 2;
            if (x >= X[mid])
                lo = mid;
            else
                hi = mid;
        }
        k = lo;
    }

    const int h = m / 2;
    const double half = m / 2.0;
    int first, last;
    if (k < half) {
        first = 0;
        last = m - 1;
    } else if (k <= L - half) {
        first = k - h;
        last = k + h;
    } else {
        first = L - m;
        last = L - 1;
    }
    first = std::max(first, 0);
    last = std::min(last, L - 1);
    const int n = last - first;
    return spline(X.subspan(std::size_t(first)), Y.subspan(std::size_t(first)), n, x);
}

TableBlock gettable(const GridImage& image, int r0, int c0) {
    // Key counts as the first i >= 1 with two small keys at i and i+1 from the corner; the data
    // points then end one before.
    auto count = [&](auto key) {
        int i = 1;
        while (i <= kMaxBlockKeys + 1 && !(small(key(i)) && small(key(i + 1))))
            ++i;
        if (i > kMaxBlockKeys + 1)
            return kMaxBlockKeys;
        return i >= 2 ? i - 1 : 1;
    };
    TableBlock block;
    block.rows = count([&](int i) { return image.at(r0 + i, c0); });
    block.cols = count([&](int j) { return image.at(r0, c0 + j); });
    block.R.resize(std::size_t(block.rows));
    block.C.resize(std::size_t(block.cols));
    block.body.resize(std::size_t(block.rows) * std::size_t(block.cols));
    for (int p = 0; p < block.rows; ++p)
        block.R[p] = image.at(r0 + 1 + p, c0);
    for (int q = 0; q < block.cols; ++q)
        block.C[q] = image.at(r0, c0 + 1 + q);
    for (int p = 0; p < block.rows; ++p)
        for (int q = 0; q < block.cols; ++q)
            block.body[std::size_t(p) * std::size_t(block.cols) + q] =
                image.at(r0 + 1 + p, c0 + 1 + q);
    return block;
}

double spline2d(const TableBlock& block, double xc, double xr) {
    return interpolateTwoWay(
        block.R, block.rows, block.C, block.cols, [&](int p, int q) { return block.at(p, q); }, xc,
        xr);
}

double spline2d(std::span<const double> R, std::span<const double> C, const Massvv& B, double xc,
                double xr) {
    const int rows = endMarker(R.first(std::min<std::size_t>(R.size(), kMassvvDim)));
    const int cols = endMarker(C.first(std::min<std::size_t>(C.size(), kMassvvDim)));
    return interpolateTwoWay(
        R, rows, C, cols, [&](int p, int q) { return B[p][q]; }, xc, xr);
}

}  // namespace tundrix
