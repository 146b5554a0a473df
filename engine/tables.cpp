#include "engine/tables.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

#include "engine/spline.h"

namespace tundrix {

namespace {

bool small(double v) {
    return std::fabs(v) < kEndMarkerLevel;
}

// The data points of column q (row key, body value), body values of exactly 0.0 left out; returns
// their number.
template <typename Body>
int columnPoints(std::span<const double> R, int rows, Body body, int q,
                 std::array<double, kMaxSplinePoints>& px,
                 std::array<double, kMaxSplinePoints>& py) {
    int np = 0;
    for (int p = 0; p < rows; ++p) {
        const double v = body(p, q);
        if (v == 0.0)
            continue;
        px[np] = R[p];
        py[np] = v;
        ++np;
    }
    return np;
}

// The curve across the columns at xc through (key(q), value(q)), q = 0..cols-1, values of
// exactly 0.0 left out.
template <typename Key, typename Value>
double acrossColumns(int cols, Key key, Value value, double xc) {
    std::array<double, kMaxSplinePoints> cx, cy;
    int nc = 0;
    for (int q = 0; q < cols; ++q) {
        const double t = value(q);
        if (t == 0.0)
            continue;
        cx[nc] = key(q);
        cy[nc] = t;
        ++nc;
    }
    return spline(cx, cy, nc - 1, xc);
}

// Second stage of spline2d, shared by both forms: rows/cols data points with body(p, q).
template <typename Body>
double interpolateTwoWay(std::span<const double> R, int rows, std::span<const double> C, int cols,
                         Body body, double xc, double xr) {
    std::array<double, kMaxSplinePoints> px, py;
    return acrossColumns(
        cols, [&](int q) { return C[q]; },
        [&](int q) {
            const int np = columnPoints(R, rows, body, q, px, py);
            // A column without data has no value to offer.
            return np == 0 ? 0.0 : spline(px, py, np - 1, xr);
        },
        xc);
}

// Data points of a block's key run, key(i) the i-th cell from the corner: the first i >= 1 with
// two small keys at i and i+1 ends the run one before; at most kMaxBlockKeys.
template <typename Key>
int keyCount(Key key) {
    int i = 1;
    while (i <= kMaxBlockKeys + 1 && !(small(key(i)) && small(key(i + 1))))
        ++i;
    if (i > kMaxBlockKeys + 1)
        return kMaxBlockKeys;
    return i >= 2 ? i - 1 : 1;
}

// The window splinewindow takes: its first point and its last point relative to the first.
// L and m as splinewindow has cut them (L >= 1, m >= 1).
struct Window {
    int first;
    int n;
};
Window findWindow(std::span<const double> X, int L, int m, double x) {
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
    return Window{first, last - first};
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
    const Window w = findWindow(X, L, m, x);
    return spline(X.subspan(std::size_t(w.first)), Y.subspan(std::size_t(w.first)), w.n, x);
}

PreparedWindows::PreparedWindows(std::span<const double> X, int L, std::span<const double> Y,
                                 int m) {
    L_ = std::min({L, int(X.size()), int(Y.size())});
    m_ = std::min(m, kMaxSplinePoints);
    if (L_ < 1 || m_ < 1)
        return;
    X_.assign(X.begin(), X.begin() + L_);
    Y_.assign(Y.begin(), Y.begin() + L_);
    const int points = std::min(m_, L_);
    if (m_ % 2 == 0 || points < 3)
        return;
    // An odd window of m points inside the table always holds min(m, L) points, starting at
    // 0..L-points.
    n_ = points - 1;
    const std::size_t size = std::size_t(points);
    const int windows = L_ - points + 1;
    pieces_.resize(std::size_t(windows) * 4 * size);
    std::array<double, kMaxSplinePoints> x;
    for (int first = 0; first < windows; ++first) {
        double* p = pieces_.data() + std::size_t(first) * 4 * size;
        detail::solveSpline(std::span<const double>(X_).subspan(std::size_t(first)),
                            std::span<const double>(Y_).subspan(std::size_t(first)), n_,
                            {x.data(), p, p + size, p + 2 * size, p + 3 * size});
    }
}

int PreparedWindows::find(double x) const {
    if (n_ < 0)
        return -1;
    const Window w = findWindow(X_, L_, m_, x);
    return w.n == n_ && w.first <= L_ - 1 - n_ ? w.first : -1;
}

double PreparedWindows::at(int window, double x) const {
    const std::size_t size = std::size_t(n_) + 1;
    const double* p = pieces_.data() + std::size_t(window) * 4 * size;
    return detail::evaluateSpline({X_.data() + window, p, p + size, p + 2 * size, p + 3 * size}, n_,
                                  x);
}

bool PreparedWindows::sameAbscissae(const PreparedWindows& o) const {
    return L_ == o.L_ && m_ == o.m_ && n_ == o.n_ &&
           std::memcmp(X_.data(), o.X_.data(), X_.size() * sizeof(double)) == 0;
}

double PreparedWindows::operator()(double x) const {
    if (L_ < 1 || m_ < 1)
        return std::numeric_limits<double>::quiet_NaN();
    if (const int window = find(x); window >= 0)
        return at(window, x);
    return splinewindow(X_, L_, Y_, m_, x);
}

TableBlock gettable(const GridImage& image, int r0, int c0) {
    TableBlock block;
    block.rows = keyCount([&](int i) { return image.at(r0 + i, c0); });
    block.cols = keyCount([&](int j) { return image.at(r0, c0 + j); });
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

PreparedBlock::PreparedBlock(TableBlock b) : block_(std::move(b)) {
    const TableBlock& block = block_;
    std::array<double, kMaxSplinePoints> px, py;
    for (int q = 0; q < block.cols; ++q) {
        const int np = columnPoints(
            block.R, block.rows, [&](int p, int c) { return block.at(p, c); }, q, px, py);
        if (np == 0)
            continue;
        keys_.push_back(block.C[q]);
        columns_.emplace_back(px, py, np - 1);
    }
}

double PreparedBlock::operator()(double xc, double xr) const {
    return acrossColumns(
        int(columns_.size()), [&](int q) { return keys_[std::size_t(q)]; },
        [&](int q) { return columns_[std::size_t(q)](xr); }, xc);
}

bool PreparedBlock::matches(const GridImage& image, int r0, int c0) const {
    const TableBlock& b = block_;
    if (keyCount([&](int i) { return image.at(r0 + i, c0); }) != b.rows ||
        keyCount([&](int j) { return image.at(r0, c0 + j); }) != b.cols)
        return false;
    auto same = [](double a, double v) { return std::memcmp(&a, &v, sizeof a) == 0; };
    for (int p = 0; p < b.rows; ++p)
        if (!same(image.at(r0 + 1 + p, c0), b.R[p]))
            return false;
    for (int q = 0; q < b.cols; ++q)
        if (!same(image.at(r0, c0 + 1 + q), b.C[q]))
            return false;
    for (int p = 0; p < b.rows; ++p)
        for (int q = 0; q < b.cols; ++q)
            if (!same(image.at(r0 + 1 + p, c0 + 1 + q), b.at(p, q)))
                return false;
    return true;
}

const PreparedBlock& PreparedTables::block(const GridImage& image, int r0, int c0) {
    const Key key{&image, r0, c0};
    if (const auto it = blocks_.find(key); it != blocks_.end()) {
        Entry& e = it->second;
        if (e.checkedRun != run_) {
            if (!e.block.matches(image, r0, c0))
                e.block = PreparedBlock(gettable(image, r0, c0));
            e.checkedRun = run_;
        }
        return e.block;
    }
    if (blocks_.size() >= kMaxBlocks)
        blocks_.clear();
    return blocks_.emplace(key, Entry{PreparedBlock(gettable(image, r0, c0)), run_})
        .first->second.block;
}

}  // namespace tundrix
