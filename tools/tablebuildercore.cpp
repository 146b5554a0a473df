#include "tools/tablebuildercore.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "catalogue/cp1251.h"
#include "catalogue/fileio.h"
#include "catalogue/refrigerants.h"

namespace tundrix {

namespace fs = std::filesystem;

Poly10& CoefSets::operator[](int set) {
    switch (set) {
        case 0:
            return c;
        case 1:
            return cw;
        case 2:
            return ci;
        default:
            return mo;
    }
}

const Poly10& CoefSets::operator[](int set) const {
    return const_cast<CoefSets&>(*this)[set];
}

void fitCoefSets(const PointTable& points, bool fourthOnly, CoefSets& sets) {
    // One system per quantity; the quantity columns 0..3 map onto the sets in that order.
    for (int set = fourthOnly ? PointQmo : PointQ0; set <= PointQmo; ++set) {
        FitPoints fp{};
        for (int q = 0; q < 10; ++q)
            fp[q] = {points[q][PointT0], points[q][PointTc], points[q][set]};
        sets[set] = fitpoly10(fp);
    }
}

std::array<double, 4> evaluateCoefSets(const CoefSets& sets, double to, double tc) {
    return {poly10(sets.c, to, tc), poly10(sets.cw, to, tc), poly10(sets.ci, to, tc),
            poly10(sets.mo, to, tc)};
}

std::string_view refrigerantLabel(int refrigerant) {
    return coefSection(refrigerant) >= 0 ? refrigerantEntry(refrigerant).builderLabel : "";
}

namespace {

// The label of a section of the shared brand files: that of the refrigerant kept there.
std::string_view sectionLabel(int section) {
    for (int r = 0; r < kRefrigerants; ++r)
        if (!missingFileMeansNone(r) && coefSection(r) == section)
            return refrigerantEntry(r).builderLabel;
    return "";
}

// The coefficient file a brand file name and refrigerant table stand for: the shared brand file
// ("bock.dat") for the five, "bock290.dat" for a refrigerant named by its code.
std::string tableFileName(const std::string& brandFile, int refrigerant) {
    if (brandFile.size() < 4 || !missingFileMeansNone(refrigerant))
        return brandFile;
    return brandFile.substr(0, brandFile.size() - 4) +
           std::string(refrigerantEntry(refrigerant).code) + ".dat";
}

}  // namespace

std::string_view brandFileName(int brand) {
    static constexpr std::array<std::string_view, 3> files = {"bock.dat", "bitzer.dat",
                                                              "dwmcopeland.dat"};
    return brand >= 1 && brand <= 3 ? files[std::size_t(brand - 1)] : "";
}

std::string storedName(std::string_view name) {
    std::string bytes = utf8ToCp1251(name);
    if (bytes.size() > kShortText - 1)
        bytes.resize(kShortText - 1);
    return cp1251ToUtf8(bytes);
}

void TableBuilder::setRefrigerant(int refrigerant) {
    refrigerant_ = coefSection(refrigerant) >= 0 ? refrigerant : kNoRefrigerant;
}

std::string TableBuilder::fileName() const {
    return tableFileName(brandFile_, refrigerant_);
}

int TableBuilder::section() const {
    return coefSection(refrigerant_);
}

bool TableBuilder::ownFile() const {
    return missingFileMeansNone(refrigerant_);
}

bool TableBuilder::readBrandFile(const fs::path& dataDir, bool missingIsEmpty, std::string* error,
                                 std::string* note) {
    auto fail = [&](std::string why) {
        if (error)
            *error = std::move(why);
        return false;
    };
    if (brandFile_.empty())
        return fail("не выбрана марка компрессора (файл коэффициентов)");
    const std::string name = fileName();
    const fs::path file = dataDir / name;
    if (note)
        note->clear();
    std::error_code ec;
    if (missingIsEmpty && ownFile() && !fs::exists(file, ec)) {
        // A refrigerant's own file that was never written: its table starts empty.
        image_.clear();
        return true;
    }
    // Read into an empty image: nothing of the file read before may survive past the end of a
    // shorter one, and a failed read leaves the image as it was.
    CoefImage fresh;
    std::string why;
    if (!fresh.load(file, &why))
        return fail(why);
    image_ = std::move(fresh);
    // A refrigerant's own file holds its one table.
    const std::size_t expected = ownFile() ? CoefImage::kSectionSize : CoefImage::kSize;
    const auto size = fs::file_size(file, ec);
    if (note && !ec && size < expected)
        *note = "файл " + name + " короче своего формата: " + std::to_string(size) + " байт из " +
                std::to_string(expected) + "; записи за его концом пусты";
    return true;
}

bool TableBuilder::open(const fs::path& dataDir, std::string* error, std::string* note) {
    if (!readBrandFile(dataDir, true, error, note))
        return false;
    rebuildLists();
    return true;
}

void TableBuilder::rebuildLists() {
    names_.clear();
    listMap_.clear();
    listed_.clear();
    if (refrigerant_ != kNoRefrigerant) {
        for (int k = 1; k <= CoefImage::kRecords; ++k) {
            if (image_.isFree(section(), k))
                continue;
            names_.push_back(image_.name(section(), k));
            listMap_.push_back(k);
        }
    }
    // Record by record, and within a record number table by table; with no refrigerant chosen
    // the list shows every table of the brand file. The grid has at least two rows under its
    // heading.
    for (int k = 1; k <= CoefImage::kRecords; ++k) {
        if (refrigerant_ != kNoRefrigerant) {
            if (!image_.isFree(section(), k))
                listed_.push_back({image_.name(section(), k), std::string(label())});
            continue;
        }
        for (int s = 0; s < CoefImage::kSections; ++s)
            if (!image_.isFree(s, k))
                listed_.push_back({image_.name(s, k), std::string(sectionLabel(s))});
    }
    if (listed_.size() < 2)
        listed_.resize(2);
}

bool TableBuilder::choose(int index, std::string* name, CoefImage::Envelope* envelope) {
    if (index < 0 || index >= int(listMap_.size()) || refrigerant_ == kNoRefrigerant)
        return false;
    const int sect = section();
    const int k = listMap_[std::size_t(index)];
    for (int set = 0; set < 4; ++set)
        sets_[set] = image_.coefs(sect, k, CoefImage::Set(set));
    if (name)
        *name = image_.name(sect, k);
    if (envelope)
        *envelope = image_.envelope(sect, k);
    return true;
}

TableBuilder::EnterResult TableBuilder::enter(std::string_view name,
                                              const CoefImage::Envelope& envelope) {
    // The list first: the entry replaces a row of the same name and refrigerant, or is added.
    const ListedCompressor entry{std::string(name), std::string(label())};
    const auto same = std::find(listed_.begin(), listed_.end(), entry);
    if (same == listed_.end())
        listed_.push_back(entry);
    if (refrigerant_ == kNoRefrigerant)
        return EnterResult::ListedOnly;

    const int section = this->section();
    const std::string stored = storedName(name);
    // A record of the same name is overwritten in place even when a free record comes first
    // (freed by a deletion): taking the free one would leave the name twice in the table.
    int target = 0;
    for (int k = 1; k <= CoefImage::kRecords && target == 0; ++k)
        if (!image_.isFree(section, k) && image_.name(section, k) == stored)
            target = k;
    for (int k = 1; k <= CoefImage::kRecords && target == 0; ++k)
        if (image_.isFree(section, k))
            target = k;
    if (target == 0)
        return EnterResult::NoFreeRecord;
    image_.setName(section, target, stored);
    for (int set = 0; set < 4; ++set)
        image_.setCoefs(section, target, CoefImage::Set(set), sets_[set]);
    image_.setEnvelope(section, target, envelope);
    return EnterResult::Stored;
}

int TableBuilder::removeName(std::string_view name) {
    if (refrigerant_ == kNoRefrigerant)
        return 0;
    const int section = this->section();
    const std::string wanted(name);
    int freed = 0;
    for (int k = 1; k <= CoefImage::kRecords; ++k) {
        if (image_.isFree(section, k) || image_.name(section, k) != wanted)
            continue;
        // Only the length byte goes: the record is free, its numbers stay where they were.
        image_.bytes()[CoefImage::base(section, k)] = 0;
        ++freed;
    }
    return freed;
}

namespace {

// A refrigerant's own coefficient file holds its one section; the brand file all four.
bool saveTable(const CoefImage& image, const fs::path& file, bool ownFile, std::string* error) {
    if (!ownFile)
        return image.save(file, error);
    return writeFileAtomic(file, image.bytes().first(CoefImage::kSectionSize), error);
}

}  // namespace

bool TableBuilder::write(const fs::path& dataDir, std::string* error) const {
    if (brandFile_.empty()) {
        if (error)
            *error = "не выбрана марка компрессора (файл коэффициентов)";
        return false;
    }
    return saveTable(image_, dataDir / fileName(), ownFile(), error);
}

CoefImage convertedImage(const CoefImage& source) {
    CoefImage out;
    const auto from = source.bytes();
    const auto to = out.bytes();
    for (int section = 0; section < CoefImage::kSections; ++section)
        for (int k = 1; k <= 100; ++k) {
            const std::size_t base = CoefImage::base(section, k);
            // The name as a short string: its length byte and that many characters.
            const std::size_t len = std::min<std::size_t>(from[base], kShortText - 1);
            std::memcpy(&to[base], &from[base], len + 1);
            to[base] = std::uint8_t(len);
            for (int set = CoefImage::Capacity; set <= CoefImage::Current; ++set)
                out.setCoefs(section, k, CoefImage::Set(set),
                             source.coefs(section, k, CoefImage::Set(set)));
            out.setCoefs(section, k, CoefImage::Fourth, CoefImage::Coefs{});
            out.setEnvelope(section, k, source.envelope(section, k));
        }
    return out;
}

bool TableBuilder::convert(const fs::path& dataDir, std::string* error, std::string* note) {
    if (!readBrandFile(dataDir, false, error, note))
        return false;
    return saveTable(convertedImage(image_), dataDir / fileName(), ownFile(), error);
}

}  // namespace tundrix
