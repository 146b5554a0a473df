// tundrix-cli dump: any catalogue file as a table, read through the program's own file images.
#include <nlohmann/json.hpp>

#include <ostream>
#include <stdexcept>
#include <system_error>

#include "catalogue/fileio.h"
#include "cli/commands.h"
#include "cli/documents.h"
#include "tools/catalogdumpcore.h"

namespace tundrix::cli {

namespace {

// A text cell as a string, a number as a number; a real that is not finite stays an empty text.
Json cellJson(const DumpCell& cell) {
    if (!cell.number)
        return cell.text;
    if (cell.integer)
        return static_cast<long long>(cell.value);
    return cell.value;
}

}  // namespace

Json dumpDocument(const CatalogDump& d) {
    Json summary = Json::object();
    for (const auto& [name, value] : d.summary)
        summary[name] = cellJson(value);
    Json rows = Json::array();
    for (const auto& row : d.rows) {
        Json cells = Json::array();
        for (const DumpCell& cell : row)
            cells.push_back(cellJson(cell));
        rows.push_back(std::move(cells));
    }
    return {{"kind", catalogFileKindName(d.kind)},
            {"summary", std::move(summary)},
            {"columns", d.columns},
            {"rows", std::move(rows)}};
}

int runDump(const Context& ctx, const std::vector<std::string>& argv, std::ostream& out) {
    const Args a(argv, {}, {});
    const std::vector<std::string> files = a.positional();
    if (files.size() != 1)
        throw UsageError("dump: expected one FILE");
    // A path as given; failing that, the same relative path inside the data folder.
    std::filesystem::path file = files[0];
    std::error_code ec;
    if (!std::filesystem::exists(file, ec) && file.is_relative())
        if (auto inData = resolveDataPath(ctx.dataDir, files[0]);
            inData && std::filesystem::exists(*inData, ec))
            file = *inData;
    CatalogDump dump;
    std::string error;
    if (!dumpCatalogFile(file, dump, error))
        throw std::runtime_error(error);
    if (ctx.format == Format::Csv)
        writeDumpCsv(dump, out);
    else {
        writeJson(out, dumpDocument(dump), -1, JsonReals::Digits17);
        out << '\n';
    }
    return 0;
}

}  // namespace tundrix::cli
