// The technical-data window's rules: filling from a record, pre-filling a new one from the unit
// list editor's row, the sum fields, the drawing folder and the write-back into the editor.
#include <gtest/gtest.h>

#include <map>

#include "tools/techformcore.h"

using namespace tundrix;

namespace {

struct Row : EditorRowAccess {
    std::map<int, std::string> cells;
    std::string editorCell(int column) const override {
        const auto it = cells.find(column);
        return it == cells.end() ? std::string() : it->second;
    }
    void setEditorCell(int column, const std::string& text) override { cells[column] = text; }
};

// A table in memory: field names, records of text, keys counted on from the highest.
struct Store : TechRecordStore {
    std::vector<std::string> fields;
    std::vector<std::vector<std::string>> rows;  // field 0 first
    int current = 0;
    bool refuse = false;
    bool unreadable = false;  // stores, then cannot read the table back

    explicit Store(int fieldCount) {
        for (int f = 0; f < fieldCount; ++f)
            fields.push_back(f == 0 ? "Код" : f == 1 ? "Название" : "Поле " + std::to_string(f));
    }
    void add(const std::string& key, const std::string& name) {
        std::vector<std::string> r(fields.size());
        r[0] = key;
        if (r.size() > 1)
            r[1] = name;
        rows.push_back(r);
    }
    int fieldCount() const override { return int(fields.size()); }
    std::string fieldName(int f) const override { return fields[std::size_t(f)]; }
    std::string value(int record, int field) const override {
        if (record < 1 || record > int(rows.size()))
            return {};
        return rows[std::size_t(record - 1)][std::size_t(field)];
    }
    int recordNo(const std::string& name) override {
        int found = 0;
        for (int r = 1; r <= int(rows.size()); ++r)
            if (fields.size() > 1 && rows[std::size_t(r - 1)][1] == name)
                found = r;
        current = int(rows.size());
        return found;
    }
    bool updateRecord(int record, const std::vector<std::string>& values) override {
        if (refuse)
            return false;
        for (std::size_t f = 1; f < fields.size(); ++f)
            rows[std::size_t(record - 1)][f] = values[f - 1];
        current = record;
        return true;
    }
    bool appendRecord(const std::vector<std::string>& values) override {
        if (refuse)
            return false;
        int key = 0;
        for (const auto& r : rows)
            key = std::max(key, std::stoi(r[0]));
        std::vector<std::string> r{std::to_string(key + 1)};
        r.insert(r.end(), values.begin(), values.end());
        rows.push_back(r);
        current = unreadable ? 0 : int(rows.size());
        return true;
    }
    int currentRecord() const override { return current; }
    std::string lastError() const override { return "disk full"; }
};

// A condensing unit with two compressors on two condensers of list entry 3.
Row twoCompressorUnit() {
    Row r;
    r.cells = {{ColName, "АННK3-2xA+B"},    {ColCompressor, "A+B"},   {ColCondenser, "GVH 3"},
               {ColCompressorIndex, "4+7"}, {ColCondenserIndex, "3"}, {ColCompressorCount, "2+1"},
               {ColCondenserCount, "2"}};
    return r;
}

Condenserprop condensers() {
    Condenserprop c;
    c.setName(3, "GVH 3");
    c.setNumfuns(3, 2);
    c.setFunsCap(3, 0.12);
    c.setFunsCurrent(3, 0.9);
    c.setPol(3, "K3");
    return c;
}

}  // namespace

