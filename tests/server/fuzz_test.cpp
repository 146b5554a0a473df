// A few hundred bad requests, bounded in time: broken and mutated JSON, wrong types, huge
// numbers, deep nesting, made-up paths and methods, a 100 MB body, slow and truncated requests,
// a basket of 10,000 rows. Each gets a clear 4xx (or, where the mutation left valid input, an
// answer), none a 5xx, the service stays up, and a client selecting meanwhile is served as
// usual.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <atomic>
#include <chrono>
#include <future>
#include <random>
#include <string>
#include <vector>

#include "server/rawhttp.h"
#include "server/serverprocess.h"

namespace tundrix::servertest {
namespace {

using nlohmann::json;
using Clock = std::chrono::steady_clock;

const json kInputs = {{"tab", "out"},        {"evaporate", -10},       {"ambient", 30},
                      {"ambientMode", true}, {"required", 10},         {"refrigerant", "R404A"},
                      {"level", 0},          {"brands", {1, 2, 3, 4}}, {"racks", {2, 3}},
                      {"cheapest", false},   {"chillerType", 1},       {"superheat", 10}};

struct Tally {
    int answered = 0, serverErrors = 0, notJsonErrors = 0;
    std::vector<std::string> faults;
    void take(const httplib::Result& r, const std::string& what) {
        if (!r) {
            faults.push_back("no answer: " + what);
            return;
        }
        ++answered;
        if (r->status >= 500) {
            ++serverErrors;
            faults.push_back(std::to_string(r->status) + " " + what + " -> " + r->body);
        } else if (r->status >= 400 && !json::parse(r->body, nullptr, false).contains("error")) {
            ++notJsonErrors;
            faults.push_back("not a JSON error: " + what + " -> " + r->body);
        }
    }
};

std::vector<std::string> mutations(std::mt19937& rng) {
    std::vector<std::string> bodies;
    const std::string text = kInputs.dump();
    std::uniform_int_distribution<std::size_t> at(0, text.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 60; ++i) {  // bytes changed
        std::string t = text;
        for (int k = 0; k < 1 + i % 4; ++k)
            t[at(rng)] = char(byte(rng));
        bodies.push_back(t);
    }
    for (int i = 0; i < 40; ++i)  // cut short
        bodies.push_back(text.substr(0, at(rng)));
    // every member with a value of every wrong kind
    const std::vector<json> values = {"",
                                      "text",
                                      json::array(),
                                      json::object(),
                                      nullptr,
                                      true,
                                      -1,
                                      1e308,
                                      -1e308,
                                      4e-320,
                                      9223372036854775807LL,
                                      json::array({json::array({1})}),
                                      3.5};
    for (const auto& [key, _] : kInputs.items())
        for (const json& v : values) {
            json in = kInputs;
            in[key] = v;
            bodies.push_back(in.dump());
        }
    bodies.push_back("1e999999");
    bodies.push_back("\"\\ud800\"");
    bodies.push_back(std::string(200000, '[') + std::string(200000, ']'));
    bodies.push_back(std::string(100000, '{'));
    return bodies;
}

TEST(Fuzz, BadRequestsGetClearAnswersAndOthersAreServed) {
    ServerProcess server;
    const auto start = Clock::now();
    const std::string reference =
        server.client().Post("/api/v1/select", kInputs.dump(), "application/json")->body;

    // Another client selects throughout; its answers must stay right and prompt.
    std::atomic<bool> done{false};
    auto other = std::async(std::launch::async, [&] {
        double slowest = 0;
        int wrong = 0, runs = 0;
        while (!done) {
            const auto t = Clock::now();
            const auto r =
                server.client().Post("/api/v1/select", kInputs.dump(), "application/json");
            slowest = std::max(slowest, std::chrono::duration<double>(Clock::now() - t).count());
            wrong += !r || r->body != reference;
            ++runs;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return std::make_tuple(slowest, wrong, runs);
    });

    std::mt19937 rng(22);
    Tally tally;
    int requests = 0;
    for (const std::string& body : mutations(rng)) {
        for (const char* path :
             {"/api/v1/select", "/api/v1/report", "/api/v1/offer", "/api/v1/calculation/check"}) {
            if (std::string(path) != "/api/v1/select" && requests % 7 != 0)
                continue;
            tally.take(server.client().Post(path, body, "application/json"),
                       path + body.substr(0, 80));
            ++requests;
        }
    }
    std::uniform_int_distribution<int> pick(0, 9);
    const char* parts[] = {"..", "%2e%2e", "%2F", "images", "units", "out", "%00", "", "x", "%"};
    for (int i = 0; i < 60; ++i) {
        std::string path = "/api/v1";
        for (int k = 0; k < 1 + i % 5; ++k)
            path += std::string("/") + parts[pick(rng)];
        tally.take(server.client().Get(path), path);
        ++requests;
    }
    json rows = json::array();
    for (int i = 0; i < 10000; ++i)
        rows.push_back({{"type", "Работы"},
                        {"model", "М" + std::to_string(i)},
                        {"quantity", i},
                        {"price", 1.5}});
    for (const char* path : {"/api/v1/offer", "/api/v1/offer?format=csv"}) {
        const auto r = server.client().Post(path, rows.dump(), "application/json");
        tally.take(r, path);
        EXPECT_EQ(r ? r->status : 0, 400);
        ++requests;
    }

    // Bodies of 100 MB: announced (refused before it is sent) and sent in full.
    const std::string huge =
        "POST /api/v1/select HTTP/1.1\r\nHost: x\r\nContent-Length: 104857600\r\n";
    {
        RawConnection c(server.port());
        c.send(huge + "Expect: 100-continue\r\n\r\n");
        EXPECT_EQ(c.status(), 413);
    }
    {
        RawConnection c(server.port());
        c.send(huge + "\r\n");
        const std::string chunk(1 << 20, 'x');
        for (int i = 0; i < 100; ++i)
            c.send(chunk);
        EXPECT_EQ(c.status(), 413);
    }
    // A body of unknown length, chunked or not, is not read at all.
    for (const char* head : {"POST /api/v1/select HTTP/1.1\r\nHost: x\r\n\r\n{}",
                             "POST /api/v1/select HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: "
                             "chunked\r\n\r\n2\r\n{}\r\n0\r\n\r\n"}) {
        RawConnection c(server.port());
        c.send(head);
        EXPECT_EQ(c.status(), 411) << head;
    }
    // Truncated: the client stops sending (its side closed), or just stops: answered 400 or
    // closed, at the latest when the read times out.
    {
        RawConnection c(server.port());
        c.send("POST /api/v1/select HTTP/1.1\r\nHost: x\r\nContent-Length: 1000\r\n\r\n{\"tab\"");
        c.endSending();
        const int status = c.status();
        EXPECT_TRUE(status == 400 || status == 0) << status;
    }
    {
        const auto t = Clock::now();
        RawConnection c(server.port());
        c.send("POST /api/v1/select HTTP/1.1\r\nHost: x\r\nContent-Length: 1000\r\n\r\n{\"tab\"");
        const int status = c.status();
        EXPECT_TRUE(status == 400 || status == 0) << status;
        EXPECT_LT(std::chrono::duration<double>(Clock::now() - t).count(), 10.0);
    }
    // Slow but whole: answered as usual.
    {
        RawConnection c(server.port());
        c.trickle("GET /api/v1/kinds HTTP/1.1\r\nHost: x\r\n\r\n", std::chrono::milliseconds(40));
        EXPECT_EQ(c.status(), 200);
    }
    for (const char* line : {"BREW /api/v1/select HTTP/1.1\r\n\r\n", "GET\r\n\r\n",
                             "\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03\r\n\r\n",
                             "GET /api/v1/kinds HTTP/9.9\r\n\r\n"}) {
        RawConnection c(server.port());
        c.send(line);
        const int status = c.status();
        EXPECT_TRUE(status == 0 || (status >= 400 && status < 500)) << status << " " << line;
        ++requests;
    }
    requests += 8;

    done = true;
    const auto [slowest, wrong, runs] = other.get();
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%d bad requests in %.1f s; the other client: %d selections, slowest %.2f s\n",
                requests, took, runs, slowest);
    EXPECT_GE(requests, 300);
    EXPECT_EQ(tally.serverErrors, 0);
    EXPECT_EQ(tally.notJsonErrors, 0);
    for (const std::string& f : tally.faults)
        ADD_FAILURE() << f;
    EXPECT_EQ(wrong, 0);
    EXPECT_LT(slowest, 3.0);
    EXPECT_LT(took, 120.0);
    // Still up and answering.
    EXPECT_EQ(server.client().Post("/api/v1/select", kInputs.dump(), "application/json")->body,
              reference);
    EXPECT_EQ(server.log().find("terminate"), std::string::npos);
}

}  // namespace
}  // namespace tundrix::servertest
