#include "datagen/assets.h"

#include "catalogue/fileio.h"
#include "datagen/assetnames.h"
#include "datagen/techdatabase.h"
#include "datagen/unitdrawing.h"
#include "datagen/unitgeometry.h"
#include "datagen/unitpicture.h"
#include "datagen/unittexts.h"

#include <QHashSeed>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <span>
#include <system_error>

namespace tundrix::datagen {
namespace {

// Longest file name stem that keeps every path within a 50-character cell:
// "TechnicalData\" (14) + stem + ".pdf" (4).
constexpr std::size_t kStemLength = 32;

// One unit in twenty is left without a technical-data record, chosen by its name so that the
// choice does not depend on the order in which units are added.
// A kind without a table gets no record either.
bool keepsRecord(const AssetUnit& unit) {
    return !techDataFieldNames(techDataTable(unit.kindCode)).empty() &&
           fnv1a(unit.kindCode + "/" + unit.name) % 20 != 7;
}

std::filesystem::path utf8Path(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string lowered(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

struct AssetWriter::Impl {
    struct Entry {
        AssetUnit unit;
        AssetPaths paths;
        std::string stem;
    };

    std::filesystem::path outDir;
    std::vector<Entry> entries;                      // in the order units were first added
    std::map<std::string, std::size_t> byUnit;       // kind + name -> entry
    std::set<std::string> usedStems;                 // lower case: names differ on any disk
    std::map<std::string, PictureVariant> pictures;  // file name -> variant
    std::map<std::string, long long> lastKey;        // table -> last key given

    std::string uniqueStem(const std::string& name) {
        std::string stem = fileStemFor(name, kStemLength);
        for (int n = 2; usedStems.count(lowered(stem)) != 0; ++n) {
            const std::string suffix = "_" + std::to_string(n);
            std::string base = fileStemFor(name, kStemLength - suffix.size());
            stem = base + suffix;
        }
        usedStems.insert(lowered(stem));
        return stem;
    }

    bool write(const std::filesystem::path& relative, std::span<const std::uint8_t> bytes,
               std::string* error) {
        std::string why;
        if (writeFileAtomic(outDir / relative, bytes, &why))
            return true;
        if (error)
            *error = why;
        return false;
    }
    bool write(const std::filesystem::path& relative, const QByteArray& bytes, std::string* error) {
        if (bytes.isEmpty()) {
            if (error)
                *error = "nothing rendered for " + relative.string();
            return false;
        }
        return write(relative,
                     std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                               static_cast<std::size_t>(bytes.size())),
                     error);
    }
    bool write(const std::filesystem::path& relative, const std::string& bytes,
               std::string* error) {
        return write(relative,
                     std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                     error);
    }
};

AssetWriter::AssetWriter(std::filesystem::path outDir) : impl_(std::make_unique<Impl>()) {
    impl_->outDir = std::move(outDir);
}

AssetWriter::~AssetWriter() = default;

AssetPaths AssetWriter::add(const AssetUnit& unit) {
    const std::string id = unit.kindCode + '\n' + unit.name;
    if (const auto found = impl_->byUnit.find(id); found != impl_->byUnit.end()) {
        auto& known = impl_->entries[found->second].unit.refrigerants;
        for (const auto& r : unit.refrigerants) {
            if (std::find(known.begin(), known.end(), r) == known.end())
                known.push_back(r);
        }
        return impl_->entries[found->second].paths;
    }

    Impl::Entry e;
    e.unit = unit;
    e.stem = impl_->uniqueStem(unit.name);
    const PictureVariant variant = PictureVariant::of(unit);
    impl_->pictures.emplace(variant.fileName(), variant);
    e.paths.picturepath = "images\\" + variant.fileName();
    e.paths.imagepath = "TechnicalData\\" + e.stem + ".pdf";
    e.paths.complectpath = "Complect\\" + e.stem + ".txt";
    e.paths.textpath = "Textfiles\\" + e.stem + ".txt";
    if (keepsRecord(unit))
        e.paths.techdata = std::to_string(++impl_->lastKey[techDataTable(unit.kindCode)]);

    impl_->byUnit.emplace(id, impl_->entries.size());
    impl_->entries.push_back(std::move(e));
    return impl_->entries.back().paths;
}

bool AssetWriter::finish(std::string* error, int share, int shares) {
    if (shares < 1 || share < 0 || share >= shares) {
        if (error)
            *error = "no such share of the unit files";
        return false;
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        if (error)
            *error = "pictures and drawings need a QGuiApplication";
        return false;
    }
    // Font subsetting in the PDF writer walks hash tables; with the process's random hash seed
    // the embedded fonts, and so the drawings, would differ from run to run.
    QHashSeed::setDeterministicGlobalSeed();
    std::error_code ec;
    for (const char* folder : {"images", "TechnicalData", "Complect", "Textfiles"}) {
        std::filesystem::create_directories(impl_->outDir / folder, ec);
        if (ec) {
            if (error)
                *error = "cannot create " + (impl_->outDir / folder).string() + ": " + ec.message();
            return false;
        }
    }

    const auto& entries = impl_->entries;
    for (std::size_t i = std::size_t(share); i < entries.size(); i += std::size_t(shares)) {
        const Impl::Entry& e = entries[i];
        const UnitGeometry g = unitGeometry(e.unit);
        if (!impl_->write(std::filesystem::path("TechnicalData") / (e.stem + ".pdf"),
                          renderUnitDrawing(e.unit), error) ||
            !impl_->write(std::filesystem::path("Complect") / (e.stem + ".txt"),
                          textFileBytes(deliverySetText(e.unit, g)), error) ||
            !impl_->write(std::filesystem::path("Textfiles") / (e.stem + ".txt"),
                          textFileBytes(descriptionText(e.unit, g)), error))
            return false;
    }
    if (share != 0)
        return true;

    if (!impl_->write("images/None.jpg", encodeJpeg(renderNoPicture()), error))
        return false;
    for (const auto& [file, variant] : impl_->pictures) {
        if (!impl_->write(std::filesystem::path("images") / file,
                          encodeJpeg(renderUnitPicture(variant)), error))
            return false;
    }
    if (!impl_->write(utf8Path("Complect/Нет.txt"), textFileBytes(noDeliverySetText()), error) ||
        !impl_->write(utf8Path("Textfiles/Нет.txt"), textFileBytes(noDescriptionText()), error))
        return false;

    std::map<std::string, std::vector<TechDataRow>> rows;
    for (const auto& e : entries) {
        if (!e.paths.techdata.empty())
            rows[techDataTable(e.unit.kindCode)].push_back(
                {std::stoll(e.paths.techdata), techDataValues(e.unit, unitGeometry(e.unit))});
    }
    return writeTechDatabase(impl_->outDir / "TD.sqlite", rows, error);
}

std::unique_ptr<QGuiApplication> makeAssetApplication(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Fixed from the start, so that hash order never depends on the run (see finish()).
    QHashSeed::setDeterministicGlobalSeed();
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace tundrix::datagen
