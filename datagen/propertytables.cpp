#include "datagen/propertytables.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <system_error>

#include "catalogue/refrigerants.h"
#include "engine/propertytable.h"

namespace tundrix::datagen {

namespace {

using Branch = EosFluid::Branch;

// Step of the one-sided differences that give the slopes at the saturation lines (kJ/kg).
constexpr double kBridgeStep = 1.0;

// Saturated-table columns.
constexpr int kSatT = 1, kSatPBubble = 2, kSatPDew = 3, kSatRhoL = 4, kSatRhoV = 5, kSatHL = 6,
              kSatHV = 7;
// Block fields.
constexpr int kFieldT = 1, kFieldP = 2, kFieldRho = 3, kFieldH = 4, kFieldBridge = 5;

// Value, first and second derivative of t and ln(rho) against h at one end of the dome.
struct EndData {
    double t, tH, tHH;
    double r, rH, rHH;
};

// Quintic Hermite interpolation on u in [0, 1] that matches value, first and second derivative
// (with respect to u) at both ends: the bridge is C2 where it meets the single-phase states.
double quinticHermite(double u, double f0, double d0, double s0, double f1, double d1, double s1) {
    const double u2 = u * u, u3 = u2 * u, u4 = u3 * u, u5 = u4 * u;
    const double h0 = 1 - 10 * u3 + 15 * u4 - 6 * u5;
    const double h1 = u - 6 * u3 + 8 * u4 - 3 * u5;
    const double h2 = 0.5 * (u2 - 3 * u3 + 3 * u4 - u5);
    const double h3 = 10 * u3 - 15 * u4 + 6 * u5;
    const double h4 = -4 * u3 + 7 * u4 - 3 * u5;
    const double h5 = 0.5 * (u3 - 2 * u4 + u5);
    return f0 * h0 + d0 * h1 + s0 * h2 + f1 * h3 + d1 * h4 + s1 * h5;
}

// Slopes at a saturation line from four exact states stepping away from it (sign -1 towards
// lower enthalpy on the liquid side, +1 towards higher on the vapour side).
EndData endData(const std::array<FluidState, 4>& f, double sign) {
    auto first = [&](double a0, double a1, double a2, double a3) {
        return sign * (-11 * a0 + 18 * a1 - 9 * a2 + 2 * a3) / (6 * kBridgeStep);
    };
    auto second = [&](double a0, double a1, double a2, double a3) {
        return (2 * a0 - 5 * a1 + 4 * a2 - a3) / (kBridgeStep * kBridgeStep);
    };
    const double r0 = std::log(f[0].rho), r1 = std::log(f[1].rho), r2 = std::log(f[2].rho),
                 r3 = std::log(f[3].rho);
    return {f[0].t,
            first(f[0].t, f[1].t, f[2].t, f[3].t),
            second(f[0].t, f[1].t, f[2].t, f[3].t),
            r0,
            first(r0, r1, r2, r3),
            second(r0, r1, r2, r3)};
}

// One pressure row of the superheated table while it is being built: the last single-phase
// state of each block, to start the next row's Newton iteration from.
struct Continuation {
    std::array<MolarState, kBlocks> state{};
    std::array<int, kBlocks> kind{};  // 0 none, 1 liquid, 2 vapour
};

class ImageBuilder {
public:
    explicit ImageBuilder(const EosFluid& fluid)
        : fluid_(fluid), perKg_(1000.0 * fluid.massPerMol()) {}

    bool build(GridImage& image) {
        fillSaturated(image);
        knots_ = blockEnthalpies(fluid_);
        const auto pressures = gridPressures(fluid_);
        for (int i = 0; i < kPressureRows; ++i) {
            if (!fillRow(image, kBlockFirstRow + i, pressures[std::size_t(i)]))
                return false;
        }
        return true;
    }

private:
    void fillSaturated(GridImage& image) const {
        const auto temps = saturatedTemperatures();
        for (int j = 0; j < kSatRows; ++j) {
            const double t = temps[std::size_t(j)];
            const int row = kSatFirstRow + j;
            const FluidState l = fluid_.bubbleLiquid(t);
            const FluidState v = fluid_.dewVapour(t);
            image.set(row, kSatT, t);
            image.set(row, kSatPBubble, l.p);
            image.set(row, kSatPDew, v.p);
            image.set(row, kSatRhoL, l.rho);
            image.set(row, kSatRhoV, v.rho);
            image.set(row, kSatHL, l.h);
            image.set(row, kSatHV, v.h);
        }
    }