TEST(TechFormPrefill, TwoCompressorsAPlusBWithCountsTwoPlusOneOnTheCondensingUnitTable) {
    Store store(20);
    TechForm form;
    const Row row = twoCompressorUnit();
    EXPECT_FALSE(form.fill(store, "out", row, condensers(), ','));
    ASSERT_EQ(form.rowCount(), 21);
    EXPECT_EQ(form.name(0), "Характеристика");
    EXPECT_EQ(form.value(0), "Значение");
    EXPECT_EQ(form.name(5), "Поле 5");
    EXPECT_EQ(form.value(1), "АННK3-2xA+B");
    EXPECT_EQ(form.value(5), "A");
    EXPECT_EQ(form.value(6), "B");
    EXPECT_EQ(form.value(7), "2");
    EXPECT_EQ(form.value(8), "1");
    EXPECT_EQ(form.value(9), "GVH 3");
    EXPECT_EQ(form.value(10), "2");
    EXPECT_EQ(form.value(11), "2");
    EXPECT_EQ(form.value(12), "K3");
    // One fan's value, "X", and the fans of all condensers.
    EXPECT_EQ(form.value(15), "0,12X4");
    EXPECT_EQ(form.value(16), "0,9X4");
    EXPECT_EQ(form.value(19), "50гц/380В/3фазы");
}

TEST(TechFormPrefill, ASecondPlusStaysInTheSecondPart) {
    Row row = twoCompressorUnit();
    row.cells[ColCompressor] = "A+B+C";
    row.cells[ColCompressorCount] = "2+1+1";
    const CompressorSplit s = splitCompressors(row);
    EXPECT_TRUE(s.two);
    EXPECT_EQ(s.name1, "A");
    EXPECT_EQ(s.name2, "B+C");
    EXPECT_EQ(s.count2, "1+1");
}

// A new record starts from empty values: nothing of the unit shown before (its second
// compressor, its dimensions and mass) carries over into it.
TEST(TechFormPrefill, ANewRecordStartsEmptyNotFromThePreviousUnit) {
    Store store(20);
    store.add("1", "SHOWN");
    store.rows[0][6] = "B";
    store.rows[0][17] = "1200x800x900";
    store.rows[0][18] = "310";
    TechForm form;
    Row row = twoCompressorUnit();
    row.cells[ColName] = "SHOWN";
    ASSERT_FALSE(form.fill(store, "mka", row, condensers(), '.'));
    ASSERT_EQ(form.value(17), "1200x800x900");
    row.cells[ColName] = "NEW";
    row.cells[ColCompressor] = "SOLO";
    row.cells[ColCompressorIndex] = "9";
    row.cells[ColCompressorCount] = "3";
    ASSERT_FALSE(form.fill(store, "mka", row, condensers(), '.'));
    EXPECT_EQ(form.value(1), "NEW");
    EXPECT_EQ(form.value(5), "SOLO");
    EXPECT_EQ(form.value(7), "3");
    EXPECT_EQ(form.value(11), "50гц/380В/3фазы");
    for (int f : {6, 8, 17, 18})
        EXPECT_EQ(form.value(f), "") << "field " << f;
}

TEST(TechFormPrefill, ChillerTablesPutTheirFieldsFurtherDown) {
    Store store(34);
    TechForm form;
    const Row row = twoCompressorUnit();
    ASSERT_FALSE(form.fill(store, "glcu", row, condensers(), ','));
    EXPECT_EQ(form.value(14), "50гц/380В/3фазы");
    EXPECT_EQ(form.value(19), "A");
    EXPECT_EQ(form.value(22), "1");
    EXPECT_EQ(form.value(24), "GVH 3");
    EXPECT_EQ(form.value(27), "K3");
    EXPECT_EQ(form.value(28), "0,9X4");
    ASSERT_FALSE(form.fill(store, "glck", row, condensers(), ','));
    EXPECT_EQ(form.value(13), "50гц/380В/3фазы");
    EXPECT_EQ(form.value(29), "0,9X4");
    // The compressor-receiver table takes column 1 whole.
    ASSERT_FALSE(form.fill(store, "agr", row, condensers(), ','));
    EXPECT_EQ(form.value(5), "A+B");
    EXPECT_EQ(form.value(8), "50гц/380В/3фазы");
}

