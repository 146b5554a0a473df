#include "cli/commands.h"

namespace tundrix::cli {

const std::vector<CommandInfo>& commands() {
    static const std::vector<CommandInfo> list = {
        {"props", "refrigerant corrections and saturation properties from the property tables",
         "usage: tundrix-cli props --refrigerant R --to T --tc T [--superheat 10] [--subcool 0]\n"
         "  Prints corrfactor, shfactor and the refrigerating effect at (to, tc, superheat,\n"
         "  subcooling), and the saturated pressures and enthalpies at to and tc.\n"
         "  R names the refrigerant by its index, caption or code, in any case (9, R448A and\n"
         "  448a are the same; a code of digits only takes its R: R22); 'tundrix-cli\n"
         "  refrigerants' lists them. Prints the refrigerant's index, code and caption too.\n",
         runProps},
        {"unit", "capacity, power, heat rejection and current of one catalogued unit",
         "usage: tundrix-cli unit --kind out|agr|mka|glco|glcu|glcr|glck|ov|os|on --brand 1..4\n"
         "         --level 1..3 --refrigerant R --row N --to T (--tc T | --ambient T)\n"
         "         [--superheat 10] [--subcool 0]\n"
         "  Loads the unit list of the kind, brand, level and refrigerant and computes the unit "
         "in\n"
         "  row N (1-based) at evaporating temperature to and condensing temperature tc, or at "
         "the\n"
         "  condensing temperature its condensers settle at for the ambient temperature.\n"
         "  Brands: 1 Bock, 2 Copeland Scroll, 3 Bitzer, 4 Copeland Stream. R is the "
         "refrigerant's\n"
         "  index, caption or code (see 'tundrix-cli refrigerants').\n",
         runUnit},
        {"select", "the selection run of one unit tab, as its button runs it",
         "usage: tundrix-cli select --kind out|agr|mka|glco|glcu|glcr|glck|ov|os|on\n"
         "         --refrigerant R --brands 1,2,3,4 --level 0..5 --to T (--ambient T | --tc T)\n"
         "         [--superheat 10] [--subcool 0] [--capacity Q] [--cheapest] [--racks 2,3,4,5]\n"
         "         [--exchanger 0..3] [--outlet T] [--use-to] [--option K:J ...]\n"
         "         [--save FILE.tundrix [--basket NAME:QTY ...]]\n"
         "  --level is the level choice: 0 all, 1 low, 2 middle, 3 high, 4 low and middle,\n"
         "  5 middle and high. --ambient computes each unit's condensing temperature from the\n"
         "  ambient (units with condensers); --tc takes it as given. --outlet is the "
         "chilled-liquid\n"
         "  outlet temperature (chillers, unless --use-to). --exchanger: 0 plate, 1 shell and "
         "tube,\n"
         "  2 submerged, 3 all. --option K:J ticks option J (1..11) of unit K before the run.\n"
         "  R is the refrigerant's index, caption or code (see 'tundrix-cli refrigerants').\n"
         "  Prints count, cursor row, whether the result pages are hidden, the progress label,\n"
         "  the correction factors and every row: numbers at full precision (null where the grid\n"
         "  shows nothing) and the six grid texts in the locale's number form.\n"
         "  --save writes the calculation file of the run (see 'open'); each --basket puts QTY of\n"
         "  the result unit NAME (as listed or as catalogued) into its basket.\n",
         runSelect},
        {"calc", "the compressor and condenser calculator of the description tab",
         "usage: tundrix-cli calc --brand 1..4 --level 1..3 --refrigerant R --compressor POS\n"
         "         [--count N] [--compressor2 POS --count2 N] --condenser POS [--condensers N]\n"
         "         --to T (--ambient T | --tc T) [--superheat 10] [--subcool 0]\n"
         "  POS are 0-based positions in the calculator's selectors (as listed by the catalogue\n"
         "  for the brand, level and refrigerant R, its index, caption or code: see\n"
         "  'tundrix-cli refrigerants'). --tc types the condensing temperature.\n"
         "  Prints the five results (numbers and shown texts), the envelope and whether the\n"
         "  operating point is inside it.\n",
         runCalc},
        {"liquid", "required capacity and freezing check of the chilled-liquid dialog",
         "usage: tundrix-cli liquid [--liquid 0..2] [--concentration C] --inlet T --outlet T\n"
         "         --flow V [--flow-type 0|1] [--flow-unit I] [--exchanger 0..3]\n"
         "         [--exchanger-history 0,3,...]\n"
         "  Liquids: 0 water, 1 ethylene glycol, 2 propylene glycol (C in per cent by mass).\n"
         "  Flow types: 0 mass (units 0 kg/s, 1 kg/h), 1 volume (0 l/s, 1 l/h, 2 m3/h).\n"
         "  Exchangers: 0 plate, 1 shell and tube, 2 immersed, 3 all; --exchanger-history lists\n"
         "  earlier choices in order, since the freezing check keeps the difference of the last\n"
         "  real exchanger chosen. Fields are read as the dialog reads them: a missing one stops\n"
         "  the calculation, text that is not a number counts as 0.\n"
         "  Prints the capacity (number and shown text), the liquid's freezing point, density and\n"
         "  specific heat, and whether the freezing warning shows.\n",
         runLiquid},
        {"report", "the printed report on one selected unit, as a PDF file",
         "usage: tundrix-cli report --out FILE.pdf [--row R] [select options]\n"
         "         [--liquid 0..2] [--concentration C] [--inlet T] [--flow V] [--flow-type 0|1]\n"
         "         [--flow-unit I] [--date TEXT]\n"
         "  Runs the selection as 'select' does and writes the report \"Выбранная установка\" on\n"
         "  result row R (default: the cursor row): input data, the chilled liquid (chillers),\n"
         "  the result row, the technical data from TD.sqlite, the envelope chart and the\n"
         "  delivery set. The liquid options describe the chilled liquid as the chiller tab shows\n"
         "  it (see 'liquid'); --date replaces the date and time of the calculation.\n"
         "  Fails when no unit stands in row R.\n",
         runReport},
        {"list", "the printed selection list of a selection run, as a PDF file",
         "usage: tundrix-cli list --out FILE.pdf [select options]\n"
         "  Runs the selection as 'select' does and writes the list \"Список выбора\": the\n"
         "  headings and one line per result row, six columns.\n",
         runList},
        {"dump", "any catalogue file (lists, coefficients, tables, prices) as a table",
         "usage: tundrix-cli dump FILE\n"
         "  Prints the content of a catalogue file, its kind told by name and size: a unit list\n"
         "  (every row that holds text, 31 cells), a compressor list (entries with name, position\n"
         "  and envelope), the condenser list, a brand coefficient file (named records of the "
         "four\n"
         "  refrigerant sections: capacity, power, current and fourth coefficients, envelope), a\n"
         "  performance table or property image (every non-zero cell), a price file (the units\n"
         "  with prices and option prices; option names in the summary). Reals carry 17\n"
         "  significant digits so that they read back exactly. FILE is taken as given, else\n"
         "  inside the data folder.\n",
         runDump},
        {"refrigerants", "the refrigerant table: index, caption, file code, safety class, GWP",
         "usage: tundrix-cli refrigerants\n"
         "  Lists every refrigerant the program knows, by its index: caption, file code (each of\n"
         "  the three names the refrigerant for --refrigerant), property table, ASHRAE 34 safety\n"
         "  class, 100-year GWP (IPCC AR4; both refrigerants of R404A/R507 in gwp_all), whether\n"
         "  it is flammable, and the label shown beside the refrigerant selector.\n",
         runRefrigerants},
        {"fit", "the ten-term polynomials through ten catalogue points, as the table builder fits",
         "usage: tundrix-cli fit [FILE|-] [--fourth-only]\n"
         "  Reads ten points from FILE (or standard input), one per line: Q0,W,I,Qmo,t0,tc\n"
         "  (capacity, power, current, the fourth quantity, evaporating and condensing\n"
         "  temperature; '.' as decimal point; ',' ';' or tab between fields). Blank lines and\n"
         "  lines starting with '#' are skipped, a first line that is not numbers is a heading.\n"
         "  Prints the coefficient sets c (Q0), cw (W), ci (I) and mo (Qmo), c1 first, with 17\n"
         "  significant digits, and how far each polynomial misses its own points.\n"
         "  --fourth-only fits mo alone, as \"Только последний столбец\" does.\n",
         runFit},
        {"open", "a saved calculation computed again, with what changed since it was saved",
         "usage: tundrix-cli open FILE.tundrix\n"
         "  Reads the calculation file (written by the program or by 'select --save'), runs the\n"
         "  selection of its shown tab with its inputs and options on the data folder, puts the\n"
         "  cursor on the saved unit and prints what 'select' prints, plus \"basket\" (its rows\n"
         "  and total) and \"differences\": units no longer listed, prices changed since saving,\n"
         "  results that moved by more than 0.5 %. A file that cannot be read is an error.\n",
         runOpen},
        {"offer", "the commercial offer of a saved calculation's basket (PDF) or the basket CSV",
         "usage: tundrix-cli offer FILE.tundrix --out OFFER.pdf [--number N] [--date D]\n"
         "       tundrix-cli --format csv offer FILE.tundrix\n"
         "  Writes the offer \"Коммерческое предложение\": the basket's items with options,\n"
         "  quantities, prices and costs, the total in EUR, the conditions of the calculation and\n"
         "  a technical block per catalogue unit. Number and date default to the time of saving.\n"
         "  With --format csv the basket table and its total go to standard output (UTF-8 with\n"
         "  a byte-order mark, ';' between fields, the locale's decimal separator).\n",
         runOffer},
    };
    return list;
}

}  // namespace tundrix::cli
