#include "datagen/refrigerantdesign.h"

#include <cmath>

namespace tundrix::datagen {
namespace {

using Corners = std::array<std::array<double, 2>, 6>;
using Offers = std::array<bool, 3>;

constexpr Offers kNone{false, false, false};
constexpr Offers kAll{true, true, true};
constexpr Offers kLowMiddle{true, true, false};
constexpr Offers kMiddleHigh{false, true, true};
constexpr Offers kHigh{false, false, true};

// Envelopes the original five share.
constexpr Corners kMiddle5{{{-20, 25}, {0, 25}, {5, 33}, {5, 55}, {-10, 55}, {-20, 45}}};
constexpr Corners kHigh5{{{-5, 30}, {5, 30}, {15, 40}, {15, 65}, {0, 65}, {-5, 55}}};
constexpr Corners kLow134a{{{-35, 20}, {-15, 20}, {-10, 28}, {-10, 50}, {-25, 50}, {-35, 40}}};
constexpr Corners kMiddle134a{{{-20, 25}, {5, 25}, {15, 38}, {15, 60}, {-10, 60}, {-20, 50}}};
constexpr Corners kHigh410a{{{-10, 30}, {5, 30}, {15, 38}, {15, 60}, {0, 60}, {-10, 50}}};
// R448A and R449A, nearly the same blend: the discharge temperature runs some 10 K above
// R404A's, so the low level's cut at the coldest evaporating temperatures lies lower; a
// condensing unit at a 30 degC ambient (some 45..50 degC condensing) stays inside, as R404A's do.
constexpr Corners kLow448{{{-45, 20}, {-25, 20}, {-20, 28}, {-20, 50}, {-30, 50}, {-45, 30}}};
// R452A, of the highest discharge temperatures, stops at 45 degC condensing at the low level.
constexpr Corners kLow452{{{-45, 20}, {-25, 20}, {-20, 28}, {-20, 45}, {-30, 45}, {-45, 30}}};
constexpr Corners kMiddle448{{{-25, 25}, {0, 25}, {5, 33}, {5, 55}, {-10, 55}, {-25, 42}}};
constexpr Corners kHigh448{{{-5, 30}, {5, 30}, {15, 40}, {15, 55}, {0, 55}, {-5, 45}}};

// A design row names its refrigerant by the table's file code.
struct KeyedDesign {
    std::string_view code;
    RefrigerantDesign design;
};

// Low-temperature machines stop at moderate condensing temperatures (discharge temperature),
// high-temperature ones reach far up; the to-span stays within 35 K and the pressure ratio above
// about 1.9, where the ten-term polynomial still follows the compressor closely. Each envelope is
// convex with two corner cuts of different slope, so that no conic passes through its corners.
// Levels no series uses still get a plausible envelope.
// clang-format off
constexpr std::array<KeyedDesign, kRefrigerants> kDesigns = {{
    // R404A/R507: no high level (the calculator lists none), polynomial brands low and middle.
    {"404a", {{kLowMiddle, kLowMiddle, kLowMiddle, kLowMiddle},
     {{{{{-45, 20}, {-25, 20}, {-20, 28}, {-20, 50}, {-30, 50}, {-45, 33}}},
       kMiddle5,
       {{{-5, 30}, {5, 30}, {15, 40}, {15, 55}, {0, 55}, {-5, 45}}}}},
     1.10, ""}},
    // R22: every brand and level.
    {"22", {{kAll, kAll, kAll, kAll},
     {{{{{-40, 20}, {-20, 20}, {-15, 28}, {-15, 50}, {-25, 50}, {-40, 35}}}, kMiddle5, kHigh5}},
     1.16, ""}},
    // R407C: no low level.
    {"407c", {{kMiddleHigh, kMiddleHigh, kMiddleHigh, kMiddleHigh},
     {{{{{-35, 20}, {-20, 20}, {-15, 28}, {-15, 50}, {-25, 50}, {-35, 40}}}, kMiddle5, kHigh5}},
     1.13, ""}},
    // R134a: every brand and level.
    {"134a", {{kAll, kAll, kAll, kAll},
     {{kLow134a, kMiddle134a, {{{-5, 30}, {10, 30}, {20, 42}, {20, 70}, {0, 70}, {-5, 60}}}}},
     1.10, ""}},
    // R410A: high-pressure scrolls for air conditioning only (the brand files have no R410A
    // section).
    {"410a", {{kNone, kHigh, kNone, kNone}, {{kHigh410a, kHigh410a, kHigh410a}}, 1.14, "", 'P', "",
              true}},
    // R290 (A3): the charge limits of a flammable refrigerant keep propane in hermetic scrolls
    // and small semi-hermetic compressors; low discharge temperatures and a capacity near R22's
    // suit every level. No large semi-hermetic (Copeland Stream) series.
    {"290", {{kLowMiddle, kAll, kAll, kNone},
     {{{{{-40, 20}, {-20, 20}, {-15, 28}, {-15, 55}, {-25, 55}, {-40, 38}}},
       {{{-25, 25}, {0, 25}, {5, 33}, {5, 58}, {-10, 58}, {-25, 45}}},
       {{{-5, 30}, {5, 30}, {15, 42}, {15, 60}, {0, 60}, {-5, 50}}}}},
     0, "P"}},
    // R32 (A2L): the discharge temperature runs some 25 K above R410A's, so there is no low
    // level and the upper left of each envelope is cut along a discharge temperature of about
    // 125..135 degC; high-pressure scrolls (air conditioning, heat pumps, chillers) and small
    // semi-hermetics for the middle and high levels.
    {"32", {{kMiddleHigh, kMiddleHigh, kNone, kNone},
     {{{{{-30, 20}, {-15, 20}, {-10, 28}, {-10, 40}, {-20, 40}, {-30, 32}}},
       {{{-25, 25}, {0, 25}, {5, 33}, {5, 55}, {-10, 50}, {-25, 35}}},
       {{{-10, 30}, {5, 30}, {15, 38}, {15, 60}, {5, 60}, {-10, 45}}}}},
     0, "Z", 0, "", true}},
    // R1234yf (A2L): R134a's pressures at a little less capacity; the replacement of R134a in
    // medium- and high-temperature machines and chillers, offered by every brand there.
    {"1234yf", {{kMiddleHigh, kMiddleHigh, kMiddleHigh, kMiddleHigh},
     {{kLow134a, kMiddle134a, {{{-5, 30}, {10, 30}, {20, 42}, {20, 65}, {0, 65}, {-5, 57}}}}},
     0, "Y"}},
    // R1234ze(E) (A2L): the lowest pressures of all, for high-temperature machines, chillers and
    // heat pumps only; it needs about a third more displacement than R134a for the same
    // capacity, so the series are sized like R134a's.
    {"1234ze", {{kHigh, kHigh, kHigh, kHigh},
     {{kLow134a, kMiddle134a, {{{-5, 30}, {5, 30}, {25, 50}, {25, 70}, {5, 70}, {-5, 55}}}}},
     0, "E", 0, "134a"}},
    // R448A and R449A: the replacements of R404A/R507 in racks and condensing units, low and
    // middle temperature, offered by every brand.
    {"448a", {{kLowMiddle, kLowMiddle, kLowMiddle, kLowMiddle}, {{kLow448, kMiddle448, kHigh448}},
              0, "N"}},
    {"449a", {{kLowMiddle, kLowMiddle, kLowMiddle, kLowMiddle}, {{kLow448, kMiddle448, kHigh448}},
              0, "T"}},
    // R452A: transport refrigeration, in semi-hermetics and scrolls (no large Copeland Stream
    // series); at the low level it needs a lower condensing limit to keep a COP above 1.
    {"452a", {{kLowMiddle, kLowMiddle, kLowMiddle, kNone}, {{kLow452, kMiddle5, kHigh448}}, 0,
              "K"}},
    // R454B (A2L): the replacement of R410A in air conditioning, heat pumps and chillers, in
    // high-pressure scrolls and Bitzer semi-hermetics for the high level.
    {"454b", {{kNone, kHigh, kHigh, kNone}, {{kHigh410a, kHigh410a, kHigh410a}}, 0, "B", 0, "",
              true}},
    // R454C (A2L): low-GWP condensing units, low and middle temperature, in scrolls and small
    // semi-hermetics; its glide (some 8 K) and low pressures keep it out of the large series.
    {"454c", {{kLowMiddle, kLowMiddle, kLowMiddle, kNone},
     {{{{{-40, 20}, {-20, 20}, {-15, 28}, {-15, 50}, {-25, 50}, {-40, 35}}},
       {{{-25, 25}, {0, 25}, {5, 33}, {5, 55}, {-10, 55}, {-25, 45}}},
       kHigh5}},
     0, "C"}},
    // R513A: the replacement of R134a at R134a's capacity in high-temperature machines and
    // chillers, offered by every brand there.
    {"513a", {{kHigh, kHigh, kHigh, kHigh},
     {{kLow134a, kMiddle134a, {{{-5, 30}, {10, 30}, {20, 42}, {20, 68}, {0, 68}, {-5, 58}}}}},
     0, "X"}},
}};
// clang-format on

// Every refrigerant of the table has exactly one design row, and every row a refrigerant: a
// refrigerant added to the table does not build until the generator knows how to offer it.
constexpr bool designsCoverTheTable() {
    for (const Refrigerant& r : kRefrigerantTable) {
        int rows = 0;
        for (const KeyedDesign& d : kDesigns)
            rows += d.code == r.code ? 1 : 0;
        if (rows != 1)
            return false;
    }
    for (const KeyedDesign& d : kDesigns)
        if (refrigerantIndex(d.code) < 0 ||
            (!d.design.sizedLike.empty() && refrigerantIndex(d.design.sizedLike) < 0))
            return false;
    return true;
}
static_assert(designsCoverTheTable());

}  // namespace

const RefrigerantDesign& refrigerantDesign(int refrigerant) {
    static constexpr RefrigerantDesign kNoDesign{};
    if (validRefrigerant(refrigerant))
        for (const KeyedDesign& d : kDesigns)
            if (d.code == refrigerantEntry(refrigerant).code)
                return d.design;
    return kNoDesign;
}

double isentropicExponent(const Fluid& fluid, double dewT, double superheat) {
    const double p = fluid.pDew(dewT);
    const FluidState a = fluid.atTP(dewT + superheat, p);
    // A small isentropic compression: kappa = d ln p / d ln rho.
    constexpr double kStep = 1e-4;
    const FluidState b = fluid.atPS(p * (1 + kStep), a.s);
    return std::log1p(kStep) / std::log(b.rho / a.rho);
}

double reexpansionExponent(const Fluid& fluid) {
    return std::round(isentropicExponent(fluid, -35.0, 10.0) * 100.0) / 100.0;
}

double volumetricEffect(const Fluid& fluid, double to, double tc) {
    const FluidState suction = fluid.atTP(to + 10.0, fluid.pDew(to));
    return suction.rho * (suction.h - fluid.bubbleLiquid(tc).h);
}

}  // namespace tundrix::datagen
