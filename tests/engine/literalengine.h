// Straightforward versions of the table lookups and property routines, written the long way:
// every lookup copies what it needs out of the grid image, searches intervals linearly, and
// solves every spline with the dense elimination (splineReference). The fast routines are held
// to these. The interval search assumes x inside the table (where the two agree by design).
#pragma once

#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "catalogue/byteimage.h"
#include "engine/linear.h"
#include "engine/spline.h"

namespace tundrix::literal {

using PointVector = std::array<double, 101>;
using LongColumn = std::array<double, 501>;

inline bool tiny(double v) {
    return std::fabs(v) < 0.0001;
}

inline double splinewindow(const LongColumn& X, const LongColumn& Y, int m, double x) {
    int L = 1;
    while (L < 500 && !(tiny(X[L]) && tiny(X[L + 1])))
        ++L;
    int k = 1;
    while (k < 499 && !((X[k] - x) * (X[k + 1] - x) < 0 || X[k] == x))
        ++k;
    const int h = m / 2;
    int first, last;
    if (k < m / 2.0) {
        first = 0;
        last = m - 1;
    } else if (k <= L - m / 2.0) {
        first = k - h;
        last = k + h;
    } else {
        first = L - m;
        last = L - 1;
    }
    PointVector wx{}, wy{};
    for (int i = first; i <= last; ++i) {
        wx[i - first] = X[i];
        wy[i - first] = Y[i];
    }
    return splineReference(wx, wy, last - first, x);
}

inline double satprop(int cx, int cy, const GridImage& image, double x) {
    GridImage copy = image;  // the lookup works on its own copy of the image
    PointVector X{}, Y{};
    int n = 0;
    for (int r = 4; r < 41; ++r) {
        if (r >= 5 && copy.at(r, 1) == 0.0 && copy.at(r + 1, 1) == 0.0)
            break;
        X[n] = copy.at(r, cx);
        Y[n] = copy.at(r, cy);
        ++n;
    }
    return splineReference(X, Y, n - 1, x);
}

inline double shprop(int cx, int cy, const GridImage& image, double a, double h) {
    GridImage copy = image;
    PointVector Z{}, T{};
    for (int k = 0; k < 26; ++k) {
        LongColumn X{}, Y{};
        for (int r = 0; r < 450; ++r) {
            X[r] = copy.at(41 + r, 6 * k + cx);
            Y[r] = copy.at(41 + r, 6 * k + cy);
        }
        T[k] = splinewindow(X, Y, 5, a);
        Z[k] = copy.at(42, 6 * k + 4);
    }
    return splineReference(Z, T, 25, h);
}

// stopOnLanding = false runs the five steps unconditionally, even through a 0/0 slope.
inline double shinverse(int cx, int cy, const GridImage& image, double a, double target,
                        double start, bool stopOnLanding = true) {
    auto F = [&](double s) { return shprop(cx, cy, image, a, s); };
    double s = start;
    double slope = (F(s) - F(s - 1)) / 1.0;
    for (int i = 0; i < 5; ++i) {
        if (slope != 0.0) {
            const double sOld = s;
            s = s + (target - F(s)) / slope;
            if (stopOnLanding && s == sOld)
                break;
            slope = (F(sOld) - F(s)) / (sOld - s);
        }
    }
    return s;
}

inline double liquidEnthalpy(const GridImage& image, double tc, double sc) {
    if (sc == 0.0)
        return satprop(1, 6, image, tc);
    const double h1 = satprop(1, 6, image, tc);
    const double pc = satprop(1, 2, image, tc);
    const double h20 = shinverse(2, 1, image, pc, tc - 20, h1);
    return h1 - sc * (h1 - h20) / 20;
}

inline double refeffect(const GridImage& image, double to, double tc, double sh, double sc) {
    const double po = satprop(1, 3, image, to);
    const double hs = shinverse(2, 1, image, po, to + sh, satprop(1, 7, image, to));
    return hs - liquidEnthalpy(image, tc, sc);
}

inline double capcorrection(const GridImage& image, double v, double to, double tc, double sh,
                            double sc) {
    if (sh == 10 && sc == 0)
        return v;
    const double po = satprop(1, 3, image, to);
    const double hv = satprop(1, 7, image, to);
    const double h10 = shinverse(2, 1, image, po, to + 10, hv);
    const double ha = shinverse(2, 1, image, po, to + sh, hv);
    return v * refeffect(image, to, tc, sh, sc) / refeffect(image, to, tc, 10, 0) *
           shprop(2, 3, image, po, ha) / shprop(2, 3, image, po, h10);
}

inline double heatrejection(const GridImage& image, double td, double Q, double to, double tc,
                            double sh, double sc) {
    const double t = td > 80 ? 80 : td;
    const double pc = satprop(1, 2, image, tc);
    const double hd = shinverse(2, 1, image, pc, t, satprop(1, 7, image, tc));
    const double flow = Q / refeffect(image, to, tc, sh, sc);
    return flow * (hd - liquidEnthalpy(image, tc, sc));
}

// A table block copied into point vectors and a full body matrix, end markers included.
struct Block {
    PointVector R{}, C{};
    std::unique_ptr<Massvv> B = makeMassvv();
};

inline Block gettable(const GridImage& image, int r0, int c0) {
    Block b;
    int i = 1;
    while (!(tiny(image.at(r0 + i, c0)) && tiny(image.at(r0 + i + 1, c0))))
        ++i;
    int j = 1;
    while (!(tiny(image.at(r0, c0 + j)) && tiny(image.at(r0, c0 + j + 1))))
        ++j;
    for (int p = 0; p <= i; ++p)
        for (int q = 0; q <= j; ++q)
            (*b.B)[p][q] = image.at(r0 + 1 + p, c0 + 1 + q);
    for (int p = 0; p <= i; ++p)
        b.R[p] = image.at(r0 + 1 + p, c0);
    for (int q = 0; q <= j; ++q)
        b.C[q] = image.at(r0, c0 + 1 + q);
    return b;
}

inline double spline2d(const PointVector& R, const PointVector& C, const Massvv& B, double xc,
                       double xr) {
    int nR = 1;
    while (!(tiny(R[nR]) && tiny(R[nR + 1])))
        ++nR;
    int nC = 1;
    while (!(tiny(C[nC]) && tiny(C[nC + 1])))
        ++nC;
    PointVector T{}, K{};
    int m = 0;
    for (int q = 0; q < nC; ++q) {
        PointVector X{}, Y{};
        int n = 0;
        for (int p = 0; p < nR; ++p) {
            if (B[p][q] == 0.0)
                continue;
            X[n] = R[p];
            Y[n] = B[p][q];
            ++n;
        }
        const double t = splineReference(X, Y, n - 1, xr);
        if (t == 0.0)
            continue;
        K[m] = C[q];
        T[m] = t;
        ++m;
    }
    return splineReference(K, T, m - 1, xc);
}

}  // namespace tundrix::literal
