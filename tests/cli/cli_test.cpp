// tundrix-cli run as a user runs it: exit codes, messages, and the printed selection compared
// with the selection core called directly on the same sample catalogue.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/refrigerants.h"
#include "engine/cyclestate.h"
#include "engine/refprop.h"
#include "selection/selectionrun.h"
#include "shellrun.h"
#include "sampledata.h"

namespace tundrix {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

using testdata::kSampleData;
const fs::path kCli = clitest::cliProgram();

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the program in the C locale and collects its output, its messages and its status.
CliRun cli(const std::string& args) {
    const fs::path errFile =
        fs::temp_directory_path() / ("tundrix-cli-err-" + std::to_string(::getpid()));
    const clitest::ShellRun run =
        clitest::runShell(clitest::cliCommand(args) + " 2>" + errFile.string());
    CliRun r{run.status, run.out, {}};
    if (std::FILE* e = std::fopen(errFile.c_str(), "r")) {
        std::array<char, 4096> buf{};
        std::size_t n = 0;
        while ((n = std::fread(buf.data(), 1, buf.size(), e)) > 0)
            r.err.append(buf.data(), n);
        std::fclose(e);
    }
    fs::remove(errFile);
    return r;
}

bool haveSample() {
    return fs::exists(kSampleData / "condensators.dat") && fs::exists(kCli);
}

TEST(CliUsage, BadArgumentsExitWithStatusTwoAndOneLine) {
    if (!fs::exists(kCli))
        FAIL() << "tundrix-cli not built";
    for (const std::string args :
         {"select --kind xyz --refrigerant 0 --brands 1 --level 1 --to -10 --ambient 30",
          "select --kind out --refrigerant 15 --brands 1 --level 1 --to -10 --ambient 30",
          "select --kind out --refrigerant 0 --brands 1 --level 1 --to abc --ambient 30",
          "select --kind out --refrigerant 0 --brands 1 --level 1 --to -10",
          "props --refrigerant 0 --to -10 --tc 40 --bogus 1", "nosuchcommand", ""}) {
        const CliRun r = cli("--data " + kSampleData.string() + " " + args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_TRUE(r.out.empty()) << args;
        EXPECT_FALSE(r.err.empty()) << args;
        // One clear line (the bare program prints its usage instead).
        if (!args.empty()) {
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        }
    }
}

TEST(CliUsage, AFolderWithoutACatalogueIsRefused) {
    if (!fs::exists(kCli))
        FAIL() << "tundrix-cli not built";
    const fs::path empty = fs::temp_directory_path() / ("tundrix-cli-empty-" + std::to_string(::getpid()));
    fs::create_directories(empty);
    for (const fs::path& dir : {empty, empty / "missing"}) {
        const CliRun r = cli("--data " + dir.string() +
                             " select --kind agr --refrigerant 404a --brands 1 --level 0 --to -10 --tc 40");
        EXPECT_EQ(r.status, 1) << dir;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find("no catalogue in " + dir.string()), std::string::npos) << r.err;
    }
    fs::remove_all(empty);
}

TEST(CliUsage, HelpForTheProgramAndEachCommand) {
    if (!fs::exists(kCli))
        FAIL() << "tundrix-cli not built";
    const CliRun top = cli("--help");
    EXPECT_EQ(top.status, 0);
    for (const char* c : {"props", "unit", "select", "calc"}) {
        EXPECT_NE(top.out.find(c), std::string::npos) << c;
        const CliRun r = cli(std::string(c) + " --help");
        EXPECT_EQ(r.status, 0) << c;
        EXPECT_NE(r.out.find("usage: tundrix-cli " + std::string(c)), std::string::npos) << c;
    }
}

// The refrigerant table as JSON and CSV; every command that takes --refrigerant takes its index,
// caption or code alike and refuses anything else with one line that lists the valid names.
TEST(CliRefrigerants, TheTableAndItsNames) {
    if (!haveSample())
        GTEST_SKIP() << "no sample catalogue";
    const CliRun r = cli("refrigerants");
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    ASSERT_EQ(int(j.size()), kRefrigerants);
    EXPECT_EQ(j[0]["caption"], "R404A/R507");
    EXPECT_EQ(j[0]["gwp_all"], json::array({3922, 3985}));
    EXPECT_EQ(j[5]["label"], "A3, ПГП 3, горючий");
    const CliRun csv = cli("--format csv refrigerants");
    ASSERT_EQ(csv.status, 0);
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), kRefrigerants + 1);
    EXPECT_NE(csv.out.find("\n7,R1234yf,1234yf,mass1234yf.dat,A2L,4,true,"), std::string::npos);

    const std::string select = "--data " + kSampleData.string() +
                               " select --kind out --brands 1,2,3,4 --level 1 --to -35 "
                               "--ambient 30 --capacity 5 --refrigerant ";
    const CliRun byIndex = cli(select + std::to_string(refrigerantIndex("448a")));
    ASSERT_EQ(byIndex.status, 0) << byIndex.err;
    EXPECT_GT(json::parse(byIndex.out)["count"].get<int>(), 0);
    for (const char* name : {"R448A", "448a", "r448A"})
        EXPECT_EQ(cli(select + name).out, byIndex.out) << name;
    const json props = json::parse(
        cli("--data " + kSampleData.string() + " props --refrigerant 448A --to -10 --tc 40").out);
    EXPECT_EQ(props["refrigerant"], refrigerantIndex("448a"));
    EXPECT_EQ(props["refrigerant_code"], "448a");
    EXPECT_EQ(props["refrigerant_caption"], "R448A");

    for (const std::string args :
         {"props --to -10 --tc 40", "unit --kind out --brand 1 --level 1 --row 1 --to -10 --tc 40",
          "select --kind out --brands 1 --level 1 --to -10 --ambient 30",
          "calc --brand 1 --level 2 --compressor 0 --condenser 0 --to -10 --ambient 30",
          "report --out x.pdf --kind out --brands 1 --level 1 --to -10 --ambient 30",
          "seasonal --brands 1 --level 2"}) {
        for (const std::string& bad : {std::to_string(kRefrigerants), std::string("R999")}) {
            const CliRun run =
                cli("--data " + kSampleData.string() + " " + args + " --refrigerant " + bad);
            EXPECT_EQ(run.status, 2) << args;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            EXPECT_NE(run.err.find(bad + " is not in the refrigerant table"), std::string::npos)
                << run.err;
            EXPECT_NE(run.err.find("9 R448A (448a)"), std::string::npos) << run.err;
        }
    }
}