TEST(TechFormPrefill, ANonNumberInColumnFourStopsWithAMessageAndKeepsWhatWasFilled) {
    Store store(20);
    TechForm form;
    Row row = twoCompressorUnit();
    row.cells[ColCondenserIndex] = "три";
    const auto error = form.fill(store, "out", row, condensers(), ',');
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("три"), std::string::npos);
    EXPECT_EQ(form.value(5), "A");
    EXPECT_EQ(form.value(9), "GVH 3");
    EXPECT_EQ(form.value(12), "");
    row.cells[ColCondenserIndex] = "3";
    row.cells[ColCondenserCount] = "2,5";
    EXPECT_TRUE(form.fill(store, "out", row, condensers(), ',').has_value());
}

TEST(TechFormPrefill, AUnitWithoutACondenserGetsEmptyFanCells) {
    Store store(20);
    TechForm form;
    Row row = twoCompressorUnit();
    row.cells[ColCondenserIndex] = "0";
    row.cells[ColCondenserCount] = "0";
    ASSERT_FALSE(form.fill(store, "out", row, condensers(), ','));
    EXPECT_EQ(form.value(11), "");
    EXPECT_EQ(form.value(15), "");
    EXPECT_EQ(form.value(10), "0");
}

TEST(TechFormFill, AnExistingRecordIsShownAndOfTwoWithTheSameNameTheLaterOne) {
    Store store(4);
    store.add("10", "U1");
    store.add("11", "U2");
    store.add("12", "U1");
    store.rows[0][2] = "early";
    store.rows[2][2] = "late";
    TechForm form;
    Row row;
    row.cells[ColName] = "U1";
    ASSERT_FALSE(form.fill(store, "ol", row, condensers(), ','));
    EXPECT_EQ(form.value(2), "late");
    form.setValue(3, "edited");
    std::string error;
    ASSERT_EQ(form.writeBack(store, "ol", row, &error), TechForm::WriteBack::Stored);
    EXPECT_EQ(store.rows[2][3], "edited");
    EXPECT_EQ(store.rows[0][3], "");
    EXPECT_EQ(row.cells[ColTechData], "12");
    EXPECT_EQ(store.rows.size(), 3u);
}

TEST(TechFormWriteBack, AUnitWithoutARecordAppendsOneAndItsKeyGoesIntoColumnNine) {
    Store store(20);
    store.add("41", "OTHER");
    TechForm form;
    Row row = twoCompressorUnit();
    ASSERT_FALSE(form.fill(store, "out", row, condensers(), ','));
    std::string error;
    ASSERT_EQ(form.writeBack(store, "out", row, &error), TechForm::WriteBack::Stored) << error;
    ASSERT_EQ(store.rows.size(), 2u);
    EXPECT_EQ(store.rows[1][1], "АННK3-2xA+B");
    EXPECT_EQ(store.rows[1][5], "A");
    EXPECT_EQ(row.cells[ColTechData], "42");
}

TEST(TechFormWriteBack, AKeyOnlyTableStillAppendsAnEmptyRecord) {
    Store store(1);
    TechForm form;
    Row row = twoCompressorUnit();
    ASSERT_FALSE(form.fill(store, "out", row, condensers(), ','));
    EXPECT_EQ(form.rowCount(), 2);
    std::string error;
    ASSERT_EQ(form.writeBack(store, "out", row, &error), TechForm::WriteBack::Stored);
    EXPECT_EQ(store.rows.size(), 1u);
    EXPECT_EQ(row.cells[ColTechData], "1");
}

// A refused write, and a record stored whose table could not be read back: either way no key is
// known, so the editor keeps what its column 9 held, and the result says which it was.
TEST(TechFormWriteBack, AWriteThatGivesNoKeyLeavesTheEditorAlone) {
    for (const bool stored : {false, true}) {
        Store store(5);
        store.refuse = !stored;
        store.unreadable = stored;
        TechForm form;
        Row row = twoCompressorUnit();
        row.cells[ColTechData] = "7";
        ASSERT_FALSE(form.fill(store, "ov", row, condensers(), ','));
        std::string error;
        EXPECT_EQ(form.writeBack(store, "ov", row, &error),
                  stored ? TechForm::WriteBack::StoredUnread : TechForm::WriteBack::Refused);
        EXPECT_EQ(store.rows.size(), stored ? 1u : 0u);
        EXPECT_EQ(error, "disk full");
        EXPECT_EQ(row.cells[ColTechData], "7");
    }
}

