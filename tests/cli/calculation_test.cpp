// Calculation files on the command line: a run saved with units in its basket, opened again
// (on the same catalogue and on one that changed since), and offered as PDF and CSV.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "catalogue/filenames.h"
#include "catalogue/unitlisttable.h"
#include "shellrun.h"
#include "sampledata.h"

namespace tundrix {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

using testdata::kSampleData;
const std::string kRun =
    "select --kind out --refrigerant 0 --brands 1,2,3,4 --level 2 --to -10 --ambient 30 "
    "--capacity 10 --option 5:1";

std::string quoted(const std::string& s) {
    return "'" + s + "'";
}

class CliCalculation : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(kSampleData / "condensators.dat")) << "no sample catalogue";
        dir_ = fs::temp_directory_path() / ("tundrix-calc-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Output and status of tundrix-cli; standard error goes to err_.
    clitest::ShellRun cli(const std::string& args, const fs::path& data = kSampleData) {
        const std::string cmd = "QT_QPA_PLATFORM=offscreen " +
                                clitest::cliCommand("--data " + data.string() + " " + args) +
                                " 2>" + (dir_ / "err").string();
        auto r = clitest::runShell(cmd);
        std::ifstream e(dir_ / "err");
        std::stringstream s;
        s << e.rdbuf();
        err_ = s.str();
        return r;
    }
    json cliJson(const std::string& args, const fs::path& data = kSampleData) {
        const auto r = cli(args, data);
        EXPECT_EQ(r.status, 0) << args << "\n" << err_;
        return json::parse(r.out);
    }
    std::string file(const std::string& name) const { return (dir_ / name).string(); }
    json readFile(const std::string& name) const { return json::parse(std::ifstream(file(name))); }
    void writeFile(const std::string& name, const json& j) const {
        std::ofstream(file(name)) << j.dump(2);
    }

    fs::path dir_;
    std::string err_;
};