TEST(CliProps, CorrectionFactorsFromThePropertyTables) {
    if (!haveSample())
        FAIL() << "no sample catalogue";
    const CliRun r = cli("--data " + kSampleData.string() +
                         " props --refrigerant 1 --to -10 --tc 40 "
                         "--superheat 20 --subcool 5");
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    CycleState cycle;
    ASSERT_TRUE(cycle.loadRefrigerant(1, kSampleData));
    EXPECT_EQ(j["corrfactor"].get<double>(), capcorrection(cycle.table, 1, -10, 40, 20, 5));
    EXPECT_EQ(j["shfactor"].get<double>(), capcorrection(cycle.table, 1, -10, 40, 20, 0));
    EXPECT_GT(j["corrfactor"].get<double>(), j["shfactor"].get<double>());  // subcooling helps
    EXPECT_LT(j["to_p_dew"].get<double>(), j["tc_p_bubble"].get<double>());
}

struct KindCase {
    const char* code;
    UnitKind kind;
    int refrigerant;
    int level;
    bool ambient;
    int outlet;  // chilled-liquid outlet temperature (chillers compute to = outlet - delta)
};

// Every kind at its level's typical conditions, as the windows would start it.
constexpr KindCase kKinds[] = {
    {"out", UnitKind::Out, 0, 1, true, 0},    {"agr", UnitKind::Agr, 0, 1, false, 0},
    {"mka", UnitKind::Mka, 1, 2, false, 0},   {"glco", UnitKind::Glco, 2, 3, true, 12},
    {"glcu", UnitKind::Glcu, 2, 3, true, 12}, {"glcr", UnitKind::Glcr, 2, 3, true, 12},
    {"glck", UnitKind::Glck, 2, 3, true, 12}, {"ov", UnitKind::Ov, 2, 3, false, 12},
    {"os", UnitKind::Os, 2, 2, false, 0},     {"on", UnitKind::On, 1, 4, false, -15},
};

