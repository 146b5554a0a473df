// The compressor table builder without its window: the coefficient image of one brand file, the
// four working coefficient sets, and the operations behind the builder's buttons. The window reads
// its controls into plain values, calls these and shows what they return.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/coefimage.h"
#include "engine/polyfit.h"

namespace tundrix {

// The ten catalogue points as the builder's point grid holds them: per point Q0, W, I, Qmo, t0,
// tc (the rated capacity, power, current, the fourth quantity and the two temperatures).
enum PointColumn { PointQ0 = 0, PointW = 1, PointI = 2, PointQmo = 3, PointT0 = 4, PointTc = 5 };
using PointRow = std::array<double, 6>;
using PointTable = std::array<PointRow, 10>;

// The four coefficient sets a fit or a stored record gives: capacity c, power cw, current ci and
// the fourth quantity mo.
struct CoefSets {
    Poly10 c{};
    Poly10 cw{};
    Poly10 ci{};
    Poly10 mo{};

    Poly10& operator[](int set);
    const Poly10& operator[](int set) const;
};

// Fits the polynomial through the ten points for each quantity, in the point order given. With
// `fourthOnly`, only mo is fitted (from Qmo, t0, tc); the other sets keep what `sets` held.
void fitCoefSets(const PointTable& points, bool fourthOnly, CoefSets& sets);

// The four polynomials at one operating point: capacity, power, current, fourth quantity.
std::array<double, 4> evaluateCoefSets(const CoefSets& sets, double to, double tc);

// Label texts of the builder's refrigerant tables by index of the refrigerant table: the
// sections of the shared brand files ("R404a/507", "R22", "R407C", "R134a"), then the
// refrigerants with coefficient files of their own ("R290", ...); empty for a refrigerant
// without a table (R410A) and for kNoRefrigerant.
std::string_view refrigerantLabel(int refrigerant);

// Brand files selected by the builder's brand buttons 1..3 ("bock.dat", "bitzer.dat",
// "dwmcopeland.dat"); empty for any other number.
std::string_view brandFileName(int brand);

// One line of the list of compressors in the loaded file.
struct ListedCompressor {
    std::string name;
    std::string label;
    bool operator==(const ListedCompressor&) const = default;
};

class TableBuilder {
public:
    enum class EnterResult { Stored, ListedOnly, NoFreeRecord };

    // No refrigerant's table chosen (the state when the window is shown).
    static constexpr int kNoRefrigerant = -1;
    // The table of a refrigerant (index of the refrigerant table); one without a table, or
    // kNoRefrigerant, chooses none.
    void setRefrigerant(int refrigerant);
    int refrigerant() const { return refrigerant_; }
    std::string_view label() const { return refrigerantLabel(refrigerant_); }

    // Brand file name ("bock.dat", ...), empty until a brand is chosen.
    void setBrandFile(std::string file) { brandFile_ = std::move(file); }
    const std::string& brandFile() const { return brandFile_; }
    // The file the builder reads and writes: the brand file, or for a refrigerant with a
    // coefficient file of its own that file ("bock290.dat"), which holds one table.
    std::string fileName() const;

    // "открыть": reads the file of the data folder whole into the image, discarding unsaved
    // entries, and rebuilds the compressor list and the list of the loaded file. Nothing of an
    // earlier file stays: the records past the end of a shorter file are empty, and `note` says
    // that the file was short (empty otherwise). A refrigerant's own file that does not exist yet
    // opens as an empty table. On failure (no brand chosen, file missing or unreadable) returns
    // false with the reason in `error`; the image and the lists stay as they were.
    bool open(const std::filesystem::path& dataDir, std::string* error,
              std::string* note = nullptr);

    // Names of the non-free records of the current refrigerant's table, in record order, and the
    // record number of each (empty with no refrigerant chosen).
    const std::vector<std::string>& compressorNames() const { return names_; }
    const std::vector<int>& listMap() const { return listMap_; }
    // The rows under the heading of the list of the loaded file (name and refrigerant label).
    const std::vector<ListedCompressor>& listed() const { return listed_; }

    // Choosing entry `index` of the compressor list: the working sets take the record's sets.
    // Returns the record's name and envelope; false for an index outside the list.
    bool choose(int index, std::string* name, CoefImage::Envelope* envelope);

    CoefSets& sets() { return sets_; }
    const CoefSets& sets() const { return sets_; }

    // "Внести": lists the entry and, with a refrigerant chosen, stores the working sets and the
    // envelope under `name`: in the record of that name, else in the first free record.
    EnterResult enter(std::string_view name, const CoefImage::Envelope& envelope);

    // "Удалить последний": frees every record of the current table whose name is `name`.
    // Returns the number of records freed.
    int removeName(std::string_view name);

    // "Записать": writes the whole image as the brand file (a refrigerant's own file: its one
    // table), atomically.
    bool write(const std::filesystem::path& dataDir, std::string* error) const;

    // "перегнать": reads the brand file, and writes it back with records 1..100 of every table
    // keeping name, capacity, power and current coefficients and envelope, their fourth set
    // zeroed, and records 101..150 emptied. The image keeps the file as it was read (`note` as
    // for open).
    bool convert(const std::filesystem::path& dataDir, std::string* error,
                 std::string* note = nullptr);

    const CoefImage& image() const { return image_; }
    CoefImage& image() { return image_; }

private:
    bool readBrandFile(const std::filesystem::path& dataDir, bool missingIsEmpty,
                       std::string* error, std::string* note);
    int section() const;   // the current refrigerant's section of the image
    bool ownFile() const;  // the current refrigerant has a coefficient file of its own
    void rebuildLists();

    CoefImage image_;
    CoefSets sets_;
    int refrigerant_ = kNoRefrigerant;
    std::string brandFile_;
    std::vector<std::string> names_;
    std::vector<int> listMap_;
    std::vector<ListedCompressor> listed_;
};

// The converted image of "перегнать", built from a read image.
CoefImage convertedImage(const CoefImage& source);

// How a name looks once stored: cut to 50 characters, in the file's code page.
std::string storedName(std::string_view name);

}  // namespace tundrix
