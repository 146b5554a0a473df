// tundrix-cli fit: the table builder's "Коэффициенты" on ten catalogue points given as CSV, for
// checking a compressor's coefficients without the window.
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <iostream>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "calculation/jsontext.h"
#include "cli/commands.h"
#include "tools/catalogdumpcore.h"
#include "tools/tablebuildercore.h"

namespace tundrix::cli {

namespace {

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

std::vector<std::string> splitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    for (char ch : line) {
        if (ch == ',' || ch == ';' || ch == '\t') {
            fields.push_back(trim(field));
            field.clear();
        } else {
            field.push_back(ch);
        }
    }
    fields.push_back(trim(field));
    return fields;
}

// Ten rows "Q0, W, I, Qmo, t0, tc"; blank lines and lines starting with '#' are skipped, and a
// first line that is not numbers is taken as the heading.
PointTable readPoints(std::istream& in, const std::string& source) {
    PointTable points{};
    int count = 0;
    int lineNo = 0;
    bool first = true;
    std::string line;
    while (std::getline(in, line)) {
        ++lineNo;
        const std::string t = trim(line);
        if (t.empty() || t.front() == '#')
            continue;
        const auto fields = splitFields(t);
        bool numbers = fields.size() == 6;
        PointRow row{};
        for (std::size_t i = 0; numbers && i < 6; ++i) {
            const auto v = parseDouble(fields[i]);
            numbers = v.has_value();
            if (v)
                row[i] = *v;
        }
        const bool heading = first && !numbers;
        first = false;
        if (heading)
            continue;
        if (!numbers)
            throw std::runtime_error(
                source + " line " + std::to_string(lineNo) +
                ": expected six numbers Q0,W,I,Qmo,t0,tc with '.' as decimal point");
        if (count == 10)
            throw std::runtime_error(source + ": more than ten points (line " +
                                     std::to_string(lineNo) + ")");
        points[std::size_t(count++)] = row;
    }
    if (count != 10)
        throw std::runtime_error(source + ": " + std::to_string(count) +
                                 " points, the fit takes ten");
    return points;
}

}  // namespace

int runFit(const Context& ctx, const std::vector<std::string>& argv, std::ostream& out) {
    const Args a(argv, {}, {"fourth-only"});
    const auto files = a.positional();
    if (files.size() > 1)
        throw UsageError("fit takes one file of points (or none for standard input)");
    PointTable points;
    if (files.empty() || files[0] == "-") {
        points = readPoints(std::cin, "standard input");
    } else {
        std::ifstream in(files[0]);
        if (!in)
            throw std::runtime_error("cannot read " + files[0]);
        points = readPoints(in, files[0]);
    }
    const bool fourthOnly = a.flag("fourth-only");
    CoefSets sets;
    fitCoefSets(points, fourthOnly, sets);

    static const char* const names[4] = {"c", "cw", "ci", "mo"};
    // How far each polynomial misses its own points: a check on the point set (a singular set
    // gives meaningless coefficients and large misses).
    double miss[4] = {0, 0, 0, 0};
    for (const PointRow& p : points) {
        const auto v = evaluateCoefSets(sets, p[PointT0], p[PointTc]);
        for (int s = 0; s < 4; ++s)
            miss[s] = std::max(miss[s], std::fabs(v[std::size_t(s)] - p[std::size_t(s)]));
    }
    const int firstSet = fourthOnly ? 3 : 0;
    if (ctx.format == Format::Csv) {
        out << "set,c1,c2,c3,c4,c5,c6,c7,c8,c9,c10,max_deviation\n";
        for (int s = firstSet; s < 4; ++s) {
            out << names[s];
            for (double c : sets[s])
                out << ',' << dumpReal(c);
            out << ',' << dumpReal(miss[s]) << '\n';
        }
        return 0;
    }
    Json doc = Json::object();
    Json deviations = Json::object();
    for (int s = firstSet; s < 4; ++s) {
        doc[names[s]] = sets[s];
        deviations[names[s]] = miss[s];
    }
    doc["max_deviation"] = std::move(deviations);
    writeJson(out, doc, -1, JsonReals::Digits17);
    out << '\n';
    return 0;
}

}  // namespace tundrix::cli
