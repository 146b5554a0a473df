#include "engine/spline.h"

#include <cmath>
#include <limits>

#include "engine/linear.h"
#include "engine/toolkit.h"

namespace tundrix {

namespace {}  // namespace

// n is usable when the points 0..n exist in both vectors (Y alone when no curve is built).
bool NaturalSpline::usable(std::span<const double> X, std::span<const double> Y, int n) {
    if (n < 0 || n >= kMaxSplinePoints || std::size_t(n) >= Y.size())
        return false;
    return n < 2 || std::size_t(n) < X.size();
}

void detail::solveSpline(std::span<const double> X, std::span<const double> Y, int n,
                         SplinePieces out) {
    std::array<double, kMaxSplinePoints> h;
    for (int i = 0; i <= n; ++i)
        out.x[i] = X[i];
    for (int i = 1; i <= n; ++i)
        h[i] = X[i] - X[i - 1];

    // Rows 1..n-1: h[i] c[i-1] + 2 (h[i] + h[i+1]) c[i] + h[i+1] c[i+1] = r[i], with the natural
    // end conditions c[0] = c[n] = 0. Forward elimination without pivoting (the system is
    // diagonally dominant for increasing abscissae), then back substitution.
    std::array<double, kMaxSplinePoints> upper;  // normalised super-diagonal
    std::array<double, kMaxSplinePoints> rhs;    // normalised right-hand side
    for (int i = 1; i <= n - 1; ++i) {
        const double lower = i >= 2 ? h[i] : 0.0;
        const double r = 3.0 * ((Y[i + 1] - Y[i]) / h[i + 1] - (Y[i] - Y[i - 1]) / h[i]);
        const double up = i <= n - 2 ? h[i + 1] : 0.0;
        double diag = 2.0 * (h[i] + h[i + 1]);
        double right = r;
        if (i >= 2) {
            diag -= lower * upper[i - 1];
            right -= lower * rhs[i - 1];
        }
        upper[i] = up / diag;
        rhs[i] = right / diag;
    }
    double* c = out.c;
    c[0] = 0.0;
    c[n] = 0.0;
    for (int i = n - 1; i >= 1; --i)
        c[i] = rhs[i] - (i <= n - 2 ? upper[i] * c[i + 1] : 0.0);

    out.a[0] = out.b[0] = out.d[0] = 0.0;  // piece 0 does not exist; keeps the storage defined
    for (int i = 1; i <= n; ++i) {
        out.a[i] = Y[i - 1];
        out.d[i] = (c[i] - c[i - 1]) / (3.0 * h[i]);
    }
    for (int i = 1; i <= n - 1; ++i)
        out.b[i] = (Y[i] - Y[i - 1]) / h[i] - h[i] * (2.0 * c[i - 1] + c[i]) / 3.0;
    out.b[n] = (Y[n] - Y[n - 1]) / h[n] - (2.0 / 3.0) * h[n] * c[n - 1];
}

NaturalSpline::NaturalSpline(std::span<const double> X, std::span<const double> Y, int n) {
    if (!usable(X, Y, n)) {
        n_ = -1;
        constant_ = kNoValue;
        return;
    }
    n_ = n;
    if (n < 2) {
        constant_ = Y[std::size_t(n)];
        return;
    }
    detail::solveSpline(X, Y, n, {x_.data(), a_.data(), b_.data(), c_.data(), d_.data()});
}

double NaturalSpline::operator()(double x) const {
    if (n_ < 2)
        return constant_;
    return detail::evaluateSpline({x_.data(), a_.data(), b_.data(), c_.data(), d_.data()}, n_, x);
}

CompactSpline::CompactSpline(std::span<const double> X, std::span<const double> Y, int n) {
    if (!NaturalSpline::usable(X, Y, n))
        return;
    n_ = n;
    if (n < 2) {
        constant_ = Y[std::size_t(n)];
        return;
    }
    const std::size_t m = std::size_t(n) + 1;
    pieces_.resize(5 * m);
    double* p = pieces_.data();
    detail::solveSpline(X, Y, n, {p, p + m, p + 2 * m, p + 3 * m, p + 4 * m});
}

double CompactSpline::operator()(double x) const {
    if (n_ < 2)
        return constant_;
    const std::size_t m = std::size_t(n_) + 1;
    const double* p = pieces_.data();
    return detail::evaluateSpline({p, p + m, p + 2 * m, p + 3 * m, p + 4 * m}, n_, x);
}

double spline(std::span<const double> X, std::span<const double> Y, int n, double x) {
    return NaturalSpline(X, Y, n)(x);
}

double splineReference(std::span<const double> X, std::span<const double> Y, int n, double x) {
    if (!NaturalSpline::usable(X, Y, n))
        return kNoValue;
    if (n < 2)
        return Y[std::size_t(n)];
    std::array<double, kMaxSplinePoints> h{}, a{}, b{}, c{}, d{};
    for (int i = 1; i <= n; ++i)
        h[i] = X[i] - X[i - 1];

    auto m = makeMassvv();  // value-initialised: all zero
    (*m)[0][0] = 1.0;
    for (int i = 1; i <= n - 1; ++i) {
        (*m)[i][i] = 2.0 * (h[i] + h[i + 1]);
        if (i >= 2)
            (*m)[i][i - 1] = h[i];
        if (i <= n - 2)
            (*m)[i][i + 1] = h[i + 1];
        (*m)[i][n] = 3.0 * ((Y[i + 1] - Y[i]) / h[i + 1] - (Y[i] - Y[i - 1]) / h[i]);
    }
    solvelinear(*m, n, n + 1);
    c[0] = 0.0;
    c[n] = 0.0;
    for (int i = 1; i <= n - 1; ++i)
        c[i] = (*m)[i][n];

    for (int i = 1; i <= n; ++i) {
        a[i] = Y[i - 1];
        d[i] = (c[i] - c[i - 1]) / (3.0 * h[i]);
    }
    for (int i = 1; i <= n - 1; ++i)
        b[i] = (Y[i] - Y[i - 1]) / h[i] - h[i] * (2.0 * c[i - 1] + c[i]) / 3.0;
    b[n] = (Y[n] - Y[n - 1]) / h[n] - (2.0 / 3.0) * h[n] * c[n - 1];

    int k = 1;
    while (x >= X[k] && k < n)
        ++k;
    const double t = x - X[k - 1];
    return a[k] + b[k] * t + c[k - 1] * t * t + d[k] * t * t * t;
}

}  // namespace tundrix
