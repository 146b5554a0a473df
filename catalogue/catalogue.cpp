#include "catalogue/catalogue.h"

#include <algorithm>
#include <utility>

#include "catalogue/fileio.h"
#include "catalogue/unitlistparse.h"

namespace tundrix {
namespace {

namespace fs = std::filesystem;

// How the calculator lists the records of a brand table for a refrigerant and level: the
// refrigerant table says. There is no R410A section, so its selectors keep what they show.
LevelListing brandListing(int refrigerant, int level) {
    if (!validRefrigerant(refrigerant) || !validLevel(level))
        return LevelListing{LevelListing::Unchanged};
    return refrigerantEntry(refrigerant).levels[std::size_t(level - 1)];
}

void fillNoCompressors(CalculatorLists& out) {
    for (SelectorFill* s : {&out.selectcompr, &out.selectcompr2}) {
        s->changed = true;
        s->items = {std::string(kNoCompressors)};
        s->selected = 0;
    }
    out.noCompressors = true;
}

// Exchanger letters (one Latin, one Cyrillic) that a chiller's name must end in; none = no test.
std::optional<std::pair<std::string_view, std::string_view>> exchangerLetters(Exchanger e) {
    switch (e) {
        case Exchanger::Plate:
            return std::pair{"M", "М"};
        case Exchanger::ShellAndTube:
            return std::pair{"К", "K"};
        case Exchanger::Submerged:
            return std::pair{"В", "B"};
        // "Все" tests nothing; neither does a dialog where no exchanger item is selected, so
        // that an unset choice never hides every chiller.
        case Exchanger::All:
        case Exchanger::NotChosen:
            break;
    }
    return std::nullopt;
}

}  // namespace

Catalogue::Catalogue(fs::path dataDir) : dataDir_(std::move(dataDir)) {}

std::optional<fs::path> Catalogue::existingFile(std::string_view relative) const {
    if (relative == kNoFile)
        return std::nullopt;
    auto p = resolveDataPath(dataDir_, relative);
    std::error_code ec;
    if (!p || !fs::is_regular_file(*p, ec))
        return std::nullopt;
    return p;
}

bool Catalogue::agrfileexists(UnitKind kind, int level, int brand, int refrigerant) const {
    const std::string rel =
        std::string(kUnitListFolder) + agrfilename(kind, level, brand, refrigerant);
    return existingFile(rel).has_value();
}

void Catalogue::preloadtables(int refrigerant) {
    // A refrigerant whose files are its own has no data where a file is missing; the slot must
    // not go on serving the previous refrigerant's figures under its name.
    const bool missingMeansNone = missingFileMeansNone(refrigerant);
    for (int b = 1; b <= kBrands; ++b) {
        for (int l = 1; l <= kLevels; ++l) {
            const auto file = existingFile(coeffilename(l, b, refrigerant));
            if (b == kScrollBrand) {
                GridImage* slot = coefstore.table(l);
                if (file && slot->load(*file))
                    coefptr[b][l] = PerfData{slot, nullptr};
                else if (missingMeansNone)
                    coefptr[b][l] = PerfData{};
                Comprprop& list = liststore[std::size_t(l - 1)];
                if (const auto lf = existingFile(listfilename(l, b, refrigerant));
                    lf && list.load(*lf))
                    listptr[b][l] = &list;
                else if (missingMeansNone)
                    listptr[b][l] = nullptr;
            } else {
                // The same brand file goes into each level's slot.
                CoefImage* slot = coefstore.coef(b, l);
                if (file && slot->load(*file))
                    coefptr[b][l] = PerfData{nullptr, slot};
                else if (missingMeansNone)
                    coefptr[b][l] = PerfData{};
            }
        }
    }
}

void Catalogue::readCondensers(CalculatorLists& out) {
    if (const auto f = existingFile("condensators.dat"))
        conderlist.load(*f);
    // A damaged count lists no more than the list holds.
    const int n = std::clamp(conderlist.count(), 0, Condenserprop::kEntries);
    SelectorFill& s = out.condensator;
    s.changed = true;
    s.items.clear();
    for (int k = 1; k <= n; ++k)
        s.items.push_back(conderlist.name(k));
    s.selected = s.items.empty() ? -1 : 0;
}

CalculatorLists Catalogue::DatUpdate(std::string_view tableFile, std::string_view listFile) {
    CalculatorLists out;
    if (const auto f = existingFile(tableFile); f && calcgrid.load(*f))
        calcgridptr = &calcgrid;
    if (const auto f = existingFile(listFile))
        comprlist.load(*f);

    const int n = std::clamp(comprlist.count(), 0, Comprprop::kEntries);
    std::vector<std::string> names;
    for (int i = 0; i < n; ++i) {
        comprpos[std::size_t(i)] = comprlist.position(i + 1);
        names.push_back(comprlist.name(i + 1));
    }
    for (SelectorFill* s : {&out.selectcompr, &out.selectcompr2}) {
        s->changed = true;
        s->items = names;
        s->selected = names.empty() ? -1 : 0;
    }
    readCondensers(out);
    agrlist.condenser = conderlist;
    return out;
}

CalculatorLists Catalogue::DatUpdatebock(std::string_view brandFile) {
    CalculatorLists out;
    if (const auto f = existingFile(brandFile))
        brandcoef.load(*f);
    readCondensers(out);
    return out;
}

void Catalogue::fillBrandSelectors(int level, int refrigerant, CalculatorLists& out) {
    const LevelListing listing = brandListing(refrigerant, level);
    const int section = coefSection(refrigerant);
    if (listing.kind == LevelListing::Unchanged || section < 0)
        return;
    if (listing.kind == LevelListing::NoCompressors) {
        fillNoCompressors(out);
        brandposcount = 0;
        return;
    }
    std::vector<std::string> names;
    int counter = 0;
    for (int n = 1; n <= CoefImage::kRecords; ++n) {
        // Records without a name are empty slots of the table, never compressors.
        if (brandcoef.isFree(section, n))
            continue;
        const auto e = brandcoef.envelope(section, n);
        if (!listing.accepts(e[0], e[4]))
            continue;
        names.push_back(brandcoef.name(section, n));
        brandpos[std::size_t(counter++)] = n;
    }
    brandposcount = counter;
    out.selectcompr = {true, names, names.empty() ? -1 : 0};
    // R404A/R507 middle selects only the first selector's item.
    out.selectcompr2 = {true, std::move(names), -1};
    if (listing.selectSecond && !out.selectcompr2.items.empty())
        out.selectcompr2.selected = 0;
}

CalculatorLists Catalogue::FullDataUpdate(int level, int brand, int refrigerant) {
    if (brand != kScrollBrand) {
        const std::string name = coefficientFileName(brand, refrigerant);
        if (!name.empty())
            brandfile = name;
    }
    isbrandtable = brand != kScrollBrand;
    // A refrigerant with files of its own has no compressors where they are missing (the
    // buffers would still hold the previous refrigerant's).
    const bool missingMeansNone = missingFileMeansNone(refrigerant);
    if (brand == kScrollBrand) {
        const std::string table = coeffilename(level, brand, refrigerant);
        const std::string list = listfilename(level, brand, refrigerant);
        if (table == kNoFile || list == kNoFile ||
            (missingMeansNone && (!existingFile(table) || !existingFile(list)))) {
            CalculatorLists out;
            fillNoCompressors(out);
            return out;
        }
        return DatUpdate(table, list);
    }
    if (missingMeansNone && !existingFile(brandfile)) {
        CalculatorLists out = DatUpdatebock(brandfile);
        fillNoCompressors(out);
        brandposcount = 0;
        return out;
    }
    CalculatorLists out = DatUpdatebock(brandfile);
    fillBrandSelectors(level, refrigerant, out);
    return out;
}

const Catalogue::ListCells* Catalogue::listCells(const fs::path& file) {
    std::string stamp = fileStamp(file);
    const auto known = listCells_.find(file.string());
    if (!stamp.empty() && known != listCells_.end() && known->second.stamp == stamp)
        return &known->second;
    if (!agrfile.load(file)) {
        if (known != listCells_.end())
            listCells_.erase(known);
        return nullptr;
    }
    ListCells& t = listCells_[file.string()];
    t.stamp = std::move(stamp);
    t.rows = 1;
    while (t.rows <= UnitListTable::kUnitRows && !agrfile.cellEmpty(0, t.rows))
        ++t.rows;
    t.cells.assign(std::size_t(t.rows) * UnitListTable::kColumns, std::string());
    for (int row = 0; row < t.rows; ++row)
        for (int column = 0; column < UnitListTable::kColumns; ++column)
            t.cells[std::size_t(row) * UnitListTable::kColumns + std::size_t(column)] =
                agrfile.cell(column, row);
    return &t;
}

int Catalogue::loadunits(const LoadChoices& ch) {
    agrlist.condenser = conderlist;
    const bool chiller = isChiller(ch.kind);
    const auto letters = chiller ? exchangerLetters(ch.exchanger) : std::nullopt;
    const CoefImage* lastCopied = nullptr;
    int k = 0;
    for (int l = 1; l <= kLevels; ++l) {
        if (!levelon[std::size_t(l)])
            continue;
        for (int m = 1; m <= kBrands; ++m) {
            if (!ch.brandChecked[std::size_t(m)])
                continue;
            const auto file = existingFile(std::string(kUnitListFolder) +
                                           agrfilename(ch.kind, l, m, ch.refrigerant));
            const ListCells* list = file ? listCells(*file) : nullptr;
            if (!list)
                continue;
            for (int i = 1; i < list->rows; ++i) {
                if (letters) {
                    const std::string last = lastCharacter(list->cell(0, i));
                    if (last != letters->first && last != letters->second)
                        continue;
                }
                if (ch.kind == UnitKind::Mka) {
                    // Racks of 2..5 compressors follow their size item; any other total has no
                    // item to drop it by and is kept.
                    const int total = rackCompressorTotal(list->cell(5, i));
                    if (total >= 2 && total <= 5 && !ch.rackSizeChecked[std::size_t(total)])
                        continue;
                }
                // The unit arrays hold 1000 units; further units are not loaded.
                if (k == agregat::kMaxUnits) {
                    agrlist.count = k;
                    return k;
                }
                ++k;
                loadRow(k, *list, i, m, l, ch.kind, ch.refrigerant, lastCopied);
            }
        }
    }
    agrlist.count = k;
    return k;
}

// Fills unit k from row `row` of a unit list. Units whose brand and level have no performance data
// or compressor list are still loaded: they are listed with name and price, and dataCheck() keeps
// the engine from computing them.
void Catalogue::loadRow(int k, const ListCells& t, int row, int brand, int level, UnitKind kind,
                        int refrigerant, const CoefImage*& lastCopied) {
    agregat& a = agrlist;
    const auto u = std::size_t(k);
    a.name[u] = t.cell(0, row);
    a.p1[u] = coefptr[std::size_t(brand)][std::size_t(level)];
    a.p2[u] = listptr[std::size_t(brand)][std::size_t(level)];
    a.method[u] = brand != kScrollBrand;
    a.layer[u] = level;
    a.agrtype[u] = brand;
    const CompressorCells c = parseCompressorCells(t.cell(3, row), t.cell(5, row));
    a.indcompr[u] = c.indcompr;
    a.indcompr2[u] = c.indcompr2;
    a.ncompressor[u] = c.ncompressor;
    a.ncompressor2[u] = c.ncompressor2;
    a.indconder[u] = cellInteger(t.cell(4, row), 0);
    a.delta[u] = isChiller(kind) && endsInExchangerLetter(a.name[u]) ? 5.0 : 0.0;
    a.order[u] = k;
    a.ncondensator[u] = parseCondenserCount(t.cell(6, row));
    a.imagepath[u] = t.cell(7, row);
    a.complectpath[u] = t.cell(8, row);
    a.techdata[u] = t.cell(9, row);
    a.price[u] = t.cell(10, row);
    a.picturepath[u] = t.cell(11, row);
    a.textpath[u] = t.cell(23, row);
    OptionBlock& opt = a.optionagr[u];
    for (int j = 1; j <= OptionBlock::kOptions; ++j) {
        opt.name[std::size_t(j)] = t.cell(11 + j, 0);
        opt.price[std::size_t(j)] = t.cell(11 + j, row);
    }

    if (!a.method[u]) {
        // Table method: the unit's envelope comes from its compressor list entry.
        if (a.p2[u] == nullptr) {
            a.setEnvelope(k, {});
            return;
        }
        a.compressor = *a.p2[u];
        std::array<double, 12> e{};
        for (int n = 1; n <= 6; ++n) {
            e[std::size_t(2 * n - 2)] = a.compressor.x(n, c.indcompr);
            e[std::size_t(2 * n - 1)] = a.compressor.y(n, c.indcompr);
        }
        a.setEnvelope(k, e);
        return;
    }
    // Polynomial method: the envelope comes from the record of the refrigerant's section. There
    // is no R410A section; such a unit keeps the envelope it had.
    const CoefImage* image = a.p1[u].coef;
    if (image != nullptr && image != lastCopied) {
        brandcoef = *image;
        lastCopied = image;
    }
    if (const int section = coefSection(refrigerant); section >= 0)
        a.setEnvelope(k,
                      image ? brandcoef.envelope(section, c.indcompr) : std::array<double, 12>{});
}

}  // namespace tundrix
