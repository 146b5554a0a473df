#include "seasonal/seasonaltext.h"

#include <cmath>

#include "selection/numbers.h"

namespace tundrix {
namespace {

std::string degrees(double t, char sep) {
    return fmt(t, sep) + " °C";
}

}  // namespace

std::string yearsText(int n) {
    const int d = n % 10, h = n % 100;
    const char* word = d == 1 && h != 11                        ? "год"
                       : d >= 2 && d <= 4 && (h < 12 || h > 14) ? "года"
                                                                : "лет";
    return std::to_string(n) + " " + word;
}

std::string verdictText(const UnitSeasonal& s) {
    if (s.application != Application::None && !s.points[0].valid)
        return s.missing;  // without point A neither the metric nor the minimum is known
    if (s.application == Application::None || s.requirement.metric == Metric::None)
        return std::string(kNoRegulationText);
    if (!s.passes)
        return s.missing.empty() ? std::string("нет данных") : s.missing;
    return std::string(*s.passes ? kMeetsText : kFailsText);
}

std::string minimumText(const UnitSeasonal& s, char sep) {
    const Requirement& r = s.requirement;
    if (r.metric == Metric::None)
        return {};
    std::string t = std::string(metricCode(r.metric)) + " ≥ " + fmt(r.minimum, sep);
    if (r.lowGwp)
        t += " (" + fmt(r.minimum2018, sep) + " − 10 % при ПГП < 150)";
    return t;
}

std::string seprText(const UnitSeasonal& s, char sep) {
    if (s.application == Application::None)
        return "не определяется (высокотемпературный)";
    if (std::isfinite(s.sepr))
        return fmt(s.sepr, sep);
    return s.missing.empty() ? std::string("нет данных") : s.missing;
}

std::string annualText(const UnitSeasonal& s, char sep) {
    if (!std::isfinite(s.annualEnergy))
        return s.yearMissing.empty() ? std::string("нет данных") : s.yearMissing;
    std::string t =
        fmt(s.annualEnergy, sep) + " кВт·ч в год; " + fmt(s.annualCost, sep) + " EUR в год";
    if (s.uncoveredHours > 0)
        t += "; нагрузка не покрыта " + fmt(s.uncoveredHours, sep) + " ч";
    return t;
}

std::vector<std::pair<std::string, std::string>> seasonalRows(const UnitSeasonal& s,
                                                              const SeasonalSettings& st,
                                                              char sep) {
    std::vector<std::pair<std::string, std::string>> rows;
    if (s.application != Application::None) {
        const double to = ratingEvaporating(s.application);
        for (const RatingPoint& p : s.points) {
            std::string label = std::string("Точка ") + p.name + " (" + degrees(p.ambient, sep) +
                                ", кипение " + degrees(to, sep) + ")";
            std::string value = p.valid
                                    ? "tк " + degrees(p.tc, sep) + "; " + fmt(p.capacity, sep) +
                                          " кВт; " + fmt(p.power, sep) + " кВт; COP " +
                                          fmt(p.cop, sep) + "; при нагрузке " +
                                          fmt(p.partLoad, sep) + " COP " + fmt(p.cyclingCop, sep)
                                    : std::string("нет данных");
            rows.emplace_back(std::move(label), std::move(value));
        }
    }
    if (s.application != Application::None)
        rows.emplace_back("Условия точек",
                          "всасываемый газ 20 °C, без переохлаждения, "
                          "вентиляторы на полной мощности");
    rows.emplace_back("SEPR", seprText(s, sep));
    if (const std::string m = minimumText(s, sep); !m.empty())
        rows.emplace_back("Минимум с 2018 г.", m);
    rows.emplace_back("Регламент (ЕС) 2015/1095", verdictText(s));
    rows.emplace_back("Минимальная температура конденсации", degrees(st.floor, sep));
    rows.emplace_back("Расчетная нагрузка", std::isfinite(s.designLoad)
                                                ? fmt(s.designLoad, sep) + " кВт"
                                                : std::string("нет данных"));
    rows.emplace_back("Электроэнергия за год", annualText(s, sep));
    rows.emplace_back("Стоимость владения за " + yearsText(st.years),
                      std::isfinite(s.ownershipCost) ? fmt(s.ownershipCost, sep) + " EUR (тариф " +
                                                           fmt(st.tariff, sep) + " EUR/кВт·ч)"
                                                     : std::string("нет данных"));
    return rows;
}

}  // namespace tundrix
