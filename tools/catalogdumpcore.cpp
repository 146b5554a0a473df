#include "tools/catalogdumpcore.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <system_error>

#include "catalogue/byteimage.h"
#include "catalogue/coefimage.h"
#include "catalogue/filenames.h"
#include "catalogue/pricefile.h"
#include "catalogue/records.h"
#include "catalogue/unitlisttable.h"
#include "tools/pricefillcore.h"

namespace fs = std::filesystem;

namespace tundrix {

const char* catalogFileKindName(CatalogFileKind kind) {
    switch (kind) {
        case CatalogFileKind::UnitList:
            return "unit list";
        case CatalogFileKind::CompressorList:
            return "compressor list";
        case CatalogFileKind::CondenserList:
            return "condenser list";
        case CatalogFileKind::BrandCoefficients:
            return "brand coefficients";
        case CatalogFileKind::PerformanceTable:
            return "performance table";
        case CatalogFileKind::PropertyImage:
            return "property image";
        case CatalogFileKind::PriceFile:
            return "price file";
    }
    return "";
}

namespace {

std::uintmax_t layoutSize(CatalogFileKind kind) {
    switch (kind) {
        case CatalogFileKind::UnitList:
            return UnitListTable::kSize;
        case CatalogFileKind::CompressorList:
            return Comprprop::kSize;
        case CatalogFileKind::CondenserList:
            return Condenserprop::kSize;
        case CatalogFileKind::BrandCoefficients:
            return CoefImage::kSize;
        case CatalogFileKind::PerformanceTable:
        case CatalogFileKind::PropertyImage:
            return GridImage::kSize;
        case CatalogFileKind::PriceFile:
            return PriceFile::kSize;
    }
    return 0;
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

bool startsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

std::optional<CatalogFileKind> kindFromName(const fs::path& file) {
    const std::string name = lower(file.filename().string());
    const std::string folder = lower(file.parent_path().filename().string());
    if (name.size() < 5 || name.substr(name.size() - 4) != ".dat")
        return std::nullopt;
    if (name == "condensators.dat")
        return CatalogFileKind::CondenserList;
    for (int r = 0; r < kRefrigerants; ++r) {
        for (int b = 1; b <= kBrands; ++b)
            if (name == coefficientFileName(b, r))
                return CatalogFileKind::BrandCoefficients;
        if (name == refrigerantEntry(r).propertyFile)
            return CatalogFileKind::PropertyImage;
    }
    if (startsWith(name, "mass"))
        return CatalogFileKind::PerformanceTable;
    if (startsWith(name, "catal"))
        return CatalogFileKind::CompressorList;
    if (startsWith(name, "mashine"))
        return CatalogFileKind::PriceFile;
    if (folder == "agrdata")
        return CatalogFileKind::UnitList;
    return std::nullopt;
}

DumpCell textCell(std::string s) {
    return {std::move(s), false};
}
DumpCell intCell(long long v) {
    return {std::to_string(v), true, true, double(v)};
}
DumpCell realCell(double v) {
    return {dumpReal(v), std::isfinite(v), false, v};
}

template <typename Image>
bool readImage(const fs::path& file, Image& image, std::string& error) {
    image.clear();
    if (!image.load(file)) {
        error = "cannot read " + file.string();
        return false;
    }
    return true;
}

void dumpUnitList(const UnitListTable& t, CatalogDump& d) {
    d.columns.push_back("row");
    for (int c = 0; c < UnitListTable::kColumns; ++c)
        d.columns.push_back("c" + std::to_string(c));
    int units = 0;
    while (units < UnitListTable::kUnitRows && !t.cellEmpty(0, units + 1))
        ++units;
    d.summary.push_back({"units", intCell(units)});
    // Every row that holds anything, so that rows after an empty name are visible too.
    for (int r = 0; r < UnitListTable::kRows; ++r) {
        bool any = false;
        for (int c = 0; c < UnitListTable::kColumns && !any; ++c)
            any = !t.cellEmpty(c, r);
        if (!any)
            continue;
        std::vector<DumpCell> row{intCell(r)};
        for (int c = 0; c < UnitListTable::kColumns; ++c)
            row.push_back(textCell(t.cell(c, r)));
        d.rows.push_back(std::move(row));
    }
}

void dumpCompressors(const Comprprop& p, CatalogDump& d) {
    d.summary.push_back({"count", intCell(p.count())});
    d.columns = {"entry", "name", "position"};
    for (int n = 1; n <= 6; ++n) {
        d.columns.push_back("x" + std::to_string(n));
        d.columns.push_back("y" + std::to_string(n));
    }
    for (int k = 1; k <= Comprprop::kEntries; ++k) {
        if (p.name(k).empty() && p.position(k) == 0)
            continue;
        std::vector<DumpCell> row{intCell(k), textCell(p.name(k)), intCell(p.position(k))};
        for (int n = 1; n <= 6; ++n) {
            row.push_back(realCell(p.x(n, k)));
            row.push_back(realCell(p.y(n, k)));
        }
        d.rows.push_back(std::move(row));
    }
}

void dumpCondensers(const Condenserprop& p, CatalogDump& d) {
    d.summary.push_back({"count", intCell(p.count())});
    d.columns = {"entry", "name", "capacity", "numfuns", "funscurrent", "funscap", "pol"};
    for (int k = 1; k <= Condenserprop::kEntries; ++k) {
        if (p.name(k).empty() && p.pol(k).empty() && p.capacity(k) == 0.0)
            continue;
        d.rows.push_back({intCell(k), textCell(p.name(k)), realCell(p.capacity(k)),
                          intCell(p.numfuns(k)), realCell(p.funsCurrent(k)), realCell(p.funsCap(k)),
                          textCell(p.pol(k))});
    }
}

void dumpCoefficients(const CoefImage& img, CatalogDump& d) {
    d.columns = {"section", "record", "name"};
    static const char* const sets[] = {"capacity", "power", "current", "fourth"};
    for (const char* set : sets)
        for (int i = 1; i <= 10; ++i)
            d.columns.push_back(std::string(set) + std::to_string(i));
    for (int n = 1; n <= 6; ++n) {
        d.columns.push_back("x" + std::to_string(n));
        d.columns.push_back("y" + std::to_string(n));
    }
    for (int s = 0; s < CoefImage::kSections; ++s) {
        for (int k = 1; k <= CoefImage::kRecords; ++k) {
            if (img.isFree(s, k))
                continue;
            std::vector<DumpCell> row{intCell(s), intCell(k), textCell(img.name(s, k))};
            for (int set = 0; set < 4; ++set)
                for (double c : img.coefs(s, k, CoefImage::Set(set)))
                    row.push_back(realCell(c));
            for (double e : img.envelope(s, k))
                row.push_back(realCell(e));
            d.rows.push_back(std::move(row));
        }
    }
}

void dumpGrid(const GridImage& g, CatalogDump& d) {
    d.columns = {"row", "col", "value"};
    for (int r = 1; r <= GridImage::kDim; ++r)
        for (int c = 1; c <= GridImage::kDim; ++c)
            if (const double v = g.at(r, c); v != 0.0)
                d.rows.push_back({intCell(r), intCell(c), realCell(v)});
}

void dumpPrices(const PriceFile& p, CatalogDump& d) {
    const int n = priceFileUnits(p);
    d.summary.push_back({"units", intCell(n)});
    for (int i = 1; i <= PriceFile::kOptions; ++i)
        d.summary.push_back({"option" + std::to_string(i), textCell(p.optionName(i))});
    d.columns = {"record", "name", "price"};
    for (int i = 1; i <= PriceFile::kOptions; ++i)
        d.columns.push_back("option" + std::to_string(i));
    for (int k = 0; k < n; ++k) {
        std::vector<DumpCell> row{intCell(k), textCell(p.name(k)), textCell(p.price(k))};
        for (int i = 1; i <= PriceFile::kOptions; ++i)
            row.push_back(textCell(p.optionPrice(k, i)));
        d.rows.push_back(std::move(row));
    }
}

}  // namespace

std::optional<CatalogFileKind> detectCatalogFileKind(const fs::path& file, std::uintmax_t size) {
    if (auto byName = kindFromName(file); byName && size > 0 && size <= layoutSize(*byName))
        return byName;
    switch (size) {
        case UnitListTable::kSize:
            return CatalogFileKind::UnitList;
        case Comprprop::kSize:
            return CatalogFileKind::CompressorList;
        case Condenserprop::kSize:
            return CatalogFileKind::CondenserList;
        case CoefImage::kSize:
            return CatalogFileKind::BrandCoefficients;
        case GridImage::kSize:
            return CatalogFileKind::PerformanceTable;
        case PriceFile::kSize:
            return CatalogFileKind::PriceFile;
        default:
            return std::nullopt;
    }
}

std::string dumpReal(double v) {
    if (!std::isfinite(v))
        return "";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

bool dumpCatalogFile(const fs::path& file, CatalogDump& out, std::string& error) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec) {
        error = "cannot read " + file.string() + ": " + ec.message();
        return false;
    }
    const auto kind = detectCatalogFileKind(file, size);
    if (!kind) {
        error = file.string() + ": not a catalogue file (" + std::to_string(size) + " bytes)";
        return false;
    }
    out = CatalogDump{};
    out.kind = *kind;
    switch (*kind) {
        case CatalogFileKind::UnitList: {
            auto t = std::make_unique<UnitListTable>();
            if (!readImage(file, *t, error))
                return false;
            dumpUnitList(*t, out);
            break;
        }
        case CatalogFileKind::CompressorList: {
            auto t = std::make_unique<Comprprop>();
            if (!readImage(file, *t, error))
                return false;
            dumpCompressors(*t, out);
            break;
        }
        case CatalogFileKind::CondenserList: {
            auto t = std::make_unique<Condenserprop>();
            if (!readImage(file, *t, error))
                return false;
            dumpCondensers(*t, out);
            break;
        }
        case CatalogFileKind::BrandCoefficients: {
            auto t = std::make_unique<CoefImage>();
            if (!readImage(file, *t, error))
                return false;
            dumpCoefficients(*t, out);
            break;
        }
        case CatalogFileKind::PerformanceTable:
        case CatalogFileKind::PropertyImage: {
            auto t = std::make_unique<GridImage>();
            if (!readImage(file, *t, error))
                return false;
            dumpGrid(*t, out);
            break;
        }
        case CatalogFileKind::PriceFile: {
            auto t = std::make_unique<PriceFile>();
            if (!readImage(file, *t, error))
                return false;
            dumpPrices(*t, out);
            break;
        }
    }
    return true;
}

namespace {

std::string csvField(const DumpCell& cell) {
    if (cell.number)
        return cell.text;
    if (cell.text.find_first_of(",\"\n\r") == std::string::npos)
        return cell.text;
    std::string q = "\"";
    for (char c : cell.text) {
        if (c == '"')
            q += '"';
        q += c;
    }
    return q + "\"";
}

}  // namespace

void writeDumpCsv(const CatalogDump& d, std::ostream& out) {
    out << "# kind: " << catalogFileKindName(d.kind) << "\n";
    for (const auto& [name, value] : d.summary)
        out << "# " << name << ": " << value.text << "\n";
    for (std::size_t i = 0; i < d.columns.size(); ++i)
        out << (i ? "," : "") << d.columns[i];
    out << "\n";
    for (const auto& row : d.rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            out << (i ? "," : "") << csvField(row[i]);
        out << "\n";
    }
}

}  // namespace tundrix
