// A physical model of a refrigeration compressor, rated at 10 K suction superheat and 0 K liquid
// subcooling with to a dew and tc a bubble temperature (as the program's property routines take
// them). It gives what a catalogue lists: cooling capacity, power input, current, heat rejection
// and discharge temperature.
#pragma once

#include "datagen/envelope.h"
#include "datagen/fluid.h"

namespace tundrix::datagen {

struct ModelParams {
    // Volumetric efficiency from clearance re-expansion: a - b (pi^(1/n) - 1).
    double a = 0.95;
    double b = 0.05;
    double n = 1.12;  // re-expansion exponent of the refrigerant
    // Isentropic efficiency, peaking at the design pressure ratio:
    // etaPeak / (1 + kIs ln^2(pi / piDesign)).
    double etaPeak = 0.70;
    double piDesign = 5.0;
    double kIs = 0.12;
    // Motor: efficiency at the nominal shaft load, share of losses that do not depend on load,
    // power factor at nominal load and share of magnetising current that does not depend on load.
    double etaMotor = 0.89;
    double fixedLossShare = 0.35;
    double cosPhi = 0.84;
    double fixedReactiveShare = 0.75;
};

// Parameters of a level (1 low, 2 middle, 3 high) for a refrigerant of the table. The
// re-expansion exponent is the refrigerant's fixed one, or 0 where it is to be taken from the
// fluid (resolvedParams).
ModelParams levelParams(int level, int refrigerant);

// The parameters with a re-expansion exponent of 0 replaced by the fluid's
// (reexpansionExponent, datagen/refrigerantdesign.h).
ModelParams resolvedParams(ModelParams params, const Fluid& fluid);

struct ModelPoint {
    double capacity = 0;    // kW
    double power = 0;       // kW, electrical input
    double current = 0;     // A, three-phase 400 V
    double heat = 0;        // kW, heat rejected in the condenser
    double dischargeT = 0;  // degC
    double shaftPower = 0;  // kW
    double etaV = 0;
    double etaIs = 0;
    double pressureRatio = 0;
};

class CompressorModel {
public:
    // The motor is sized for the largest shaft power at the envelope's corners and edge
    // midpoints, so that motor losses and current follow the load over the envelope.
    CompressorModel(const Fluid& fluid, const ModelParams& params, const Envelope& envelope,
                    double displacement);

    ModelPoint rate(double to, double tc) const;

    double displacement() const { return displacement_; }
    double nominalShaftPower() const { return nominalShaft_; }

private:
    ModelPoint thermodynamics(double to, double tc) const;  // without the motor

    const Fluid& fluid_;
    ModelParams params_;
    double displacement_;
    double nominalShaft_ = 0;
};

}  // namespace tundrix::datagen
