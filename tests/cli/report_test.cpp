// tundrix-cli report and list: the printed documents written as PDF files from a selection run
// on the sample catalogue, read back with pdftotext and pdfinfo.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "shellrun.h"

namespace tundrix {
namespace {

namespace fs = std::filesystem;

struct Shell {
    int status = -1;
    std::string output;  // stdout and stderr together
};

Shell shell(const std::string& cmd) {
    const clitest::ShellRun r = clitest::runShell(cmd + " 2>&1");
    return Shell{r.status, r.out};
}

Shell cliAndStderr(const std::string& args) {
    const fs::path exe = fs::path(TUNDRIX_BIN_DIR) / "tundrix-cli";
    return shell("LC_ALL=C QT_QPA_PLATFORM=offscreen " + exe.string() + " --data " +
                 std::string(TUNDRIX_SAMPLE_DATA) + " " + args);
}

std::string pdfText(const fs::path& f, int page = 0) {
    std::string range;
    if (page > 0)
        range = " -f " + std::to_string(page) + " -l " + std::to_string(page);
    return shell("pdftotext" + range + " " + f.string() + " -").output;
}

std::string pdfInfo(const fs::path& f, const std::string& key) {
    const std::string info = shell("pdfinfo " + f.string()).output;
    const auto at = info.find(key + ":");
    if (at == std::string::npos)
        return {};
    const auto end = info.find('\n', at);
    std::string v = info.substr(at + key.size() + 1, end - at - key.size() - 1);
    v.erase(0, v.find_first_not_of(' '));
    return v;
}

// A unit name in the JSON answer {"out":..., "row":..., "unit":"..."}.
std::string unitOf(const std::string& json) {
    const std::string key = "\"unit\":\"";
    const auto at = json.find(key);
    if (at == std::string::npos)
        return {};
    return json.substr(at + key.size(), json.find('"', at + key.size()) - at - key.size());
}

const std::string kCondensing =
    "--kind out --refrigerant 0 --brands 1,2,3,4 --level 2 --to -10 --ambient 30 --capacity 10";
const std::string kChiller =
    "--kind glco --refrigerant 1 --brands 1,2,3,4 --level 3 --to 5 --ambient 30 --capacity 40 "
    "--outlet 7";

class CliReport : public testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(fs::path(TUNDRIX_BIN_DIR) / "tundrix-cli"))
            FAIL() << "tundrix-cli is not built";
        if (!fs::exists(fs::path(TUNDRIX_SAMPLE_DATA) / "condensators.dat"))
            FAIL() << "the sample catalogue has not been generated";
        if (shell("pdftotext -v").status != 0)
            FAIL() << "pdftotext is not installed";
        dir_ = fs::temp_directory_path() / ("tundrix-report-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    fs::path dir_;
};

TEST_F(CliReport, CondensingUnitReportOnTheCursorRow) {
    const fs::path f = dir_ / "report.pdf";
    const Shell r = cliAndStderr("report --out " + f.string() + " " + kCondensing);
    ASSERT_EQ(r.status, 0) << r.output;
    const std::string unit = unitOf(r.output);
    ASSERT_FALSE(unit.empty()) << r.output;
    EXPECT_EQ(pdfInfo(f, "Title"), "Выбранная установка");
    const int pages = std::stoi(pdfInfo(f, "Pages"));
    EXPECT_GE(pages, 2);
    const std::string first = pdfText(f, 1);
    EXPECT_NE(first.find("ИСХОДНЫЕ ДАННЫЕ"), std::string::npos);
    EXPECT_EQ(first.find("ДАННЫЕ ПО ХЛАДОНОСИТЕЛЮ"), std::string::npos);
    EXPECT_NE(first.find("ТЕХНИЧЕСКИЕ ХАРАКТЕРИСТИКИ"), std::string::npos);
    // The unit's own technical record: field 1 is its name.
    EXPECT_NE(first.find("Название агрегата"), std::string::npos);
    EXPECT_NE(first.find(unit), std::string::npos);
    EXPECT_NE(pdfText(f, pages).find("КОМПЛЕКТ ПОСТАВКИ"), std::string::npos);
    EXPECT_NE(pdfText(f).find("СЕЗОННАЯ ЭФФЕКТИВНОСТЬ"), std::string::npos);
}

TEST_F(CliReport, ChillerReportCarriesTheLiquid) {
    const fs::path f = dir_ / "chiller.pdf";
    const Shell r = cliAndStderr("report --out " + f.string() + " " + kChiller +
                        " --liquid 1 --concentration 30 --inlet 12 --flow 2.5");
    ASSERT_EQ(r.status, 0) << r.output;
    const std::string text = pdfText(f, 1);
    const auto input = text.find("ИСХОДНЫЕ ДАННЫЕ");
    const auto liquid = text.find("ДАННЫЕ ПО ХЛАДОНОСИТЕЛЮ");
    const auto unit = text.find("ВЫБРАННАЯ УСТАНОВКА");
    ASSERT_NE(liquid, std::string::npos);
    EXPECT_LT(input, liquid);
    EXPECT_LT(liquid, unit);
    EXPECT_NE(text.find("Этиленгликоль 30%"), std::string::npos);
    EXPECT_NE(text.find("12 °C"), std::string::npos);
}

TEST_F(CliReport, RowOptionReportsThatRowInsteadOfTheCursorRow) {
    const Shell select = cliAndStderr("select " + kCondensing);
    ASSERT_EQ(select.status, 0) << select.output;
    const std::string key = "\"cursor\":";
    const auto at = select.output.find(key);
    ASSERT_NE(at, std::string::npos) << select.output;
    const int cursor = std::stoi(select.output.substr(at + key.size()));
    const int row = cursor == 1 ? 2 : 1;
    // The name shown in that row of the selection.
    const std::string rowKey = "{\"row\":" + std::to_string(row) + ",";
    const auto rowAt = select.output.find(rowKey);
    ASSERT_NE(rowAt, std::string::npos) << select.output;
    const std::string nameKey = "\"name\":\"";
    const auto nameAt = select.output.find(nameKey, rowAt) + nameKey.size();
    const std::string name = select.output.substr(nameAt, select.output.find('"', nameAt) - nameAt);
    ASSERT_FALSE(name.empty());

    const fs::path f = dir_ / "row.pdf";
    const Shell r =
        cliAndStderr("report --out " + f.string() + " --row " + std::to_string(row) + " " + kCondensing);
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(unitOf(r.output), name) << r.output;
    EXPECT_NE(pdfText(f, 1).find(name), std::string::npos) << name;
}

TEST_F(CliReport, RowWithoutAUnitWritesNothing) {
    const fs::path f = dir_ / "none.pdf";
    const Shell r = cliAndStderr("report --out " + f.string() + " --row 999 " + kCondensing);
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("nothing printed"), std::string::npos);
    EXPECT_FALSE(fs::exists(f));
}

