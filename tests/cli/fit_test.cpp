// tundrix-cli fit: ten catalogue points in, the four coefficient sets of the table builder out.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "engine/polyfit.h"
#include "shellrun.h"

namespace tundrix {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

using FitRun = clitest::ShellRun;

FitRun run(const std::string& args) {
    return clitest::runShell(clitest::cliCommand(args) + " 2>&1");
}

const Poly10 kQ = {20.5, 0.71, -0.23, 0.0105, -0.0031, 0.0007, 4.1e-5, -2.2e-5, 1.3e-5, -6e-6};
const Poly10 kW = {3.2, -0.012, 0.061, -2.1e-4, 3.3e-4, 6.4e-4, -1e-6, 2e-6, -3e-6, 4e-6};
const double kTo[10] = {-30, -30, -20, -20, -10, -10, -10, 0, 0, 5};
const double kTc[10] = {30, 50, 35, 55, 30, 45, 55, 40, 50, 45};

// The points file: a heading, then Q0, W, I, Qmo, t0, tc per line; I is constant, Qmo zero.
fs::path writePoints(int count) {
    const fs::path file = fs::temp_directory_path() / ("tundrix-fit-" + std::to_string(::getpid()) +
                                                       "-" + std::to_string(count) + ".csv");
    std::ofstream out(file);
    out.precision(17);
    out << "Q0,W,I,Qmo,t0,tc\n";
    for (int q = 0; q < count; ++q)
        out << poly10(kQ, kTo[q], kTc[q]) << ", " << poly10(kW, kTo[q], kTc[q]) << ",7.5,0,"
            << kTo[q] << "," << kTc[q] << "\n";
    return file;
}

// What the builder's fit gives for the same points, computed here directly.
Poly10 directFit(const Poly10& c) {
    FitPoints p{};
    for (int q = 0; q < 10; ++q)
        p[std::size_t(q)] = {kTo[q], kTc[q], poly10(c, kTo[q], kTc[q])};
    return fitpoly10(p);
}

TEST(CliFit, TenPointsGiveTheBuildersCoefficientsToTheLastBit) {
    if (!fs::exists(clitest::cliProgram()))
        FAIL() << "tundrix-cli not built";
    const fs::path file = writePoints(10);
    const FitRun r = run("fit " + file.string());
    fs::remove(file);
    ASSERT_EQ(r.status, 0) << r.out;
    const json j = json::parse(r.out);
    const Poly10 c = directFit(kQ);
    const Poly10 cw = directFit(kW);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(j["c"][i].get<double>(), c[std::size_t(i)]) << "c" << i + 1;
        EXPECT_EQ(j["cw"][i].get<double>(), cw[std::size_t(i)]) << "cw" << i + 1;
        EXPECT_NEAR(j["c"][i].get<double>(), kQ[std::size_t(i)], 1e-9);
        EXPECT_EQ(j["mo"][i].get<double>(), 0.0);
    }
    EXPECT_NEAR(j["ci"][0].get<double>(), 7.5, 1e-12);
    EXPECT_LT(j["max_deviation"]["c"].get<double>(), 1e-9);
}

TEST(CliFit, StandardInputAndCsvOutput) {
    if (!fs::exists(clitest::cliProgram()))
        FAIL() << "tundrix-cli not built";
    const fs::path file = writePoints(10);
    const FitRun r = run("--format csv fit < " + file.string());
    const FitRun fourth = run("--format csv fit --fourth-only - < " + file.string());
    fs::remove(file);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.rfind("set,c1,c2,c3,c4,c5,c6,c7,c8,c9,c10,max_deviation\nc,", 0), 0u) << r.out;
    int lines = 0;
    for (char ch : r.out)
        lines += ch == '\n';
    EXPECT_EQ(lines, 5);
    ASSERT_EQ(fourth.status, 0) << fourth.out;
    EXPECT_NE(fourth.out.find("\nmo,"), std::string::npos);
    EXPECT_EQ(fourth.out.find("\nc,"), std::string::npos);
}

TEST(CliFit, OtherThanTenPointsOrAFieldThatIsNoNumberIsAnError) {
    if (!fs::exists(clitest::cliProgram()))
        FAIL() << "tundrix-cli not built";
    const fs::path nine = writePoints(9);
    const FitRun r = run("fit " + nine.string());
    fs::remove(nine);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("9 points"), std::string::npos) << r.out;

    const fs::path bad = writePoints(10);
    {
        std::ofstream out(bad, std::ios::app);
        out << "1,2,x,4,5,6\n";
    }
    const FitRun b = run("fit " + bad.string());
    fs::remove(bad);
    EXPECT_EQ(b.status, 1);
    EXPECT_NE(b.out.find("line 12"), std::string::npos) << b.out;
    EXPECT_EQ(run("fit a.csv b.csv").status, 2);
}

}  // namespace
}  // namespace tundrix
