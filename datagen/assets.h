// The files that go with every catalogued unit besides its performance data: the picture, the
// dimension drawing (PDF), the description and delivery-set texts, and its record in the
// technical-data database "TD.sqlite". The unit list composer calls add() for each unit it writes
// and stores the returned relative paths in the unit list cells; finish() writes the files.
//
// Everything written is deterministic: two runs with the same units give the same bytes.
#pragma once

#include <QGuiApplication>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tundrix::datagen {

// What the generator knows about one unit. Text is UTF-8.
struct AssetUnit {
    // "out" condensing unit, "agr" compressor-receiver unit, "mka" rack, chillers "glco",
    // "glcu", "glcr", "glck", "ov", "os", "on" (the unit list code; its table is "ol").
    std::string kindCode;
    std::string name;   // unit name as in the unit list, at most 50 characters
    std::string brand;  // compressor brand, e.g. "Bitzer" (used in the texts)
    int level = 0;      // temperature level 1 low, 2 middle, 3 high; 0 = not given

    std::string compressor1;  // model of the (first) compressor type
    int count1 = 1;
    std::string compressor2;  // second compressor type; empty = none
    int count2 = 0;

    std::string condenser;   // condenser model; empty = the unit has no condenser
    int condenserCount = 0;  // 0 = no condenser
    int fans = 0;            // fans of one condenser (Numfuns)
    double fanCurrent = 0;   // current of one fan, A (FunsCurrent)
    double fanPower = 0;     // power input of one fan, kW (FunsCap)
    std::string pol;         // short condenser code

    // Refrigerants the unit is offered for ("R404A/R507", "R22", ...). Calls of add() for the
    // same unit name collect them.
    std::vector<std::string> refrigerants;

    // Rated figures at the unit's reference point, for the texts and the technical data.
    double capacity = 0;  // kW
    double power = 0;     // kW, compressors
    double current = 0;   // A, compressors
};

// Relative paths inside the data folder, "\" separated, at most 50 characters each (they are
// stored in 50-character unit list cells).
struct AssetPaths {
    std::string picturepath;   // "images\\..." (shared by units that look alike)
    std::string imagepath;     // "TechnicalData\\....pdf", one drawing per unit name
    std::string complectpath;  // "Complect\\....txt", delivery set
    std::string textpath;      // "Textfiles\\....txt", description
    std::string techdata;      // key of the unit's TD.sqlite record as decimal text; empty when
                               // the unit has no record (a few units are left without one)
};

class AssetWriter {
  public:
    explicit AssetWriter(std::filesystem::path outDir);
    ~AssetWriter();
    AssetWriter(const AssetWriter&) = delete;
    AssetWriter& operator=(const AssetWriter&) = delete;

    // Registers a unit and returns its paths. Adding a unit name again (the same unit offered
    // for another refrigerant) returns the same paths and adds the refrigerants; the other data
    // of the first call stand.
    AssetPaths add(const AssetUnit& unit);

    // Writes every picture, drawing, text and TD.sqlite into the output folder, plus
    // "images/None.jpg", "Complect/Нет.txt" and "Textfiles/Нет.txt". Needs a QGuiApplication
    // (text rendering). Returns false and says why in `error` when a file cannot be written.
    //
    // The work can be shared between processes that registered the same units: share k of n
    // draws the drawings and texts of every n-th unit from the k-th; share 0 also writes the
    // pictures, the placeholder files and TD.sqlite. The bytes of a file do not depend on the
    // share that writes it.
    bool finish(std::string* error = nullptr, int share = 0, int shares = 1);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Creates the QGuiApplication that rendering needs, on the "offscreen" platform unless
// QT_QPA_PLATFORM names another. For the generator's main; `argc` must outlive the result.
std::unique_ptr<QGuiApplication> makeAssetApplication(int& argc, char** argv);

}  // namespace tundrix::datagen