TEST_F(CliReport, OutputFileIsRequired) {
    EXPECT_EQ(cliAndStderr("report " + kCondensing).status, 2);
    EXPECT_EQ(cliAndStderr("list " + kCondensing).status, 2);
}

TEST_F(CliReport, ListHoldsEveryResultRow) {
    const fs::path f = dir_ / "list.pdf";
    const Shell r = cliAndStderr("list --out " + f.string() + " " + kChiller);
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(pdfInfo(f, "Title"), "Список выбора");
    // The names of the first and the last row of the same selection.
    const Shell csv = cliAndStderr("--format csv select " + kChiller);
    ASSERT_EQ(csv.status, 0);
    std::vector<std::string> names;
    std::size_t start = csv.output.find('\n') + 1;
    while (start < csv.output.size()) {
        const auto end = csv.output.find('\n', start);
        const std::string line = csv.output.substr(start, end - start);
        // row,unit,name,...
        const auto b = line.find(',', line.find(',') + 1) + 1;
        names.push_back(line.substr(b, line.find(',', b) - b));
        start = end == std::string::npos ? csv.output.size() : end + 1;
    }
    ASSERT_GE(names.size(), 2u);
    ASSERT_FALSE(names.front().empty());
    ASSERT_FALSE(names.back().empty());
    std::string text;
    const int pages = std::stoi(pdfInfo(f, "Pages"));
    for (int p = 1; p <= pages; ++p)
        text += pdfText(f, p);
    EXPECT_NE(text.find("Холод-сть, кВт"), std::string::npos);
    EXPECT_NE(text.find(names.front()), std::string::npos) << names.front();
    EXPECT_NE(text.find(names.back()), std::string::npos) << names.back();
    // Forty lines of 2 lh to an A4 page at 8 points: the list runs over several pages.
    EXPECT_GE(pages, int(names.size() + 1) / 45);
}

}  // namespace
}  // namespace tundrix
