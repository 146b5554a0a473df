#include "datagen/unitgeometry.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace tundrix::datagen {
namespace {

int round10(double mm) {
    return static_cast<int>(std::lround(mm / 10.0)) * 10;
}
int round5(double kg) {
    return std::max(5, static_cast<int>(std::lround(kg / 5.0)) * 5);
}

}  // namespace

int standardAbove(double need, std::initializer_list<int> sizes) {
    for (int s : sizes)
        if (s >= need)
            return s;
    return *(sizes.end() - 1);
}

UnitFamily familyOf(const std::string& kindCode) {
    if (kindCode == "agr")
        return UnitFamily::Receiver;
    if (kindCode == "mka")
        return UnitFamily::Rack;
    if (kindCode == "out")
        return UnitFamily::Condensing;
    return UnitFamily::Chiller;
}

UnitGeometry unitGeometry(const AssetUnit& unit) {
    UnitGeometry g;
    g.family = familyOf(unit.kindCode);
    const int n = std::clamp(std::max(unit.count1, 0) + std::max(unit.count2, 0), 1, 12);
    const double capacity = unit.capacity > 0 ? unit.capacity : 5.0 * n;
    const double q = capacity / n;  // per compressor, kW
    const double sq = std::sqrt(std::max(q, 0.5));

    g.compressors = n;
    g.compLength = round10(260 + 28 * sq);
    g.compDepth = round10(220 + 20 * sq);
    g.compHeight = round10(280 + 30 * sq);
    g.compGap = 120;
    g.frameHeight = capacity > 60 ? 140 : 100;
    const int row = n * g.compLength + (n - 1) * g.compGap;

    g.hasVessel = g.family != UnitFamily::Condensing;
    if (g.hasVessel) {
        const double perVessel = g.family == UnitFamily::Chiller ? 16 : 12;
        g.vesselDiameter = round10(std::clamp(160 + perVessel * std::sqrt(capacity), 200.0, 900.0));
        g.vesselLength = std::max(row - 100, 700);
    }
    const int bay = std::max(row, g.vesselLength);
    g.bayStart = 150 + (bay - row) / 2;
    g.compBase = g.frameHeight + (g.hasVessel ? g.vesselDiameter + 60 : 0);

    int x = 150 + bay;
    int height = g.compBase + g.compHeight + 80;

    g.hasPanel = g.family == UnitFamily::Rack || g.family == UnitFamily::Chiller;
    if (g.hasPanel) {
        g.panelX = x + 100;
        g.panelWidth = n > 3 ? 800 : 600;
        g.panelHeight = std::max(1200, height - g.frameHeight);
        x = g.panelX + g.panelWidth;
        height = std::max(height, g.frameHeight + g.panelHeight);
    }

    g.hasCondenser = !unit.condenser.empty() && unit.condenserCount > 0;
    if (g.hasCondenser) {
        const int fans = std::clamp(std::max(unit.fans, 1) * unit.condenserCount, 1, 16);
        g.fanDiameter = unit.fanPower < 0.2   ? 450
                        : unit.fanPower < 0.4 ? 500
                        : unit.fanPower < 0.8 ? 630
                                              : 800;
        g.fanRows = fans > 4 ? 2 : 1;
        g.fansPerRow = (fans + g.fanRows - 1) / g.fanRows;
        g.condLength = g.fansPerRow * (g.fanDiameter + 120) + 200;
        g.condHeight = g.fanRows * (g.fanDiameter + 120) + 200;
        g.condDepth = g.fanDiameter > 500 ? 420 : 350;
        g.condX = x + 100;
        x = g.condX + g.condLength;
        height = std::max(height, g.frameHeight + g.condHeight);
    }

    g.length = round10(x + 150);
    g.height = round10(height + (g.family == UnitFamily::Chiller ? 100 : 0));
    const int inner = std::max({g.compDepth, g.vesselDiameter, g.condDepth});
    g.depth = round10(inner + (g.family == UnitFamily::Chiller ? 500 : 300));

    double mass = 0.025 * g.length + n * (25 + 3.2 * q);
    if (g.hasVessel)
        mass += 20 + 0.9 * std::sqrt(capacity) * g.vesselDiameter / 100.0;
    if (g.hasPanel)
        mass += 60 + 10 * n;
    if (g.hasCondenser) {
        const double d = g.fanDiameter / 500.0;
        mass += g.fanRows * g.fansPerRow * 38 * d * d;
    }
    if (g.family == UnitFamily::Chiller)
        mass += 0.05 * g.length;
    g.mass = round5(mass);

    g.suctionLine = standardAbove(8 + 6 * std::sqrt(capacity),
                                  {12, 16, 18, 22, 28, 35, 42, 54, 64, 76, 89, 108});
    g.liquidLine =
        standardAbove(5 + 2.6 * std::sqrt(capacity), {10, 12, 16, 18, 22, 28, 35, 42, 54});
    // Water at 5 K rise (4.19 kJ/(kg K)) and about 1.5 m/s in the pipe.
    const double flow = capacity * 3.6 / (4.19 * 5.0);  // m3/h
    g.waterNominal =
        standardAbove(18.8 * std::sqrt(flow / 1.5), {20, 25, 32, 40, 50, 65, 80, 100, 125, 150});
    return g;
}

}  // namespace tundrix::datagen
