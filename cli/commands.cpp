#include "cli/commands.h"

#include <array>

namespace tundrix::cli {

const std::vector<CommandInfo>& commands() {
    static const std::vector<CommandInfo> list = {
        {"props", "refrigerant corrections and saturation properties from the property tables",
         "usage: tundrix-cli props --refrigerant 0..4 --to T --tc T [--superheat 10] [--subcool 0]\n"
         "  Prints corrfactor, shfactor and the refrigerating effect at (to, tc, superheat,\n"
         "  subcooling), and the saturated pressures and enthalpies at to and tc.\n"
         "  Refrigerants: 0 R404A/R507, 1 R22, 2 R407C, 3 R134a, 4 R410A.\n",
         runProps},
        {"unit", "capacity, power, heat rejection and current of one catalogued unit",
         "usage: tundrix-cli unit --kind out|agr|mka|glco|glcu|glcr|glck|ov|os|on --brand 1..4\n"
         "         --level 1..3 --refrigerant 0..4 --row N --to T (--tc T | --ambient T)\n"
         "         [--superheat 10] [--subcool 0]\n"
         "  Loads the unit list of the kind, brand, level and refrigerant and computes the unit in\n"
         "  row N (1-based) at evaporating temperature to and condensing temperature tc, or at the\n"
         "  condensing temperature its condensers settle at for the ambient temperature.\n"
         "  Brands: 1 Bock, 2 Copeland Scroll, 3 Bitzer, 4 Copeland Stream.\n",
         runUnit},
    };
    return list;
}

int kindFromCode(const std::string& code) {
    static const std::array<const char*, 10> codes = {"out",  "agr",  "mka", "glco", "glcu",
                                                      "glcr", "glck", "ov",  "os",   "on"};
    for (std::size_t i = 0; i < codes.size(); ++i)
        if (code == codes[i]) return int(i);
    throw UsageError("--kind: expected out, agr, mka, glco, glcu, glcr, glck, ov, os or on, got " +
                     code);
}

}  // namespace tundrix::cli
