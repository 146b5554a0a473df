#include "cli/args.h"

#include <charconv>
#include <cmath>

namespace tundrix::cli {

std::optional<double> parseDouble(const std::string& s) {
    double v = 0;
    const auto* end = s.data() + s.size();
    auto [p, ec] = std::from_chars(s.data(), end, v);
    if (s.empty() || ec != std::errc() || p != end || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<int> parseInt(const std::string& s) {
    int v = 0;
    const auto* end = s.data() + s.size();
    auto [p, ec] = std::from_chars(s.data(), end, v);
    if (s.empty() || ec != std::errc() || p != end) return std::nullopt;
    return v;
}

Args::Args(const std::vector<std::string>& argv, const std::set<std::string>& valued,
           const std::set<std::string>& flags) {
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (a.rfind("--", 0) != 0 || a.size() == 2) {
            positional_.push_back(a);
            continue;
        }
        std::string name = a.substr(2);
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        if (flags.count(name)) {
            if (inlineValue) throw UsageError("option --" + name + " takes no value");
            flags_.insert(name);
        } else if (valued.count(name)) {
            if (!inlineValue) {
                if (i + 1 >= argv.size()) throw UsageError("option --" + name + " needs a value");
                inlineValue = argv[++i];
            }
            values_[name].push_back(*inlineValue);
        } else {
            throw UsageError("unknown option --" + name);
        }
    }
}

std::vector<std::string> Args::all(const std::string& name) const {
    const auto it = values_.find(name);
    return it == values_.end() ? std::vector<std::string>{} : it->second;
}

std::optional<std::string> Args::text(const std::string& name) const {
    const auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    if (it->second.size() > 1) throw UsageError("option --" + name + " given more than once");
    return it->second.front();
}

double Args::number(const std::string& name) const {
    const auto t = text(name);
    if (!t) throw UsageError("missing option --" + name);
    const auto v = parseDouble(*t);
    if (!v) throw UsageError("--" + name + ": not a number: " + *t);
    return *v;
}

double Args::number(const std::string& name, double fallback) const {
    return has(name) ? number(name) : fallback;
}

int Args::integer(const std::string& name, int lo, int hi) const {
    const auto t = text(name);
    if (!t) throw UsageError("missing option --" + name);
    const auto v = parseInt(*t);
    if (!v || *v < lo || *v > hi)
        throw UsageError("--" + name + ": expected an integer " + std::to_string(lo) + ".." +
                         std::to_string(hi) + ", got " + *t);
    return *v;
}

int Args::integer(const std::string& name, int lo, int hi, int fallback) const {
    return has(name) ? integer(name, lo, hi) : fallback;
}

std::vector<int> Args::integers(const std::string& name, int lo, int hi) const {
    const auto t = text(name);
    if (!t) throw UsageError("missing option --" + name);
    std::vector<int> out;
    std::size_t start = 0;
    while (start <= t->size()) {
        const std::size_t end = std::min(t->find(',', start), t->size());
        const auto v = parseInt(t->substr(start, end - start));
        if (!v || *v < lo || *v > hi)
            throw UsageError("--" + name + ": expected integers " + std::to_string(lo) + ".." +
                             std::to_string(hi) + " separated by commas, got " + *t);
        out.push_back(*v);
        start = end + 1;
    }
    return out;
}

}  // namespace tundrix::cli
