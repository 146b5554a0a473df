#include "tools/techformcore.h"

#include <array>

#include "selection/numbers.h"

namespace tundrix {

namespace {

// Where the pre-fill puts what it knows about a unit, per table; 0 means "not in this table".
struct FieldLayout {
    const char* tables[3];
    int compressor1 = 0;  // the part of column 1 before "+" (all of it with one compressor)
    int compressor2 = 0;
    int count1 = 0;
    int count2 = 0;
    int compressorWhole = 0;  // column 1 whole, "+" and all
    int power = 0;            // the power supply text
    int condenserName = 0;    // column 2
    int condensers = 0;       // column 6 as a whole number
    int fans = 0;             // fans of one condenser
    int pol = 0;              // short condenser code
    int fanPower = 0;         // power of one fan "X" fans of all condensers
    int fanCurrent = 0;       // current of one fan "X" fans of all condensers
};

constexpr std::array<FieldLayout, 6> kLayouts = {{
    {{"out", nullptr, nullptr}, 5, 6, 7, 8, 0, 19, 9, 10, 11, 12, 15, 16},
    {{"agr", nullptr, nullptr}, 0, 0, 0, 0, 5, 8, 0, 0, 0, 0, 0, 0},
    {{"mka", nullptr, nullptr}, 5, 6, 7, 8, 0, 11, 0, 0, 0, 0, 0, 0},
    {{"glco", "glcr", "glck"}, 20, 21, 22, 23, 0, 13, 25, 26, 27, 28, 0, 29},
    {{"glcu", nullptr, nullptr}, 19, 20, 21, 22, 0, 14, 24, 25, 26, 27, 0, 28},
    {{"ov", "os", "ol"}, 6, 7, 8, 9, 0, 11, 0, 0, 0, 0, 0, 0},
}};

const FieldLayout* layoutOf(const std::string& table) {
    for (const FieldLayout& l : kLayouts)
        for (const char* t : l.tables)
            if (t && table == t)
                return &l;
    return nullptr;
}

// A sum field: the fields added up and the fan term (power or current of one fan).
struct SumField {
    const char* table;
    int field;
    int addends[2];
    bool fanPower;  // false: fan current
};

constexpr std::array<SumField, 6> kSums = {{
    {"out", 17, {13, 0}, true},
    {"out", 18, {14, 0}, false},
    {"glco", 12, {24, 33}, false},
    {"glcr", 12, {24, 33}, false},
    {"glck", 12, {24, 33}, false},
    {"glcu", 13, {23, 0}, false},
}};

const SumField* sumOf(const std::string& table, int field) {
    for (const SumField& s : kSums)
        if (table == s.table && field == s.field)
            return &s;
    return nullptr;
}

std::string notWholeNumber(int column, const std::string& text) {
    const char* heading = column == ColCondenserIndex ? "инд. конденсатора" : "кол. конденсаторов";
    return "В столбце " + std::to_string(column) + " \"" + heading +
           "\" редактора стоит не целое число: \"" + text + "\"";
}

// Condenser index (column 4) and number of condensers (column 6) of the editor's row.
struct CondenserChoice {
    int index = 0;
    int count = 0;
};

std::optional<CondenserChoice> condenserChoice(const EditorRowAccess& row, std::string* error) {
    const std::string indexText = row.editorCell(ColCondenserIndex);
    const auto index = parseWholeNumber(indexText);
    if (!index) {
        *error = notWholeNumber(ColCondenserIndex, indexText);
        return std::nullopt;
    }
    const std::string countText = row.editorCell(ColCondenserCount);
    const auto count = parseWholeNumber(countText);
    if (!count) {
        *error = notWholeNumber(ColCondenserCount, countText);
        return std::nullopt;
    }
    return CondenserChoice{*index, *count};
}

// "a" "X" "b": one fan's value, the letter X and the number of fans of all condensers.
std::string perFanText(double perFan, int fans, char sep) {
    return formatGeneral(perFan, sep) + "X" + std::to_string(fans);
}

}  // namespace

std::optional<int> parseWholeNumber(std::string_view text) {
    // Two different fallbacks tell a typed number from text that is none.
    const int a = readInteger(text, 0);
    const int b = readInteger(text, 1);
    if (a != b)
        return std::nullopt;
    return a;
}

std::string drawingFolder(std::string_view path) {
    std::string p(path);
    while (p.size() > 1 && p.back() != '/' && p.back() != '\\')
        p.pop_back();
    return p;
}

CompressorSplit splitCompressors(const EditorRowAccess& row) {
    CompressorSplit s;
    const std::string names = row.editorCell(ColCompressor);
    const std::string counts = row.editorCell(ColCompressorCount);
    s.two = row.editorCell(ColCompressorIndex).find('+') != std::string::npos;
    if (!s.two) {
        s.name1 = names;
        s.count1 = counts;
        return s;
    }
    // Everything after the first "+" is the second part, further "+" included.
    const auto n = names.find('+');
    s.name1 = names.substr(0, n);
    s.name2 = n == std::string::npos ? std::string() : names.substr(n + 1);
    const auto c = counts.find('+');
    s.count1 = counts.substr(0, c);
    s.count2 = c == std::string::npos ? std::string() : counts.substr(c + 1);
    return s;
}

Prefill prefillRecord(const std::string& table, const EditorRowAccess& row,
                      const Condenserprop& condensers, char sep) {
    Prefill p;
    auto put = [&](int field, std::string text) {
        if (field > 0)
            p.values.push_back({field, std::move(text)});
    };
    put(1, row.editorCell(ColName));
    const FieldLayout* l = layoutOf(table);
    if (!l)
        return p;

    const CompressorSplit split = splitCompressors(row);
    put(l->compressorWhole, row.editorCell(ColCompressor));
    put(l->compressor1, split.name1);
    if (split.two)
        put(l->compressor2, split.name2);
    put(l->count1, split.count1);
    if (split.two)
        put(l->count2, split.count2);
    put(l->power, std::string(kPowerSupply));
    put(l->condenserName, row.editorCell(ColCondenser));

    const bool usesCondensers = l->condensers || l->fans || l->pol || l->fanPower || l->fanCurrent;
    if (!usesCondensers)
        return p;
    std::string error;
    const auto choice = condenserChoice(row, &error);
    if (!choice) {
        p.error = error;
        return p;
    }
    put(l->condensers, std::to_string(choice->count));
    // A unit without a condenser (index 0) has no fan data: those cells stay empty.
    const int i = choice->index;
    const bool known = Condenserprop::validEntry(i);
    const int fans = known ? condensers.numfuns(i) : 0;
    put(l->fans, known ? std::to_string(fans) : std::string());
    put(l->pol, known ? condensers.pol(i) : std::string());
    put(l->fanPower,
        known ? perFanText(condensers.funsCap(i), fans * choice->count, sep) : std::string());
    put(l->fanCurrent,
        known ? perFanText(condensers.funsCurrent(i), fans * choice->count, sep) : std::string());
    return p;
}

TechForm::TechForm() : names_{"Характеристика"}, values_{"Значение"} {}

const std::string& TechForm::name(int row) const {
    static const std::string none;
    return row >= 0 && row < rowCount() ? names_[std::size_t(row)] : none;
}

const std::string& TechForm::value(int row) const {
    static const std::string none;
    return row >= 0 && row < rowCount() ? values_[std::size_t(row)] : none;
}

void TechForm::setValue(int row, std::string text) {
    if (row >= 1 && row < rowCount())
        values_[std::size_t(row)] = std::move(text);
}

std::optional<std::string> TechForm::fill(TechRecordStore& store, const std::string& table,
                                          const EditorRowAccess& row,
                                          const Condenserprop& condensers, char sep) {
    const int n = store.fieldCount();
    table_ = table;
    unit_ = row.editorCell(ColName);
    // n + 1 rows, every value empty until the record or the pre-fill sets it.
    names_.assign(std::size_t(std::max(n, 0)) + 1, std::string());
    values_.assign(names_.size(), std::string());
    names_[0] = "Характеристика";
    values_[0] = "Значение";
    const int r = store.recordNo(unit_);
    for (int f = 1; f < n; ++f) {
        names_[std::size_t(f)] = store.fieldName(f);
        if (r > 0)
            values_[std::size_t(f)] = store.value(r, f);
    }
    if (r > 0)
        return std::nullopt;
    const Prefill p = prefillRecord(table, row, condensers, sep);
    for (const FieldText& v : p.values)
        if (v.field < n)
            values_[std::size_t(v.field)] = v.text;
    return p.error;
}

bool TechForm::isSumField(const std::string& table, int row) const {
    return sumOf(table, row) != nullptr && row < rowCount();
}

std::optional<std::string> TechForm::computeSum(const std::string& table, int row,
                                                const EditorRowAccess& editorRow,
                                                const Condenserprop& condensers, char sep) {
    const SumField* s = sumOf(table, row);
    if (!s || row >= rowCount())
        return std::nullopt;
    std::string error;
    const auto choice = condenserChoice(editorRow, &error);
    if (!choice)
        return error;
    double sum = 0;
    for (int f : s->addends)
        if (f > 0)
            sum += readNumber(value(f), sep, 0.0);
    const int i = choice->index;
    if (Condenserprop::validEntry(i)) {
        const double perFan = s->fanPower ? condensers.funsCap(i) : condensers.funsCurrent(i);
        sum += double(choice->count) * double(condensers.numfuns(i)) * perFan;
    }
    setValue(row, formatGeneral(sum, sep));
    return std::nullopt;
}

TechForm::WriteBack TechForm::writeBack(TechRecordStore& store, const std::string& storeTable,
                                        EditorRowAccess& row, std::string* error) const {
    auto refuse = [error](std::string why) {
        if (error)
            *error = std::move(why);
        return WriteBack::Refused;
    };
    // The values stand in the fields of the table they were filled from; in another kind's
    // table they would land in the wrong fields.
    if (storeTable != table_)
        return refuse("окно заполнено из таблицы \"" + table_ + "\", а открыта таблица \"" +
                      storeTable + "\"");
    if (row.editorCell(ColName) != unit_)
        return refuse("окно заполнено для агрегата \"" + unit_ +
                      "\", а в редакторе выбрана строка \"" + row.editorCell(ColName) +
                      "\"; откройте окно для нее заново");
    const int n = store.fieldCount();
    std::vector<std::string> values;
    for (int f = 1; f < n; ++f)
        values.push_back(value(f));
    const int r = store.recordNo(unit_);
    const bool ok = r > 0 ? store.updateRecord(r, values) : store.appendRecord(values);
    if (!ok || store.currentRecord() == 0) {
        if (error)
            *error = store.lastError();
        return ok ? WriteBack::StoredUnread : WriteBack::Refused;
    }
    row.setEditorCell(ColTechData, store.value(store.currentRecord(), 0));
    return WriteBack::Stored;
}

}  // namespace tundrix
