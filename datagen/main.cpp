// tundrix-datagen: writes the sample catalogue (the whole data folder) that the program ships
// with. Every figure comes from a physical compressor model and the refrigerants' equations of
// state; two runs give the same bytes.
//
//   tundrix-datagen --out DIR [--refrigerants DIR]
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "catalogue/fileio.h"
#include "catalogue/filenames.h"
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
    "- mass404a.dat, mass22.dat, mass407c.dat, mass134a.dat, mass410a.dat: refrigerant property\n"
    "  tables computed from published reference equations of state (Helmholtz energy) of the\n"
    "  refrigerants.\n"
    "- bock.dat, bitzer.dat, dwmcopeland.dat (polynomial coefficients), mass*.dat and catal*.dat\n"
    "  (scroll performance tables and compressor lists) and condensators.dat: compressors and\n"
    "  condensers rated with a physical compressor model (swept volume, volumetric and isentropic\n"
    "  efficiencies) on those equations of state; the brand and model names are made up.\n"
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
    static constexpr std::array<const char*, 5> kRefr = {"R404A", "R22", "R407C", "R134a", "R410A"};
    std::printf("%-34s", "units per kind");
    for (const char* r : kRefr)
        std::printf("%7s", r);
    std::printf("%8s\n", "lists");
    for (UnitKind kind : kUnitKinds) {
        int lists = 0;
        for (const UnitList& l : units.lists)
            lists += l.kind == kind ? 1 : 0;
        std::printf("%-34s", kindTitle(kind));
        for (int r = 0; r < 5; ++r)
            std::printf("%7d", units.unitCount(kind, r));
        std::printf("%8d\n", lists);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path out, refrigerants;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else if (arg == "--refrigerants" && i + 1 < argc) {
            refrigerants = argv[++i];
        } else {
            return usage();
        }
    }
    if (out.empty())
        return usage();

    const auto start = std::chrono::steady_clock::now();
    int qtArgc = 1;
    auto app = makeAssetApplication(qtArgc, argv);

    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (ec)
        return fail(out.string(), ec.message());

    std::string err;
    if (!writePropertyTables(out, &err, refrigerants))
        return fail("property tables", err);

    std::array<std::unique_ptr<Fluid>, 5> fluidStore;
    FluidSet fluids{};
    for (int r = 0; r < 5; ++r) {
        fluidStore[std::size_t(r)] = loadFluid(r, refrigerants, &err);
        if (!fluidStore[std::size_t(r)])
            return fail("refrigerant " + std::to_string(r), err);
        fluids[std::size_t(r)] = fluidStore[std::size_t(r)].get();
    }
    const CompressorCatalogue compressors = writeCompressorFiles(out, fluids, &err);
    if (compressors.series.empty())
        return fail("compressor files", err);

    UnitCatalogue units = composeUnitLists(compressors);
    AssetWriter assets(out);
    registerAssets(units, assets);
    if (!writeUnitFiles(out, units, &err))
        return fail("unit lists", err);
    if (!assets.finish(&err))
        return fail("unit assets", err);

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
