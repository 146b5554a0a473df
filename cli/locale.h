// The decimal separator of the user's locale, for the grid texts the command line prints.
#pragma once

namespace tundrix::cli {

// '.' or ',' as the environment's numeric locale (LC_ALL, LC_NUMERIC, LANG) writes numbers.
char localeDecimalSeparator();

}  // namespace tundrix::cli
