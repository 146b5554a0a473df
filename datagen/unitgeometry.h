// Overall dimensions and the main parts of a unit as the drawings and the technical data show
// them. The figures are a plausible model, not a design: they grow with the capacity of each
// compressor, the number of compressors and the condenser's fans, and are rounded the way a
// catalogue would print them (10 mm, 5 kg).
#pragma once

#include <initializer_list>

#include "datagen/assets.h"

namespace tundrix::datagen {

enum class UnitFamily { Condensing, Receiver, Rack, Chiller };

UnitFamily familyOf(const std::string& kindCode);

struct UnitGeometry {
    UnitFamily family = UnitFamily::Condensing;
    int length = 0, depth = 0, height = 0;  // overall, mm
    int frameHeight = 0;                    // base frame (skid) height, mm

    int compressors = 1;  // compressors shown (both types together, at least 1)
    int compLength = 0, compDepth = 0, compHeight = 0;
    int compGap = 0;
    int bayStart = 0;  // x of the first compressor, mm from the left end
    int compBase = 0;  // height of the compressors' feet above the floor

    bool hasVessel = false;  // receiver (receiver units, racks) or evaporator (chillers)
    int vesselDiameter = 0, vesselLength = 0;

    bool hasPanel = false;  // control panel at the right end of the machine bay
    int panelX = 0, panelWidth = 0, panelHeight = 0;

    bool hasCondenser = false;  // upright air-cooled condenser at the right end
    int condX = 0, condLength = 0, condHeight = 0, condDepth = 0;
    int fanRows = 0, fansPerRow = 0, fanDiameter = 0;

    int mass = 0;  // kg

    // Pipe connections: copper line outside diameters (mm) and, for chillers, the nominal size
    // of the liquid inlet and outlet.
    int suctionLine = 0, liquidLine = 0, waterNominal = 0;
};

UnitGeometry unitGeometry(const AssetUnit& unit);

// The smallest standard size that is at least `need` (the largest when none is).
int standardAbove(double need, std::initializer_list<int> sizes);

}  // namespace tundrix::datagen