    // States at h' - i*step (liquid) or h'' + i*step (vapour), i = 0..3.
    bool sideStates(double pPa, const MolarState& sat, Branch branch,
                    std::array<FluidState, 4>& out) const {
        out[0] = fluid_.toFluidState(sat);
        MolarState prev = sat;
        const double dir = branch == Branch::Liquid ? -1.0 : 1.0;
        for (int i = 1; i < 4; ++i) {
            MolarState st;
            if (!fluid_.solvePH(pPa, sat.h + dir * i * kBridgeStep * perKg_, branch, prev, st)) {
                return false;
            }
            out[std::size_t(i)] = fluid_.toFluidState(st);
            prev = st;
        }
        return true;
    }

    bool fillRow(GridImage& image, int row, double pBar) {
        const double pPa = pBar * 1e5;
        const EosFluid::Saturation sat = fluid_.saturationAtP(pPa);
        if (!sat.ok)
            return false;
        const double hL = sat.liquid.h / perKg_;
        const double hV = sat.vapour.h / perKg_;
        bool haveEnds = false;
        EndData liq{}, vap{};
        for (int k = 0; k < kBlocks; ++k) {
            const double hk = knots_[std::size_t(k)];
            double t = 0, rho = 0;
            bool bridge = false;
            if (hk <= hL || hk >= hV) {
                const Branch branch = hk <= hL ? Branch::Liquid : Branch::Vapour;
                const int kind = branch == Branch::Liquid ? 1 : 2;
                const MolarState& start = cont_.kind[std::size_t(k)] == kind
                                              ? cont_.state[std::size_t(k)]
                                              : (kind == 1 ? sat.liquid : sat.vapour);
                MolarState st;
                if (!fluid_.solvePH(pPa, hk * perKg_, branch, start, st))
                    return false;
                cont_.state[std::size_t(k)] = st;
                cont_.kind[std::size_t(k)] = kind;
                const FluidState f = fluid_.toFluidState(st);
                t = f.t;
                rho = f.rho;
            } else {
                if (!haveEnds) {
                    std::array<FluidState, 4> l, v;
                    if (!sideStates(pPa, sat.liquid, Branch::Liquid, l) ||
                        !sideStates(pPa, sat.vapour, Branch::Vapour, v)) {
                        return false;
                    }
                    liq = endData(l, -1.0);
                    vap = endData(v, 1.0);
                    haveEnds = true;
                }
                // Not a physical state: a smooth curve across the dome that joins the liquid and
                // vapour sides with matching slope and curvature, so that the splines across the
                // blocks see no kink at the saturation lines.
                const double H = hV - hL;
                const double u = (hk - hL) / H;
                t = quinticHermite(u, liq.t, H * liq.tH, H * H * liq.tHH, vap.t, H * vap.tH,
                                   H * H * vap.tHH);
                rho = std::exp(quinticHermite(u, liq.r, H * liq.rH, H * H * liq.rHH, vap.r,
                                              H * vap.rH, H * H * vap.rHH));
                bridge = true;
                cont_.kind[std::size_t(k)] = 0;
            }
            image.set(row, blockColumn(k, kFieldT), t);
            image.set(row, blockColumn(k, kFieldP), pBar);
            image.set(row, blockColumn(k, kFieldRho), rho);
            image.set(row, blockColumn(k, kFieldH), hk);
            image.set(row, blockColumn(k, kFieldBridge), bridge ? 1.0 : 0.0);
        }
        return true;
    }