// The shared table switched to another kind, or the editor moved to another unit, after the
// window was filled: nothing is written and the editor keeps its key.
TEST(TechFormWriteBack, AnotherTableOrAnotherEditorRowIsRefused) {
    Store store(20);
    TechForm form;
    Row row = twoCompressorUnit();
    ASSERT_FALSE(form.fill(store, "out", row, condensers(), ','));
    std::string error;
    EXPECT_EQ(form.writeBack(store, "glco", row, &error), TechForm::WriteBack::Refused);
    EXPECT_NE(error.find("\"out\""), std::string::npos) << error;
    row.cells[ColName] = "ANOTHER";
    EXPECT_EQ(form.writeBack(store, "out", row, &error), TechForm::WriteBack::Refused);
    EXPECT_NE(error.find("ANOTHER"), std::string::npos) << error;
    EXPECT_TRUE(store.rows.empty());
    EXPECT_EQ(row.cells.count(ColTechData), 0u);
}

TEST(TechFormSums, FieldSeventeenOfTheCondensingUnitTableAddsTheFanPower) {
    Store store(20);
    TechForm form;
    Row row = twoCompressorUnit();
    row.cells[ColCondenserCount] = "1";
    ASSERT_FALSE(form.fill(store, "out", row, condensers(), ','));
    form.setValue(13, "5,5");
    ASSERT_TRUE(form.isSumField("out", 17));
    EXPECT_FALSE(form.computeSum("out", 17, row, condensers(), ','));
    EXPECT_EQ(form.value(17), "5,74");
    // Field 18: field 14 (not a number here, so 0) plus the fan current.
    form.setValue(14, "n/a");
    EXPECT_FALSE(form.computeSum("out", 18, row, condensers(), ','));
    EXPECT_EQ(form.value(18), "1,8");
    EXPECT_FALSE(form.isSumField("out", 16));
    EXPECT_FALSE(form.isSumField("agr", 17));
}

TEST(TechFormSums, ChillerSumsAndAColumnThatIsNoNumber) {
    Store store(34);
    TechForm form;
    Row row = twoCompressorUnit();
    ASSERT_FALSE(form.fill(store, "glcr", row, condensers(), '.'));
    form.setValue(24, "10.5");
    form.setValue(33, "2");
    ASSERT_FALSE(form.computeSum("glcr", 12, row, condensers(), '.'));
    EXPECT_EQ(form.value(12), "16.1");  // 10.5 + 2 + 2 condensers x 2 fans x 0.9
    form.setValue(23, "1");
    ASSERT_FALSE(form.computeSum("glcu", 13, row, condensers(), '.'));
    EXPECT_EQ(form.value(13), "4.6");
    row.cells[ColCondenserCount] = "";
    EXPECT_TRUE(form.computeSum("glcu", 13, row, condensers(), '.').has_value());
    EXPECT_EQ(form.value(13), "4.6");
}

TEST(TechFormDrawing, TheFolderKeepsItsSeparatorAndAPathWithoutOneShrinksToOneCharacter) {
    EXPECT_EQ(drawingFolder("TechnicalData\\abc.pdf"), "TechnicalData\\");
    EXPECT_EQ(drawingFolder("TechnicalData/sub/abc.pdf"), "TechnicalData/sub/");
    EXPECT_EQ(drawingFolder("abc.pdf"), "a");
    EXPECT_EQ(drawingFolder(""), "");
    EXPECT_EQ(drawingFolder("TechnicalData\\"), "TechnicalData\\");
}
