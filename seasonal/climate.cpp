#include "seasonal/climate.h"

#include <array>
#include <cmath>
#include <optional>

#include "selection/numbers.h"

namespace tundrix {
namespace {

// clang-format off
constexpr std::array<double, 58> kReferenceHours = {
    0.08,   0.41,   0.65,   1.05,   1.74,   2.98,   3.79,   5.69,   8.94,   11.81,
    17.29,  20.02,  28.73,  39.71,  56.61,  76.36,  106.07, 153.22, 203.41, 247.98,
    282.01, 275.91, 300.61, 310.77, 336.48, 350.48, 363.49, 368.91, 371.63, 377.32,
    376.53, 386.42, 389.84, 384.45, 370.45, 344.96, 328.02, 305.36, 261.87, 223.90,
    196.31, 163.04, 141.78, 121.93, 104.46, 85.77,  71.54,  56.57,  43.35,  31.02,
    20.21,  11.85,  8.17,   3.83,   2.09,   1.21,   0.52,   0.40};
// clang-format on

const std::array<ClimateBin, 58> kReference = [] {
    std::array<ClimateBin, 58> bins{};
    for (std::size_t j = 0; j < bins.size(); ++j)
        bins[j] = {double(j) - 19.0, kReferenceHours[j]};
    return bins;
}();

// A number written with a decimal point or a decimal comma.
std::optional<double> number(std::string_view s) {
    if (auto v = parseNumber(s, '.'))
        return v;
    return parseNumber(s, ',');
}

std::string trimmed(std::string_view s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string_view::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r");
    return std::string(s.substr(b, e - b + 1));
}

std::string numberText(double x) {
    return formatGeneral(x, ',');
}

}  // namespace

std::span<const ClimateBin> referenceClimate() {
    return kReference;
}

double climateHours(std::span<const ClimateBin> bins) {
    double total = 0;
    for (const ClimateBin& b : bins)
        total += b.hours;
    return total;
}

std::string checkClimate(std::span<const ClimateBin> bins) {
    if (bins.empty())
        return "в файле климата нет ни одного интервала температур";
    if (bins.size() > std::size_t(kMaxClimateBins))
        return "интервалов температур больше " + std::to_string(kMaxClimateBins);
    for (const ClimateBin& b : bins) {
        if (!std::isfinite(b.t) || !std::isfinite(b.hours))
            return "температура и часы должны быть числами";
        if (b.hours < 0)
            return "отрицательное число часов при " + numberText(b.t) + " °C";
    }
    if (const double total = climateHours(bins); total > kMaxClimateHours)
        return "сумма часов " + numberText(total) + " больше " + numberText(kMaxClimateHours);
    return {};
}

ClimateFile parseClimate(std::string_view text) {
    ClimateFile f;
    int line = 0;
    bool first = true;
    while (!text.empty()) {
        const auto nl = text.find('\n');
        const std::string row = trimmed(text.substr(0, nl));
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        ++line;
        if (line == 1 && row.starts_with("\xEF\xBB\xBF"))  // a byte-order mark
            continue;
        if (row.empty() || row.front() == '#')
            continue;
        const auto semi = row.find(';');
        const auto t = number(trimmed(std::string_view(row).substr(0, semi)));
        if (first && !t) {
            first = false;
            continue;  // a heading
        }
        first = false;
        const auto rest = semi == std::string::npos ? std::string() : row.substr(semi + 1);
        const auto h = number(trimmed(rest));
        if (!t || !h || rest.find(';') != std::string::npos) {
            f.error = "строка " + std::to_string(line) +
                      ": ожидались температура и число часов через \";\"";
            f.bins.clear();
            return f;
        }
        if (f.bins.size() == std::size_t(kMaxClimateBins)) {
            f.error = checkClimate(std::vector<ClimateBin>(std::size_t(kMaxClimateBins) + 1));
            f.bins.clear();
            return f;
        }
        f.bins.push_back({*t, *h});
    }
    f.error = checkClimate(f.bins);
    if (!f.ok())
        f.bins.clear();
    return f;
}

}  // namespace tundrix
