// What the maintenance windows take from the rest of the program: the data folder they read and
// write, and the calculator's current choice, asked for at the moment a unit is composed. The
// windows that create them fill it in; the tools know nothing of the window the choice comes from.
#pragma once

#include <filesystem>
#include <functional>

#include "selection/calculator.h"

namespace tundrix {

struct MaintenanceContext {
    std::filesystem::path dataDir;
    // The calculator's choice as it stands; without one, "Добавить" composes from an empty
    // choice (no compressor, no condenser).
    std::function<CalculatorChoice()> calculatorChoice;
};

}  // namespace tundrix
