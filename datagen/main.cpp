// tundrix-datagen: writes the sample catalogue (the whole data folder) that the program ships
// with. Every figure comes from a physical compressor model and the refrigerants' equations of
// state; two runs give the same bytes.
//
//   tundrix-datagen --out DIR [--refrigerants DIR]
#include <QProcess>
#include <QStringList>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "catalogue/fileio.h"
#include "catalogue/filenames.h"
#include "catalogue/refrigerants.h"
#include "datagen/assets.h"
#include "datagen/compressors.h"
#include "datagen/fluid.h"
#include "datagen/propertytables.h"
#include "datagen/units.h"
#include "datagen/unitsassets.h"
#include "datagen/unitsfiles.h"

namespace {

using namespace tundrix;
using namespace tundrix::datagen;

constexpr std::string_view kReadme =
    "Sample catalogue of Tundrix\n"
    "===========================\n"
    "\n"
    "Everything in this folder was written by tundrix-datagen. The figures are synthetic: they\n"
    "describe no real product and must not be used to select real equipment.\n"
    "\n"
    "- mass404a.dat, mass22.dat, mass407c.dat, mass134a.dat, mass410a.dat and, for the later\n"
    "  refrigerants, mass<code>.dat (mass290.dat, mass32.dat, ...): refrigerant property tables\n"
    "  computed from published reference equations of state (Helmholtz energy); those of the\n"
    "  blends R448A, R449A, R452A, R454B, R454C and R513A from the mixture model of their\n"
    "  components' equations.\n"
    "- bock.dat, bitzer.dat, dwmcopeland.dat (polynomial coefficients; bock<code>.dat and so\n"
    "  on for the later refrigerants), mass*.dat and catal*.dat (scroll performance tables and\n"
    "  compressor lists) and condensators.dat: compressors and condensers rated with a physical\n"
    "  compressor model (swept volume, volumetric and isentropic efficiencies) on those\n"
    "  equations of state; the brand and model names are made up.\n"
    "- agrdata/: unit lists, composed the way the unit list editor composes them.\n"
    "- Pricedata/: price files that match the unit lists row by row; prices in EUR are invented.\n"
    "- images/, TechnicalData/, Complect/, Textfiles/, TD.sqlite: pictures, dimension drawings,\n"
    "  delivery sets, descriptions and technical data drawn from the same figures.\n"
    "\n"
    "Run the generator again to restore the folder: tundrix-datagen --out <this folder>\n"
    "\n"
    "This catalogue is free data, licensed like the program under the GNU General Public\n"
    "License, version 3 or (at your option) any later version; the licence text is the file\n"
    "COPYING of the program's sources.\n";

int usage() {
    std::fprintf(stderr, "usage: tundrix-datagen --out DIR [--refrigerants DIR]\n");
    return 2;
}

// The drawings and texts of the units take most of the time. A second process of the generator
// draws every second unit's ("--render-share 1/2"): one process cannot use a second core for
// them, since the font rasteriser serialises its threads.
constexpr int kShares = 2;

// "K/N" of --render-share: the share this process draws.
bool parseShare(std::string_view text, int& share, int& shares) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return false;
    const std::string k(text.substr(0, slash)), n(text.substr(slash + 1));
    char* end = nullptr;
    share = int(std::strtol(k.c_str(), &end, 10));
    if (k.empty() || *end != '\0')
        return false;
    shares = int(std::strtol(n.c_str(), &end, 10));
    return !n.empty() && *end == '\0' && shares >= 2 && share >= 1 && share < shares;
}

// Starts the helper processes that draw shares 1..n-1; an empty list when the machine has one
// core or none could be started (this process then draws everything).
std::vector<std::unique_ptr<QProcess>> startHelpers(const std::filesystem::path& out,
                                                    const std::filesystem::path& refrigerants) {
    std::vector<std::unique_ptr<QProcess>> helpers;
    if (std::thread::hardware_concurrency() < 2)
        return helpers;
    for (int k = 1; k < kShares; ++k) {
        auto p = std::make_unique<QProcess>();
        QStringList args{QStringLiteral("--out"), QString::fromStdString(out.string()),
                         QStringLiteral("--render-share"),
                         QStringLiteral("%1/%2").arg(k).arg(kShares)};
        if (!refrigerants.empty())
            args << QStringLiteral("--refrigerants")
                 << QString::fromStdString(refrigerants.string());
        p->setStandardOutputFile(QProcess::nullDevice());
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(), args);
        if (!p->waitForStarted())
            return {};
        helpers.push_back(std::move(p));
    }
    return helpers;
}

