// Refrigerant property images built from closed-form model fluids, laid out like the real
// property files: saturated rows from row 4 (t, bubble p, dew p, -, -, h', h''), two zero rows
// after them, and 26 constant-enthalpy blocks of 6 columns in rows 41..490 with a log-spaced
// pressure grid of 448 rows and two zero rows at the end.
#pragma once

#include <cmath>
#include <functional>

#include "catalogue/byteimage.h"

namespace tundrix::fixture {

struct ModelFluid {
    std::function<double(double)> bubbleP;          // t -> p
    std::function<double(double)> dewP;             // t -> p
    std::function<double(double)> liquidH;          // t -> h'
    std::function<double(double)> vapourH;          // t -> h''
    std::function<double(double, double)> temp;     // (p, h) -> t
    std::function<double(double, double)> density;  // (p, h) -> rho
    double hFirst = 150.0;                          // enthalpy of block 0
    double hStep = 14.0;                            // enthalpy step between blocks
    double pLow = 0.4;                              // first grid pressure
    double pHigh = 40.0;                            // last grid pressure
};

inline constexpr int kGridRows = 448;

inline double gridPressure(const ModelFluid& f, int i) {
    return f.pLow * std::pow(f.pHigh / f.pLow, double(i) / double(kGridRows - 1));
}

inline double blockEnthalpy(const ModelFluid& f, int k) {
    return f.hFirst + f.hStep * k;
}

// Saturation temperatures of the rows 4..38: -70..100 degC in 5 K steps (one of them 0 degC).
inline double satTemperature(int i) {
    return -70.0 + 5.0 * i;
}
inline constexpr int kSatRows = 35;

inline GridImage buildImage(const ModelFluid& f) {
    GridImage g;
    for (int i = 0; i < kSatRows; ++i) {
        const int r = 4 + i;
        const double t = satTemperature(i);
        g.set(r, 1, t);
        g.set(r, 2, f.bubbleP(t));
        g.set(r, 3, f.dewP(t));
        g.set(r, 6, f.liquidH(t));
        g.set(r, 7, f.vapourH(t));
    }
    for (int k = 0; k < 26; ++k) {
        const double h = blockEnthalpy(f, k);
        for (int i = 0; i < kGridRows; ++i) {
            const int r = 41 + i;
            const double p = gridPressure(f, i);
            g.set(r, 6 * k + 1, f.temp(p, h));
            g.set(r, 6 * k + 2, p);
            g.set(r, 6 * k + 3, f.density(p, h));
            g.set(r, 6 * k + 4, h);
        }
    }
    return g;
}

// Everything linear: the splines reproduce it exactly, so every result has an exact answer.
//   t(p, h) = (h - 900) / 2.5 + 8 p, rho(p, h) = p (2 - h / 1000),
//   bubble p = 20 + 0.25 t, dew p = bubble p - 0.5, h' = h(bubble p, t), h'' = h(dew p, t) + 20.
// The steep pressure term gives a positive refrigerating effect and keeps every state the
// corrections ask for between the first and the last block (250..650).
struct LinearFluid {
    static double temp(double p, double h) { return (h - 900.0) / 2.5 + 8.0 * p; }
    static double enthalpy(double p, double t) { return 900.0 + 2.5 * (t - 8.0 * p); }
    static double density(double p, double h) { return p * (2.0 - h / 1000.0); }
    static double bubbleP(double t) { return 20.0 + 0.25 * t; }
    static double dewP(double t) { return bubbleP(t) - 0.5; }
    static double liquidH(double t) { return enthalpy(bubbleP(t), t); }
    static double vapourH(double t) { return enthalpy(dewP(t), t) + 20.0; }

    static ModelFluid model() {
        ModelFluid f;
        f.bubbleP = bubbleP;
        f.dewP = dewP;
        f.liquidH = liquidH;
        f.vapourH = vapourH;
        f.temp = temp;
        f.density = density;
        f.hFirst = 250.0;
        f.hStep = 16.0;
        return f;
    }
};

// A smooth, refrigerant-like fluid: a Clausius-Clapeyron saturation curve, a temperature that
// rises with a slope of 1 K per enthalpy unit in the liquid and the vapour and flattens to 0.1
// around the mid enthalpy (like a bridged two-phase dome), and an ideal-gas density:
//   tsat(p) = B / (A - ln p) - 273.15, x = h - 330, t(p, h) = tsat(p) + x - 36 tanh(x / 40),
//   rho = p / (R (t + 273.15)), bubble p = psat(t), dew p = 0.95 psat(t).
// The forward direction is closed-form; enthalpy(p, t) inverts it by Newton's method to full
// precision (the slope never falls below 0.1). The 26-knot spline across enthalpy approximates
// it to a few mK.
struct SmoothFluid {
    static constexpr double A = 10.554, B = 2400.0, R = 0.001;
    static constexpr double hMid = 330.0, W = 40.0, D = 36.0;

    static double psat(double t) { return std::exp(A - B / (t + 273.15)); }
    static double tsat(double p) { return B / (A - std::log(p)) - 273.15; }
    static double rise(double x) { return x - D * std::tanh(x / W); }
    static double temp(double p, double h) { return tsat(p) + rise(h - hMid); }
    static double enthalpy(double p, double t) {
        const double y = t - tsat(p);
        double x = y;
        for (int i = 0; i < 100; ++i) {
            const double c = std::cosh(x / W);
            const double step = (rise(x) - y) / (1.0 - D / W / (c * c));
            x -= step;
            if (std::fabs(step) < 1e-13 * (1.0 + std::fabs(x)))
                break;
        }
        return hMid + x;
    }
    static double density(double p, double h) { return p / (R * (temp(p, h) + 273.15)); }
    static double bubbleP(double t) { return psat(t); }
    static double dewP(double t) { return 0.95 * psat(t); }
    // Saturated liquid and vapour where the flat middle joins the steep ends.
    static double liquidH(double t) { return enthalpy(bubbleP(t), t - 8.0); }
    static double vapourH(double t) { return enthalpy(dewP(t), t + 8.0); }

    static ModelFluid model() {
        ModelFluid f;
        f.bubbleP = bubbleP;
        f.dewP = dewP;
        f.liquidH = liquidH;
        f.vapourH = vapourH;
        f.temp = temp;
        f.density = density;
        f.hFirst = 150.0;
        f.hStep = 14.0;
        f.pLow = 0.3;
        f.pHigh = 40.0;
        return f;
    }
};

}  // namespace tundrix::fixture