// Non-finite numbers are printed as null.
bool sameNumber(const json& j, double v) {
    if (!std::isfinite(v))
        return j.is_null();
    return j.is_number() && j.get<double>() == v;
}

TEST(CliSelect, EveryKindPrintsWhatTheCoreComputes) {
    if (!haveSample())
        FAIL() << "no sample catalogue";
    for (const KindCase& k : kKinds) {
        SCOPED_TRACE(k.code);
        const double to = k.level == 1 ? -30 : k.level == 2 ? -10 : 5;
        std::string args = "--data " + kSampleData.string() + " select --kind " + k.code +
                           " --refrigerant " + std::to_string(k.refrigerant) +
                           " --brands 1,2,3,4 --level " + std::to_string(k.level) + " --to " +
                           std::to_string(int(to)) + (k.ambient ? " --ambient 32" : " --tc 40") +
                           " --capacity 20 --outlet " + std::to_string(k.outlet) + " --subcool 3";
        const CliRun r = cli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const json j = json::parse(r.out);

        auto cat = std::make_unique<Catalogue>(kSampleData);
        CycleState cycle;
        cat->conderlist.load(kSampleData / "condensators.dat");
        cat->preloadtables(k.refrigerant);
        cycle.refrigerant = k.refrigerant;
        setCondfactor(cycle);
        SelectionInputs in;
        in.decimalSeparator = '.';
        in.kind = k.kind;
        in.refrigerant = k.refrigerant;
        in.brandChecked = {false, true, true, true, true};
        in.levelChoice = k.level;
        in.ambientMode = k.ambient;
        in.evaporate = std::to_string(int(to));
        in.ambient = "32";
        in.condensate = "40";
        in.subcool = "3";
        in.required = "20";
        in.outlet = std::to_string(k.outlet);
        const SelectionResult res = Tableoperations(*cat, cycle, in);

        EXPECT_EQ(j["count"].get<int>(), res.count);
        EXPECT_GT(res.count, 0);
        EXPECT_EQ(j["cursor"].get<int>(), res.cursorRow);
        EXPECT_EQ(j["hidden"].get<bool>(), res.pagesHidden);
        EXPECT_EQ(j["label"].get<std::string>(), res.progressLabel);
        EXPECT_EQ(j["corrfactor"].get<double>(), res.corrfactor);
        ASSERT_FALSE(res.pagesHidden);
        ASSERT_EQ(j["rows"].size() + 1, res.rows.size());
        int inside = 0;
        for (std::size_t i = 1; i < res.rows.size(); ++i) {
            const json& row = j["rows"][i - 1];
            const SelectionRow& want = res.rows[i];
            EXPECT_EQ(row["row"].get<int>(), int(i));
            EXPECT_EQ(row["unit"].get<int>(), want.unit);
            EXPECT_EQ(row["name"].get<std::string>(), cat->agrlist.name[std::size_t(want.unit)]);
            EXPECT_EQ(row["inside"].get<bool>(), want.inside);
            EXPECT_TRUE(sameNumber(row["capacity"], want.capacity)) << i;
            EXPECT_TRUE(sameNumber(row["power"], want.power)) << i;
            EXPECT_TRUE(sameNumber(row["heat"], want.heat)) << i;
            EXPECT_TRUE(sameNumber(row["current"], want.current)) << i;
            EXPECT_TRUE(sameNumber(row["tc"], want.tc)) << i;
            for (std::size_t c = 0; c < 6; ++c)
                EXPECT_EQ(row["cells"][c].get<std::string>(), want.cells[c]) << i << ":" << c;
            inside += want.inside;
        }
        // At the level's typical conditions most units are inside their envelopes.
        EXPECT_GT(inside, 0);
    }
}

