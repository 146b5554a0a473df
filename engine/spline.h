// Natural cubic spline interpolation through up to 101 points (a "point vector" holds 101 values).
#pragma once

#include <array>
#include <span>

namespace tundrix {

inline constexpr int kMaxSplinePoints = 101;

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

  private:
    int n_ = -1;
    double constant_ = 0.0;  // the value when no curve is built
    std::array<double, kMaxSplinePoints> x_;
    std::array<double, kMaxSplinePoints> a_;
    std::array<double, kMaxSplinePoints> b_;
    std::array<double, kMaxSplinePoints> c_;
    std::array<double, kMaxSplinePoints> d_;
};

// Value at x of the natural cubic spline through (X[i], Y[i]), i = 0..n. The system for the
// second-derivative terms is tridiagonal and is solved as such.
double spline(std::span<const double> X, std::span<const double> Y, int n, double x);

// The same spline with its system assembled in a 101 x 101 matrix and solved by the dense
// Gauss-Jordan elimination of solvelinear. Slow; kept as the reference the fast form is held to.
double splineReference(std::span<const double> X, std::span<const double> Y, int n, double x);

}  // namespace tundrix
