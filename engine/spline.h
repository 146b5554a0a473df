// Natural cubic spline interpolation through up to 101 points (a "point vector" holds 101 values).
#pragma once

#include <array>
#include <limits>
#include <span>
#include <vector>

namespace tundrix {

inline constexpr int kMaxSplinePoints = 101;

// Storage of a spline's pieces: abscissae x and coefficients a, b, c, d of n + 1 points.
struct SplinePieces {
    double* x;
    double* a;
    double* b;
    double* c;
    double* d;
};
struct ConstSplinePieces {
    const double* x;
    const double* a;
    const double* b;
    const double* c;
    const double* d;
};

namespace detail {
// Solves the natural spline through (X[i], Y[i]), i = 0..n (2 <= n < kMaxSplinePoints, the
// points present) into `out`; every form of the spline is built by this one routine.
void solveSpline(std::span<const double> X, std::span<const double> Y, int n, SplinePieces out);

inline double evaluateSpline(ConstSplinePieces p, int n, double x) {
    int k = 1;
    while (x >= p.x[k] && k < n)
        ++k;
    const double t = x - p.x[k - 1];
    return p.a[k] + p.b[k] * t + p.c[k - 1] * t * t + p.d[k] * t * t * t;
}
}  // namespace detail

// The natural cubic spline through (X[i], Y[i]), i = 0..n, built once and evaluated at any x.
// Fewer than three points build no curve: n = 1 gives Y[1] everywhere, n = 0 gives Y[0], and a
// negative n (or n beyond the given points or beyond 100) gives no value (NaN).
// Piece choice: the first k in 1..n with x < X[k], else n; so an x equal to an inner abscissa
// uses the piece that starts there, and the end pieces extend beyond the end points.
class NaturalSpline {
  public:
    NaturalSpline(std::span<const double> X, std::span<const double> Y, int n);

    double operator()(double x) const;
    int lastIndex() const { return n_; }
    // Whether a value is given for n (n >= 0 with the points present).
    static bool usable(std::span<const double> X, std::span<const double> Y, int n);

  private:
    int n_ = -1;
    double constant_ = 0.0;  // the value when no curve is built
    std::array<double, kMaxSplinePoints> x_;
    std::array<double, kMaxSplinePoints> a_;
    std::array<double, kMaxSplinePoints> b_;
    std::array<double, kMaxSplinePoints> c_;
    std::array<double, kMaxSplinePoints> d_;
};

// The same spline holding only the room its points need (a NaturalSpline always holds 101
// points): the form in which many splines are prepared ahead and kept. Same values to the bit.
class CompactSpline {
  public:
    CompactSpline() = default;  // no value (NaN)
    CompactSpline(std::span<const double> X, std::span<const double> Y, int n);

    double operator()(double x) const;
    int lastIndex() const { return n_; }

  private:
    int n_ = -1;
    double constant_ = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> pieces_;  // x, a, b, c, d of the n + 1 points, one run after the other
};

// Value at x of the natural cubic spline through (X[i], Y[i]), i = 0..n. The system for the
// second-derivative terms is tridiagonal and is solved as such.
double spline(std::span<const double> X, std::span<const double> Y, int n, double x);

// The same spline with its system assembled in a 101 x 101 matrix and solved by the dense
// Gauss-Jordan elimination of solvelinear. Slow; kept as the reference the fast form is held to.
double splineReference(std::span<const double> X, std::span<const double> Y, int n, double x);

}  // namespace tundrix
