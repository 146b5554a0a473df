// Command-line arguments of tundrix-cli: "--name value" options, "--flag" switches and repeated
// options. A bad argument is reported as a UsageError and ends the program with status 2.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tundrix::cli {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Args {
public:
    // `valued` names the options that take a value, `flags` those that do not; anything else is
    // an error. Values may also be written "--name=value".
    Args(const std::vector<std::string>& argv, const std::set<std::string>& valued,
         const std::set<std::string>& flags);

    bool has(const std::string& name) const { return values_.count(name) || flags_.count(name); }
    bool flag(const std::string& name) const { return flags_.count(name) != 0; }
    std::vector<std::string> all(const std::string& name) const;
    std::optional<std::string> text(const std::string& name) const;
    std::vector<std::string> positional() const { return positional_; }

    // Typed access; a missing required option or a value that does not parse throws UsageError.
    double number(const std::string& name) const;
    double number(const std::string& name, double fallback) const;
    int integer(const std::string& name, int lo, int hi) const;
    int integer(const std::string& name, int lo, int hi, int fallback) const;
    // A comma-separated list of integers within lo..hi ("1,2,4").
    std::vector<int> integers(const std::string& name, int lo, int hi) const;

private:
    std::map<std::string, std::vector<std::string>> values_;
    std::set<std::string> flags_;
    std::vector<std::string> positional_;
};

// Strict parsers used by Args (whole text, "." as the decimal point).
std::optional<double> parseDouble(const std::string& s);
std::optional<int> parseInt(const std::string& s);

}  // namespace tundrix::cli