    const EosFluid& fluid_;
    const double perKg_;  // J/mol per kJ/kg
    std::array<double, kBlocks> knots_{};
    Continuation cont_;
};

}  // namespace

std::array<double, kSatRows> saturatedTemperatures() {
    std::array<double, kSatRows> t{};
    std::size_t i = 0;
    // 5 K steps up to 40 degC, then closer towards the critical point, where h' and h'' bend.
    for (int v = -70; v <= 40; v += 5)
        t[i++] = v;
    for (double v : {44, 48, 52, 56, 59, 62, 64, 66, 67, 68, 69, 70})
        t[i++] = v;
    return t;
}

std::array<double, kBlocks> blockEnthalpies(const Fluid& fluid) {
    std::array<double, kBlocks> knots{};
    // Liquid: from the subcooled liquid of the lowest condensing pressure to the saturated
    // liquid at 65 degC, with one knot beyond each end.
    const double pc20 = fluid.pBubble(20);
    const double pc65 = fluid.pBubble(65);
    const double hLo = fluid.atTP(0, pc20).h;
    const double hHi = fluid.bubbleLiquid(65).h;
    const double dl = (hHi - hLo) / 6.5;
    for (int i = 0; i < kLiquidKnots; ++i)
        knots[std::size_t(i)] = hLo + (i - 1) * dl;
    // Vapour: from the lowest saturated-vapour enthalpy of the duty range to the hottest suction
    // or discharge gas, with one knot beyond each end.
    const double vLo = std::min({fluid.dewVapour(-50).h, fluid.dewVapour(fluid.tDew(pc20)).h,
                                 fluid.dewVapour(fluid.tDew(pc65)).h});
    const double vHi = std::max(fluid.atTP(80, pc20).h, fluid.atTP(55, fluid.pDew(15)).h);
    const double dv = (vHi - vLo) / 13;
    for (int i = 0; i < kVapourKnots; ++i) {
        knots[std::size_t(kLiquidKnots + 1 + i)] = vLo + (i - 1) * dv;
    }
    // One knot in the gap keeps the spline across the blocks from swinging between the ranges.
    knots[kLiquidKnots] = 0.5 * (knots[kLiquidKnots - 1] + knots[kLiquidKnots + 1]);
    return knots;
}

std::array<double, kPressureRows> gridPressures(const Fluid& fluid) {
    std::array<double, kPressureRows> p{};
    const double lo = std::log(fluid.pDew(-62));
    const double hi = std::log(fluid.pBubble(68));
    for (int i = 0; i < kPressureRows; ++i) {
        p[std::size_t(i)] = std::exp(lo + (hi - lo) * i / (kPressureRows - 1));
    }
    p[0] = std::exp(lo);
    p[kPressureRows - 1] = std::exp(hi);
    return p;
}

std::optional<GridImage> buildPropertyImage(const EosFluid& fluid) {
    GridImage image;
    ImageBuilder builder(fluid);
    if (!builder.build(image))
        return std::nullopt;
    return image;
}

std::optional<GridImage> buildPropertyImage(int refrigerant,
                                            const std::filesystem::path& refrigerantDir,
                                            std::string* err) {
    // Where the image comes from is the refrigerant table's say.
    std::unique_ptr<EosFluid> fluid = loadEosFluid(refrigerant, refrigerantDir, err);
    if (!fluid)
        return std::nullopt;
    std::optional<GridImage> image = buildPropertyImage(*fluid);
    if (!image && err)
        *err = "the property table of " + fluid->name() + " could not be computed";
    return image;
}

bool writePropertyTables(const std::filesystem::path& outDir, std::string* err,
                         const std::filesystem::path& refrigerantDir) {
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    for (int i = 0; i < kRefrigerants; ++i) {
        const std::optional<GridImage> image = buildPropertyImage(i, refrigerantDir, err);
        if (!image || !image->save(outDir / std::string(refFileName(i)), err))
            return false;
    }
    return true;
}

}  // namespace tundrix::datagen
