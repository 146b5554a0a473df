// The service as a service: catalogue files changed on disk are seen by the next request,
// requests in parallel get the answers they would get alone, a burst of new clients is let in at
// once, and SIGTERM lets the requests in flight finish.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "server/rawhttp.h"
#include "server/serverprocess.h"

namespace tundrix::servertest {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

json inputs(const json& refrigerant, std::vector<int> brands) {
    return {{"tab", "out"},   {"evaporate", -10},           {"ambient", 30}, {"ambientMode", true},
            {"required", 10}, {"refrigerant", refrigerant}, {"level", 2},    {"brands", brands}};
}

std::string cliSelect(int refrigerant, const std::string& brands, const fs::path& data) {
    return clitest::runShell(
               clitest::cliCommand("--data " + data.string() + " select --kind out --refrigerant " +
                                   std::to_string(refrigerant) + " --brands " + brands +
                                   " --level 2 --to -10 --ambient 30 --capacity 10"))
        .out;
}

TEST(Service, SeesCatalogueFilesChangedOnDisk) {
    // The sample catalogue by links, but for a copy of Bock's coefficient file.
    const fs::path data = fs::temp_directory_path() / ("server-data-" + std::to_string(::getpid()));
    fs::create_directories(data);
    for (const auto& e : fs::directory_iterator(TUNDRIX_SAMPLE_DATA))
        if (e.path().filename() != "bock.dat")
            fs::create_symlink(e.path(), data / e.path().filename());
    fs::copy_file(fs::path(TUNDRIX_SAMPLE_DATA) / "bock.dat", data / "bock.dat");
    ServerProcess server({"--data", data.string()});
    auto select = [&] {
        return server.client().Post("/api/v1/select", inputs(0, {1}).dump(), "application/json");
    };
    const auto before = select();
    ASSERT_EQ(before->status, 200);
    EXPECT_EQ(before->body, cliSelect(0, "1", data));
    // Replaced by a rename, as the table builder writes it: Bitzer's records under Bock's name.
    fs::copy_file(fs::path(TUNDRIX_SAMPLE_DATA) / "bitzer.dat", data / "bock.dat.new");
    fs::rename(data / "bock.dat.new", data / "bock.dat");
    const auto after = select();
    ASSERT_EQ(after->status, 200);
    EXPECT_NE(after->body, before->body);
    EXPECT_EQ(after->body, cliSelect(0, "1", data));
    server.stop();
    fs::remove_all(data);
}

TEST(Service, ParallelRequestsGetTheAnswersTheyWouldGetAlone) {
    ServerProcess server;
    const std::vector<json> refrigerants = {0, "R22", "R448A", "R290"};
    std::vector<std::string> alone;
    for (const json& r : refrigerants)
        alone.push_back(
            server.client()
                .Post("/api/v1/select", inputs(r, {1, 2, 3, 4}).dump(), "application/json")
                ->body);
    std::vector<std::future<int>> clients;
    for (int c = 0; c < 8; ++c)
        clients.push_back(std::async(std::launch::async, [&, c] {
            int wrong = 0;
            for (int i = 0; i < 6; ++i) {
                const std::size_t k = std::size_t(c + i) % refrigerants.size();
                const auto r = server.client().Post("/api/v1/select",
                                                    inputs(refrigerants[k], {1, 2, 3, 4}).dump(),
                                                    "application/json");
                wrong += !r || r->status != 200 || r->body != alone[k];
            }
            return wrong;
        }));
    for (auto& c : clients)
        EXPECT_EQ(c.get(), 0);
}

TEST(Service, ABurstOfNewClientsIsLetInAtOnce) {
    // Connections the server has not yet accepted wait in the kernel's queue; when it is full,
    // a client's connection attempt is dropped and tried again only a second later.
    ServerProcess server;
    for (int round = 0; round < 2; ++round) {
        std::vector<std::future<double>> clients;
        for (int c = 0; c < 128; ++c)
            clients.push_back(std::async(std::launch::async, [&] {
                const auto start = std::chrono::steady_clock::now();
                RawConnection raw(server.port());
                const bool answered =
                    raw.send(
                        "GET /api/v1/kinds HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n") &&
                    raw.status() == 200;
                return answered
                           ? std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
                                 .count()
                           : 99.0;
            }));
        int slow = 0;
        for (auto& c : clients)
            slow += c.get() > 0.9;
        EXPECT_EQ(slow, 0) << "round " << round;
    }
}

TEST(Service, EndsOnSigtermOnceRequestsInFlightAreAnswered) {
    ServerProcess server;
    RawConnection slow(server.port());
    ASSERT_TRUE(slow.connected());
    const std::string body = inputs(0, {1, 2, 3, 4}).dump();
    ASSERT_TRUE(
        slow.send("POST /api/v1/select HTTP/1.1\r\nHost: x\r\nContent-Type: "
                  "application/json\r\nContent-Length: " +
                  std::to_string(body.size()) + "\r\n\r\n" + body.substr(0, 10)));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    auto stopped = std::async(std::launch::async, [&] { return server.stop(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_TRUE(slow.send(body.substr(10)));
    EXPECT_EQ(slow.status(), 200);
    EXPECT_EQ(stopped.get(), 0);
    const std::string log = server.log();
    EXPECT_NE(log.find("POST /api/v1/select 200"), std::string::npos) << log;
    EXPECT_NE(log.find("tundrix-server: ended"), std::string::npos) << log;
    EXPECT_FALSE(RawConnection(server.port(), 1).connected());
}

}  // namespace
}  // namespace tundrix::servertest