// Waits for the helpers; false when one did not finish its share.
bool helpersSucceeded(std::vector<std::unique_ptr<QProcess>>& helpers) {
    bool ok = true;
    for (auto& p : helpers) {
        p->waitForFinished(-1);
        ok = ok && p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0;
    }
    return ok;
}

int fail(std::string_view what, const std::string& why) {
    std::fprintf(stderr, "tundrix-datagen: %.*s: %s\n", int(what.size()), what.data(), why.c_str());
    return 1;
}

const char* kindTitle(UnitKind kind) {
    switch (kind) {
        case UnitKind::Out:
            return "condensing units (out)";
        case UnitKind::Agr:
            return "compressor-receiver units (agr)";
        case UnitKind::Mka:
            return "racks (mka)";
        case UnitKind::Glco:
            return "chillers ГЛЦО (glco)";
        case UnitKind::Glcu:
            return "chillers ГЛЦУ (glcu)";
        case UnitKind::Glcr:
            return "chillers ГЛЦР (glcr)";
        case UnitKind::Glck:
            return "chillers ГЛЦК (glck)";
        case UnitKind::Ov:
            return "chillers ОВ (ov)";
        case UnitKind::Os:
            return "chillers ОС (os)";
        case UnitKind::On:
            return "chillers ОН (on)";
        case UnitKind::None:
            break;
    }
    return "";
}

void printCounts(const UnitCatalogue& units) {
    std::printf("%-34s", "units per kind");
    for (const Refrigerant& r : kRefrigerantTable) {
        // "R404A/R507" -> "R404A": the column is narrow.
        const std::string_view caption = r.caption.substr(0, r.caption.find('/'));
        std::printf("%11.*s", int(caption.size()), caption.data());
    }
    std::printf("%8s\n", "lists");
    for (UnitKind kind : kUnitKinds) {
        int lists = 0;
        for (const UnitList& l : units.lists)
            lists += l.kind == kind ? 1 : 0;
        std::printf("%-34s", kindTitle(kind));
        for (int r = 0; r < kRefrigerants; ++r)
            std::printf("%11d", units.unitCount(kind, r));
        std::printf("%8d\n", lists);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path out, refrigerants;
    int share = 0, shares = 1;  // a helper draws share k of n and writes nothing else
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else if (arg == "--refrigerants" && i + 1 < argc) {
            refrigerants = argv[++i];
        } else if (arg == "--render-share" && i + 1 < argc) {
            if (!parseShare(argv[++i], share, shares))
                return usage();
        } else {
            return usage();
        }
    }
    if (out.empty())
        return usage();
    const bool helper = shares > 1;

    const auto start = std::chrono::steady_clock::now();
    int qtArgc = 1;
    auto app = makeAssetApplication(qtArgc, argv);

    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (ec)
        return fail(out.string(), ec.message());

    std::string err;
    std::vector<std::unique_ptr<QProcess>> helpers;
    if (!helper) {
        helpers = startHelpers(out, refrigerants);
        if (!helpers.empty())
            shares = kShares;
        if (!writePropertyTables(out, &err, refrigerants))
            return fail("property tables", err);
    }

    std::array<std::unique_ptr<Fluid>, kRefrigerants> fluidStore;
    FluidSet fluids{};
    for (int r = 0; r < kRefrigerants; ++r) {
        fluidStore[std::size_t(r)] = loadFluid(r, refrigerants, &err);
        if (!fluidStore[std::size_t(r)])
            return fail("refrigerant " + std::to_string(r), err);
        fluids[std::size_t(r)] = fluidStore[std::size_t(r)].get();
    }
    const CompressorCatalogue compressors =
        helper ? buildCompressorCatalogue(fluids) : writeCompressorFiles(out, fluids, &err);
    if (compressors.series.empty())
        return fail("compressor files", err);

    UnitCatalogue units = composeUnitLists(compressors);
    AssetWriter assets(out);
    registerAssets(units, assets);
    if (helper)
        return assets.finish(&err, share, shares) ? 0 : fail("unit assets", err);
    if (!writeUnitFiles(out, units, &err))
        return fail("unit lists", err);
    if (!assets.finish(&err, 0, shares))
        return fail("unit assets", err);
    if (!helpersSucceeded(helpers))
        return fail("unit assets", "the second drawing process failed");

    const std::string readme(kReadme);
    if (!writeFileAtomic(out / "README.txt",
                         {reinterpret_cast<const std::uint8_t*>(readme.data()), readme.size()},
                         &err))
        return fail("README.txt", err);

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    printCounts(units);
    std::printf("unit lists: %zu, generated in %.1f s\n", units.lists.size(), seconds);
    return 0;
}
