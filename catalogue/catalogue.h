// The catalogue: the loaded unit list (`agrlist`) and every table the program reads from the data
// folder, with the operations that fill them. One object exists for the whole run; the window code
// and the engine receive it by reference. It holds several megabytes of file images and pointers
// into itself, so it is created on the heap (std::make_unique) and never copied or moved.
//
// Missing files are skipped silently: the buffer, slot and reference a file would have filled keep
// what they held. A shorter file fills the front of its buffer only.
#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/agregat.h"
#include "catalogue/byteimage.h"
#include "catalogue/calculatorlists.h"
#include "catalogue/choices.h"
#include "catalogue/coefimage.h"
#include "catalogue/coefstore.h"
#include "catalogue/filenames.h"
#include "catalogue/records.h"
#include "catalogue/unitlisttable.h"

namespace tundrix {

class Catalogue {
  public:
    static constexpr int kBrandPositions = CoefImage::kRecords;

    explicit Catalogue(std::filesystem::path dataDir);
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    const std::filesystem::path& dataDir() const { return dataDir_; }
    void setDataDir(std::filesystem::path dir) { dataDir_ = std::move(dir); }

    // The existing file of a relative name inside the data folder ("\" or "/" separators);
    // nullopt when it is missing, leaves the folder or is the placeholder name "no".
    std::optional<std::filesystem::path> existingFile(std::string_view relative) const;

    // Whether the unit list "agrdata/" + agrfilename(...) exists.
    bool agrfileexists(UnitKind kind, int level, int brand, int refrigerant) const;

    // Reads the performance data and compressor lists of every brand and level for the
    // refrigerant into coefstore/liststore and sets coefptr/listptr for what was read.
    void preloadtables(int refrigerant);

    // Calculator, Copeland Scroll: reads the table image into calcgrid and the compressor list
    // into comprlist, then the condenser list; fills all three selectors.
    CalculatorLists DatUpdate(std::string_view tableFile, std::string_view listFile);

    // Calculator, brand table: reads the coefficient file into brandcoef and the condenser list;
    // fills the condenser selector only.
    CalculatorLists DatUpdatebock(std::string_view brandFile);

    // Calculator: loads the files of the brand, level and refrigerant and says what the three
    // selectors show. For brand-table brands the compressor selectors list the records of the
    // refrigerant's section that have a name and whose envelope suits the level; brandpos maps
    // each selector position to its record number. For R410A they are left as they are.
    CalculatorLists FullDataUpdate(int level, int brand, int refrigerant);

    // Fills agrlist from the unit lists of every covered level (levelon) and checked brand for the
    // shown kind of unit. Returns the number of units loaded (agrlist.count).
    int loadunits(const LoadChoices& choices);

    // --- the tables (read by the engine, the selection run and the windows) ---
    agregat agrlist;
    UnitListTable agrfile;  // the unit list file loadunits last read from disk
    Comprprop comprlist;                              // the calculator's compressor list
    std::array<int, Comprprop::kEntries> comprpos{};  // [i]: position of comprlist entry i + 1
    GridImage calcgrid;                               // the calculator's performance table image
    const GridImage* calcgridptr = nullptr;  // set once a table image was read into calcgrid
    Condenserprop conderlist;
    CoefImage brandcoef;  // the brand table in use (calculator, or the last brand-table unit)
    std::string brandfile;
    bool isbrandtable = false;
    CoefStore coefstore;
    std::array<Comprprop, kLevels> liststore;  // Copeland Scroll compressor list per level 1..3
    std::array<std::array<PerfData, kLevels + 1>, kBrands + 1> coefptr{};  // [brand][level]
    std::array<std::array<const Comprprop*, kLevels + 1>, kBrands + 1> listptr{};
    std::array<bool, kLevels + 1> levelon{};  // [1..3]
    std::array<int, kBrandPositions> brandpos{};
    int brandposcount = 0;  // selector positions that brandpos maps in the current fill

  private:
    // A unit list file's texts as loadunits reads them: the headings and the units up to the
    // first row without a name, decoded once for each version of the file (its stamp), since a
    // selection run loads every list of its tab and decoding them costs more than computing.
    struct ListCells {
        std::string stamp;
        int rows = 0;                    // row 0 (headings) and the units 1..rows - 1
        std::vector<std::string> cells;  // [row * UnitListTable::kColumns + column]
        const std::string& cell(int column, int row) const {
            return cells[std::size_t(row) * UnitListTable::kColumns + std::size_t(column)];
        }
    };
    // The texts of a unit list file as it is on disk now; none when it cannot be read.
    const ListCells* listCells(const std::filesystem::path& file);

    void readCondensers(CalculatorLists& out);
    void fillBrandSelectors(int level, int refrigerant, CalculatorLists& out);
    void loadRow(int k, const ListCells& t, int row, int brand, int level, UnitKind kind,
                 int refrigerant, const CoefImage*& lastCopied);

    std::filesystem::path dataDir_;
    std::map<std::string, ListCells> listCells_;  // by file path
};

}  // namespace tundrix
