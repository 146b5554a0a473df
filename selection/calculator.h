// The calculator of the description tab: one or two compressor groups and one condenser group
// assembled by hand, computed from the calculator's own lists in the catalogue (comprlist,
// comprpos, calcgrid for Copeland Scroll tables; brandcoef, brandpos for the brand tables;
// conderlist). The window passes its selector positions, counts and field texts and shows the
// texts that come back.
#pragma once

#include <array>
#include <string>

#include "catalogue/catalogue.h"
#include "engine/cyclestate.h"

namespace tundrix {

inline constexpr std::string_view kOutOfEnvelopeText = "Вне границ диапазона";

struct CalculatorInputs {
    int brand = 2;             // ComboBox7 index + 1: 2 table mode, 1, 3, 4 polynomial mode
    int level = 1;             // ComboBox9 index + 1
    int refrigerant = 0;       // index of the refrigerant table
    int compressor1 = 0;       // Selectcompr item index
    int compressor2 = 0;       // Selectcompr2 item index
    int condenser = 0;         // condensator item index
    bool secondGroup = false;  // CheckBox4 "Использовать второй компрессор"
    bool typedCondensing = false;  // CheckBox2 "Указать температуру конденсации"
    int count1 = 1;                // Edit12
    int count2 = 1;                // Edit24
    int condenserCount = 1;  // Edit13
    std::string evaporate = "-25";
    std::string ambient = "30";  // Edit7
    std::string condensate = "45";
    std::string superheat = "10";
    std::string subcool = "0";
    char decimalSeparator = ',';
};

// What the calculator shows chosen (its selectors and counts, with the catalogue's brand-table
// brand and condenser code of the chosen items): what the unit list editor composes a unit from.
struct CalculatorChoice {
    std::string model1;  // Selectcompr's current item
    int pos1 = -1;       // its position
    std::string model2;  // Selectcompr2's current item
    int pos2 = -1;
    bool second = false;  // CheckBox4 "Использовать второй компрессор"
    int mapped1 = 0;      // brandpos[pos1] (brand-table brands)
    int mapped2 = 0;      // brandpos[pos2]
    std::string condenserName;  // condensator's current item
    int condenserPos = -1;
    std::string pol;               // short code of that condenser
    std::string count1 = "1";      // Edit12
    std::string count2 = "1";      // Edit24
    std::string condensers = "1";  // Edit13
    bool noCondenser = false;  // CheckBox2 "Указать температуру конденсации"
};

// What condensatorChange shows for a condenser: rated capacity, fans, current of one fan.
struct CondenserDisplay {
    double capacity = 0;
    int numfuns = 0;
    double funsCurrent = 0;
    std::string edit4, edit5, edit6;
};

struct CalculatorResult {
    // Numbers at full precision (NaN when they cannot be computed) and the shown texts, rounded
    // to hundredths: condensate, solution, Edit1, Edit2, Edit3.
    double to = 0;
    double tc = 0;
    double capacity = 0, power = 0, heat = 0, current = 0;
    std::string condensate, solution, edit1, edit2, edit3;
    // Corners of compressor 1's envelope as x1, y1, ..., x6, y6 (evaporating, condensing).
    std::array<double, 12> envelope{};
    bool outOfEnvelope = false;  // Label15 "Вне границ диапазона" shown
    // False when the chosen compressor cannot be computed (no list, no data, position out of
    // range); the numbers are then NaN and the texts empty.
    bool computed = false;
    CondenserDisplay condenser;  // the chosen condenser (Edit4..Edit6)
};

// The displays of condenser item `position` of the calculator's condenser list.
CondenserDisplay condensatorChange(const Catalogue& catalogue, int position, char decimalSeparator);

// "Рассчитать": loads the refrigerant's property table into the cycle state, sets its superheat,
// subcooling, shfactor, corrfactor and condfactor, and computes the assembled machine.
CalculatorResult Action3Execute(const Catalogue& catalogue, CycleState& cycle,
                                const CalculatorInputs& in);

}  // namespace tundrix