TEST(CliSelect, CsvHasOneLinePerRow) {
    if (!haveSample())
        FAIL() << "no sample catalogue";
    const std::string base = "--data " + kSampleData.string() +
                             " select --kind out --refrigerant 0 --brands 1 --level 1 --to -30 "
                             "--ambient 30";
    const CliRun js = cli(base);
    const CliRun csv = cli("--format csv " + base);
    ASSERT_EQ(csv.status, 0) << csv.err;
    const json j = json::parse(js.out);
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), long(j["rows"].size()) + 1);
    EXPECT_EQ(csv.out.rfind("row,unit,name,", 0), 0u);
}

// The seasonal figures of a refrigerant named by caption are those of its index, and the
// document names the refrigerant it computed; bad settings end with one line and status 2.
TEST(CliSeasonal, RefrigerantByNameAndBadSettings) {
    if (!haveSample())
        FAIL() << "no sample catalogue";
    const std::string base = "--data " + kSampleData.string() + " seasonal --brands 1,2 --level 2 ";
    const CliRun byIndex = cli(base + "--refrigerant " + std::to_string(refrigerantIndex("448a")));
    ASSERT_EQ(byIndex.status, 0) << byIndex.err;
    EXPECT_EQ(cli(base + "--refrigerant r448a").out, byIndex.out);
    const json j = json::parse(byIndex.out);
    EXPECT_EQ(j["refrigerant"], refrigerantIndex("448a"));
    EXPECT_EQ(j["refrigerant_code"], "448a");
    EXPECT_EQ(j["refrigerant_caption"], "R448A");
    ASSERT_FALSE(j["rows"].empty());
    EXPECT_EQ(j["rows"][0]["application"], "MT");

    const fs::path notBins =
        fs::temp_directory_path() / ("tundrix-cli-climate-" + std::to_string(::getpid()) + ".csv");
    {
        std::FILE* f = std::fopen(notBins.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs("temperature;hours\nwarm;12\n", f);
        std::fclose(f);
    }
    for (const std::string& bad :
         {std::string("--tariff -0.1"), std::string("--climate ") + notBins.string(),
          std::string("--floor 90"), std::string("--kind agr")}) {
        const CliRun r = cli(base + "--refrigerant R448A " + bad);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_TRUE(r.out.empty()) << bad;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << bad << ": " << r.err;
    }
    fs::remove(notBins);
}

TEST(CliCalc, CalculatorResultsAndEnvelope) {
    if (!haveSample())
        FAIL() << "no sample catalogue";
    const CliRun r = cli("--data " + kSampleData.string() +
                         " calc --brand 1 --level 1 --refrigerant 0 --compressor 0 --condenser 2 "
                         "--to -30 --ambient 30");
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    EXPECT_TRUE(j["computed"].get<bool>());
    EXPECT_GT(j["capacity"].get<double>(), 0);
    EXPECT_GT(j["tc"].get<double>(), 30);  // the condenser needs a temperature difference
    EXPECT_EQ(j["envelope"].size(), 12u);
    // Typed condensing temperature of a table brand: no heat rejection shown.
    const CliRun t = cli("--data " + kSampleData.string() +
                         " calc --brand 2 --level 1 --refrigerant 0 --compressor 0 --condenser 0 "
                         "--to -30 --tc 40");
    ASSERT_EQ(t.status, 0) << t.err;
    const json jt = json::parse(t.out);
    EXPECT_EQ(jt["texts"]["condensate"].get<std::string>(), "40");
    EXPECT_EQ(jt["texts"]["Edit2"].get<std::string>(), "0");
}

}  // namespace
}  // namespace tundrix
