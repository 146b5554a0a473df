// tundrix-cli liquid: the chilled-liquid calculation on the command line.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "shellrun.h"

namespace tundrix {
namespace {

namespace fs = std::filesystem;

struct LiquidRun {
    int status = -1;
    std::map<std::string, std::string> values;  // the CSV rows quantity -> value
    std::string output;                         // stdout and stderr together
};

LiquidRun liquid(const std::string& args) {
    const clitest::ShellRun run =
        clitest::runShell(clitest::cliCommand("--format csv liquid " + args) + " 2>&1");
    LiquidRun r;
    r.status = run.status;
    r.output = run.out;
    std::istringstream lines(r.output);
    for (std::string line; std::getline(lines, line);)
        if (const auto comma = line.find(','); comma != std::string::npos)
            r.values[line.substr(0, comma)] = line.substr(comma + 1);
    return r;
}

double number(const LiquidRun& r, const std::string& key) {
    const auto it = r.values.find(key);
    return it == r.values.end() ? -1e300 : std::stod(it->second);
}

class CliLiquid : public testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(fs::path(TUNDRIX_BIN_DIR) / "tundrix-cli"))
            FAIL() << "tundrix-cli is not built";
    }
};

TEST_F(CliLiquid, WaterAtOneKilogramPerSecondFromTwentyToFifteenNeeds21kW) {
    const LiquidRun r = liquid("--inlet 20 --outlet 15 --flow 1");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.values.at("capacity_text"), "21");
    EXPECT_DOUBLE_EQ(number(r, "capacity"), 21.0);
    EXPECT_EQ(r.values.at("freezing_warning"), "0");
    EXPECT_DOUBLE_EQ(number(r, "density"), 1000.0);
    // The same flow as 3.6 m3/h.
    const LiquidRun v = liquid("--inlet 20 --outlet 15 --flow 3.6 --flow-type 1 --flow-unit 2");
    EXPECT_EQ(v.values.at("capacity_text"), "21");
}

TEST_F(CliLiquid, TheExchangerHistoryDecidesTheFreezingWarning) {
    const std::string glycol = "--liquid 1 --concentration 30 --inlet 20 --outlet -12 --flow 1";
    const LiquidRun fresh = liquid(glycol);
    ASSERT_EQ(fresh.status, 0) << fresh.output;
    EXPECT_EQ(fresh.values.at("freezing_warning"), "0");
    EXPECT_NEAR(number(fresh, "freezing_point"), -15.8, 1e-12);
    EXPECT_NEAR(number(fresh, "specific_heat"), 3.669, 1e-12);
    EXPECT_EQ(liquid(glycol + " --exchanger 0").values.at("freezing_warning"), "1");
    const LiquidRun back = liquid(glycol + " --exchanger-history 0 --exchanger 3");
    EXPECT_EQ(back.values.at("freezing_warning"), "1");
    EXPECT_DOUBLE_EQ(number(back, "exchanger_difference"), 5.0);
}

TEST_F(CliLiquid, AMissingFieldStopsWithTheDialogsMessage) {
    const LiquidRun r = liquid("--inlet 20 --outlet 15");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("Введите пожалуйста все данные"), std::string::npos) << r.output;
    EXPECT_EQ(liquid("--inlet 20 --outlet 15 --flow 1 --liquid 5").status, 2);
}

}  // namespace
}  // namespace tundrix