TEST_F(CliCalculation, ARunSavedWithItsBasketOpensToTheSameRowsAndIsOffered) {
    const json run = cliJson(kRun);
    const json& rows = run["rows"];
    const std::string cursorModel = run["model"];
    const std::string other = rows[2]["name"];  // by its catalogue name
    ASSERT_EQ(cli(kRun + " --save " + file("a.tundrix") + " --basket " +
                  quoted(cursorModel + ":2") + " --basket " + quoted(other + ":1"))
                  .status,
              0)
        << err_;

    const json opened = cliJson("open " + file("a.tundrix"));
    EXPECT_EQ(opened["rows"], rows);
    EXPECT_EQ(opened["cursor"], run["cursor"]);
    EXPECT_TRUE(opened["differences"].empty()) << opened["differences"].dump();
    const json& basket = opened["basket"]["rows"];
    ASSERT_EQ(basket.size(), 2u);
    EXPECT_EQ(basket[0]["cells"][1], cursorModel);
    EXPECT_EQ(basket[0]["cells"][2], "2");
    EXPECT_EQ(basket[1]["cells"][1], rows[2]["cells"][0]);
    const double total = 2 * rows[int(run["cursor"]) - 1]["price"].get<double>() +
                         rows[2]["price"].get<double>();
    EXPECT_EQ(std::stod(opened["basket"]["total"].get<std::string>()), total);

    // The cursor goes to the saved unit, wherever the required capacity would put it.
    json saved = readFile("a.tundrix");
    saved["cursor"]["out"] = rows[4]["name"];
    writeFile("b.tundrix", saved);
    EXPECT_EQ(cliJson("open " + file("b.tundrix"))["cursor"], 5);

    const json offer = cliJson("offer " + file("a.tundrix") + " --out " + file("offer.pdf"));
    EXPECT_EQ(offer["items"], 2);
    const std::string text =
        clitest::runShell("pdftotext -layout " + file("offer.pdf") + " -").out;
    EXPECT_NE(text.find("Коммерческое предложение"), std::string::npos);
    EXPECT_NE(text.find(cursorModel), std::string::npos);
    EXPECT_NE(text.find(rows[2]["cells"][0].get<std::string>()), std::string::npos);
    EXPECT_NE(text.find("Итого, EUR:"), std::string::npos);
    EXPECT_NE(text.find(opened["basket"]["total"].get<std::string>()), std::string::npos);
    EXPECT_NE(text.find("Страница 1 из 1"), std::string::npos);

    const auto csv = cli("--format csv offer " + file("a.tundrix"));
    EXPECT_EQ(csv.out.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(csv.out.find(";2;"), std::string::npos);

    // Each condensing unit carries its seasonal figures, a unit named again by another row too.
    const auto count = [](const std::string& t, const std::string& what) {
        std::size_t n = 0;
        for (auto at = t.find(what); at != std::string::npos; at = t.find(what, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count(text, "Регламент (ЕС) 2015/1095"), 2u) << text;
    json again = readFile("a.tundrix");
    json repeated = again["basket"][0];
    repeated["model"] = cursorModel + " (2)";
    again["basket"].push_back(repeated);
    writeFile("c.tundrix", again);
    EXPECT_EQ(cliJson("offer " + file("c.tundrix") + " --out " + file("offer3.pdf"))["items"], 3);
    const std::string three =
        clitest::runShell("pdftotext -layout " + file("offer3.pdf") + " -").out;
    EXPECT_EQ(count(three, "Регламент (ЕС) 2015/1095"), 3u) << three;
    EXPECT_EQ(count(three, "Электроэнергия за год"), 3u);
}

// A data folder that is the sample catalogue but for one unit list, which the test changes.
fs::path changedCatalogue(const fs::path& dir, const std::string& list, UnitListTable& table) {
    const fs::path data = dir / "data";
    fs::create_directories(data / "agrdata");
    for (const auto& e : fs::directory_iterator(kSampleData))
        if (e.path().filename() != "agrdata")
            fs::create_symlink(e.path(), data / e.path().filename());
    for (const auto& e : fs::directory_iterator(kSampleData / "agrdata"))
        if (e.path().filename() != list)
            fs::create_symlink(e.path(), data / "agrdata" / e.path().filename());
    EXPECT_TRUE(table.load(kSampleData / "agrdata" / list));
    return data;
}

TEST_F(CliCalculation, WhatChangedInTheCatalogueSinceSavingIsToldOnOpening) {
    const std::string list = agrfilename(UnitKind::Out, 2, 1, 0);
    UnitListTable table;
    const fs::path data = changedCatalogue(dir_, list, table);
    const std::string dearer = table.cell(0, 1);
    const std::string gone = table.cell(0, 2);
    ASSERT_EQ(cli(kRun + " --save " + file("a.tundrix") + " --basket " + quoted(dearer + ":1") +
                  " --basket " + quoted(gone + ":3"))
                  .status,
              0)
        << err_;
    table.setCell(10, 1, std::to_string(std::stoi(table.cell(10, 1)) + 100));
    table.setCell(0, 2, gone + "-снят");
    ASSERT_TRUE(table.save(data / "agrdata" / list));
    json saved = readFile("a.tundrix");
    saved["results"][0]["capacity"] = saved["results"][0]["capacity"].get<double>() * 1.01;
    writeFile("a.tundrix", saved);

    const json d = cliJson("open " + file("a.tundrix"), data)["differences"];
    ASSERT_EQ(d.size(), 3u) << d.dump(1);
    EXPECT_EQ(d[0]["kind"], "result-changed");
    EXPECT_EQ(d[0]["field"], "capacity");
    EXPECT_EQ(d[1]["kind"], "price-changed");
    EXPECT_EQ(d[1]["where"], "basket");
    EXPECT_EQ(d[1]["now"].get<double>() - d[1]["saved"].get<double>(), 100);
    EXPECT_EQ(d[2]["kind"], "unit-gone");
    EXPECT_EQ(d[2]["unit"], gone);
    // The basket keeps the price it was saved with.
    const json opened = cliJson("open " + file("a.tundrix"), data);
    EXPECT_EQ(opened["basket"]["rows"][0]["cells"][3],
              saved["basket"][0]["unit"]["listPrice"].dump());
}

TEST_F(CliCalculation, BadFilesAndArgumentsGiveOneLineAndStatusTwo) {
    std::ofstream(file("text.tundrix")) << "not a calculation";
    std::ofstream(file("newer.tundrix")) << R"({"format":"tundrix-calculation","version":7})";
    std::ofstream(file("gas.tundrix"))
        << R"({"format":"tundrix-calculation","version":1,"inputs":{"refrigerant":42}})";
    const std::pair<std::string, std::string> cases[] = {
        {"open " + file("text.tundrix"), "не файл JSON"},
        {"offer " + file("newer.tundrix") + " --out " + file("x.pdf"), "более новой версией"},
        {"open " + file("gas.tundrix"), "хладагент 42"},
        {"open " + file("missing.tundrix"), "файла нет"},
        {"offer " + file("gas.tundrix"), "хладагент 42"},
        {kRun + " --basket X:1", "--basket goes with --save"},
        {kRun + " --save " + file("c.tundrix") + " --basket nosuchunit:1", "no unit nosuchunit"},
        {kRun + " --save " + file("c.tundrix") + " --basket A:0", "NAME:QTY"},
    };
    for (const auto& [args, reason] : cases) {
        EXPECT_EQ(cli(args).status, 2) << args;
        EXPECT_NE(err_.find(reason), std::string::npos) << args << ": " << err_;
        EXPECT_EQ(std::count(err_.begin(), err_.end(), '\n'), 1) << err_;
    }
    EXPECT_FALSE(fs::exists(file("x.pdf")));
    EXPECT_FALSE(fs::exists(file("c.tundrix")));
}

}  // namespace
}  // namespace tundrix
