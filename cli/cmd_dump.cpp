// tundrix-cli dump: any catalogue file as a table, read through the program's own file images.
#include <ostream>
#include <stdexcept>
#include <system_error>

#include "catalogue/fileio.h"
#include "cli/commands.h"
#include "tools/catalogdumpcore.h"

namespace tundrix::cli {

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
    else
        writeDumpJson(dump, out);
    return 0;
}

}  // namespace tundrix::cli
