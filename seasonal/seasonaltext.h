// The seasonal figures as the windows, the printed report and the commercial offer say them, in
// the user's number form.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "seasonal/unitseasonal.h"

namespace tundrix {

inline constexpr std::string_view kMeetsText =
    "соответствует требованиям Регламента (ЕС) 2015/1095";
inline constexpr std::string_view kFailsText = "не соответствует";
inline constexpr std::string_view kNoRegulationText = "Регламент (ЕС) 2015/1095 не нормирует";

// What the figures rest on, said beside them.
inline constexpr std::string_view kRatingBasisText =
    "Точки A-D: воздух 32/25/15/5 °C, кипение -35 °C (НТ) или -10 °C (СТ), всасываемый газ "
    "20 °C, без переохлаждения; конденсация по балансу конденсатора, не ниже минимальной; "
    "вентиляторы на полной мощности во всех точках; Cdc 0,25.";

// "соответствует требованиям ..." / "не соответствует" / no regulation figure / why not known.
std::string verdictText(const UnitSeasonal& s);

// "SEPR ≥ 2,55" (with "(ПГП < 150: −10 %)" when the allowance applies); empty without a metric.
std::string minimumText(const UnitSeasonal& s, char sep);

// "3,01", or why there is none ("нет данных в точке D"; "не определяется" for high-temperature
// units).
std::string seprText(const UnitSeasonal& s, char sep);

// The rows of the report's section: the four points, SEPR, minimum, verdict, the year.
std::vector<std::pair<std::string, std::string>> seasonalRows(const UnitSeasonal& s,
                                                              const SeasonalSettings& st, char sep);

// "1 год", "3 года", "10 лет".
std::string yearsText(int n);

// The year in one line: "12345,6 кВт·ч в год; 1851,8 EUR в год; не покрыто 0 ч".
std::string annualText(const UnitSeasonal& s, char sep);

}  // namespace tundrix
