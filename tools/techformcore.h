// The technical-data window without its window: filling its two-column grid from a record of the
// open table, pre-filling a new record from the unit list editor's current row, the sum fields,
// the drawing folder and the write-back. The table itself is reached through TechRecordStore,
// which the window implements on the technical-data module.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/records.h"

namespace tundrix {

// Columns of the unit list editor that the technical-data window reads or writes.
enum EditorColumn {
    ColName = 0,
    ColCompressor = 1,
    ColCondenser = 2,
    ColCompressorIndex = 3,
    ColCondenserIndex = 4,
    ColCompressorCount = 5,
    ColCondenserCount = 6,
    ColDrawing = 7,
    ColTechData = 9,
};

// The editor's current row as the technical-data window sees it. The editor implements it on its
// grid; the window never keeps a row of its own.
class EditorRowAccess {
public:
    virtual ~EditorRowAccess() = default;
    virtual std::string editorCell(int column) const = 0;
    virtual void setEditorCell(int column, const std::string& text) = 0;
};

// One technical-data table as the window uses it: fields by 0-based position, records by
// 1-based position, every value as text. Field 0 is the key, field 1 the unit name.
class TechRecordStore {
public:
    virtual ~TechRecordStore() = default;
    virtual int fieldCount() const = 0;
    virtual std::string fieldName(int field) const = 0;
    virtual std::string value(int record, int field) const = 0;
    // The last record whose field 1 is `name`, 0 for none.
    virtual int recordNo(const std::string& name) = 0;
    // Fields 1..n-1 from values[0..n-2]; false (reason in lastError) on a storage error.
    virtual bool updateRecord(int record, const std::vector<std::string>& values) = 0;
    // A new record with fields 1..n-1 from values and a new key; becomes the current record.
    // True when it was stored. A store that could not read the table back afterwards has no
    // current record then (0), and lastError says why.
    virtual bool appendRecord(const std::vector<std::string>& values) = 0;
    virtual int currentRecord() const = 0;
    virtual std::string lastError() const = 0;
};

// The text the pre-fill writes into the power supply field.
inline constexpr std::string_view kPowerSupply = "50гц/380В/3фазы";

// The window's grid: row 0 the headings, row f the name and value of field f.
class TechForm {
public:
    TechForm();

    int rowCount() const { return int(names_.size()); }
    const std::string& name(int row) const;
    const std::string& value(int row) const;
    void setValue(int row, std::string text);

    // Showing the window for the editor's current row: the record of the unit's name, or, when
    // it has none, the field names and the pre-fill of a new record, which starts from empty
    // values (nothing of the unit shown before carries over). Returns an error text when the
    // pre-fill stopped on a column that is not a whole number; the rows filled up to then stay.
    std::optional<std::string> fill(TechRecordStore& store, const std::string& table,
                                    const EditorRowAccess& row, const Condenserprop& condensers,
                                    char decimalSeparator);

    // Double click on `row`: when it is a sum field of the table, the sum is written into it and
    // true returned; an error text when the editor's condenser columns are not whole numbers.
    bool isSumField(const std::string& table, int row) const;
    std::optional<std::string> computeSum(const std::string& table, int row,
                                          const EditorRowAccess& editorRow,
                                          const Condenserprop& condensers, char decimalSeparator);

    // The table and the unit name the window was last filled from: "ОК" writes there only.
    const std::string& filledTable() const { return table_; }
    const std::string& filledUnit() const { return unit_; }

    // What "ОК" did.
    enum class WriteBack {
        Refused,       // nothing stored (reason in `error`); the editor left as it was
        Stored,        // stored, the record's key written into the editor's column 9
        StoredUnread,  // stored, but the table could not be read back: the key is not known,
                       // so column 9 is left as it was (reason in `error`)
    };
    // "ОК": updates the unit's record (the last one of its name) or appends one, then writes the
    // record's key into the editor's column 9. Refused when `store` holds another table than
    // the one the window was filled from, or the editor's current row is another unit by now.
    WriteBack writeBack(TechRecordStore& store, const std::string& storeTable, EditorRowAccess& row,
                        std::string* error) const;

private:
    std::vector<std::string> names_;
    std::vector<std::string> values_;
    std::string table_;
    std::string unit_;
};

// The pre-fill of a new record: (field, text) pairs in the order they are written. Stops with an
// error when column 4 or 6 is needed and is not a whole number; `values` then holds the pairs
// written before.
struct FieldText {
    int field = 0;
    std::string text;
};
struct Prefill {
    std::vector<FieldText> values;
    std::optional<std::string> error;
};
Prefill prefillRecord(const std::string& table, const EditorRowAccess& row,
                      const Condenserprop& condensers, char decimalSeparator);

// The compressors of an editor row: with a "+" in column 3, names and counts are split at the
// first "+" of columns 1 and 5; otherwise the whole columns are compressor 1 and count 1.
struct CompressorSplit {
    std::string name1, name2, count1, count2;
    bool two = false;
};
CompressorSplit splitCompressors(const EditorRowAccess& row);

// A whole number as the editor's index and count cells hold it, or nothing.
std::optional<int> parseWholeNumber(std::string_view text);

// The folder part of a drawing path: characters are dropped from the end until it ends in "/" or
// "\" or is one character long; the separator stays.
std::string drawingFolder(std::string_view path);

}  // namespace tundrix
