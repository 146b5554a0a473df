// The subcommands of tundrix-cli. Each reads its own options and writes its result to `out`.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "cli/args.h"

namespace tundrix::cli {

enum class Format { Json, Csv };

struct Context {
    std::filesystem::path dataDir;
    Format format = Format::Json;
};

using Command = int (*)(const Context&, const std::vector<std::string>&, std::ostream&);

struct CommandInfo {
    const char* name;
    const char* summary;
    const char* usage;  // shown by --help
    Command run;
};

const std::vector<CommandInfo>& commands();

int runProps(const Context&, const std::vector<std::string>&, std::ostream&);
int runUnit(const Context&, const std::vector<std::string>&, std::ostream&);
int runSelect(const Context&, const std::vector<std::string>&, std::ostream&);
int runCalc(const Context&, const std::vector<std::string>&, std::ostream&);
int runLiquid(const Context&, const std::vector<std::string>&, std::ostream&);
int runReport(const Context&, const std::vector<std::string>&, std::ostream&);
int runList(const Context&, const std::vector<std::string>&, std::ostream&);
int runDump(const Context&, const std::vector<std::string>&, std::ostream&);
int runFit(const Context&, const std::vector<std::string>&, std::ostream&);
int runOpen(const Context&, const std::vector<std::string>&, std::ostream&);
int runOffer(const Context&, const std::vector<std::string>&, std::ostream&);
int runSeasonal(const Context&, const std::vector<std::string>&, std::ostream&);
int runRefrigerants(const Context&, const std::vector<std::string>&, std::ostream&);

// --refrigerant: an index of the refrigerant table; anything else is a UsageError that names
// the table's range.
int refrigerantOption(const Args& a);

// "out", "agr", ..., "on" -> kind index used by the catalogue; throws UsageError otherwise.
int kindFromCode(const std::string& code);

}  // namespace tundrix::cli
