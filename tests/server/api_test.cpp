// The service against the command line: the same answers for the same inputs, the documents
// with the same text, and what it refuses.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <string>

#include "server/serverprocess.h"

namespace tundrix::servertest {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct Case {
    json inputs;          // the calculation file's inputs member
    std::string cliArgs;  // the same for tundrix-cli select
};

const Case kCases[] = {
    // the largest tab: every level and brand of condensing units
    {{{"tab", "out"},
      {"evaporate", -10},
      {"ambient", 30},
      {"ambientMode", true},
      {"required", 10},
      {"refrigerant", 0},
      {"level", 0},
      {"brands", {1, 2, 3, 4}}},
     "--kind out --refrigerant 0 --brands 1,2,3,4 --level 0 --to -10 --ambient 30 --capacity 10"},
    // a refrigerant by caption, a typed condensing temperature, racks of 3 and 4, cheapest
    {{{"tab", "mka"},
      {"evaporate", -30},
      {"condensate", 40},
      {"ambientMode", false},
      {"required", 40},
      {"cheapest", true},
      {"refrigerant", "R448A"},
      {"level", 1},
      {"brands", {1, 2, 3}},
      {"racks", {3, 4}},
      {"superheat", 8},
      {"subcool", 2}},
     "--kind mka --refrigerant 9 --brands 1,2,3 --level 1 --to -30 --tc 40 --capacity 40 "
     "--cheapest --racks 3,4 --superheat 8 --subcool 2"},
    // chillers from the outlet temperature, by code
    {{{"tab", "chiller"},
      {"chillerType", 4},
      {"outlet", 12},
      {"ambient", 35},
      {"refrigerant", "407c"},
      {"level", 3},
      {"brands", {1, 2, 3, 4}},
      {"required", 50}},
     "--kind ov --refrigerant 2 --brands 1,2,3,4 --level 3 --to -25 --outlet 12 --ambient 35 "
     "--capacity 50"},
};

class Api : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server_ = new ServerProcess(); }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    static httplib::Result post(const std::string& path, const std::string& body) {
        return server_->client().Post(path, body, "application/json");
    }
    static httplib::Result get(const std::string& path) { return server_->client().Get(path); }
    static ServerProcess* server_;
};
ServerProcess* Api::server_ = nullptr;

std::string percentEncoded(const std::string& s) {
    std::string out;
    for (const unsigned char c : s) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%%%02X", c);
        out += c < 0x80 && c != ' ' && c != '%' ? std::string(1, char(c)) : std::string(hex);
    }
    return out;
}

// 4xx with a JSON {"error": text}.
void expectError(const httplib::Result& r, int status, const std::string& part = {}) {
    ASSERT_TRUE(r) << "no answer";
    EXPECT_EQ(r->status, status) << r->body;
    const json e = json::parse(r->body, nullptr, false);
    ASSERT_TRUE(e.is_object() && e.contains("error") && e["error"].is_string()) << r->body;
    EXPECT_NE(e["error"].get<std::string>().find(part), std::string::npos) << r->body;
}

TEST_F(Api, SelectAnswersAsTheCommandLinePrints) {
    for (const Case& c : kCases) {
        const auto r = post("/api/v1/select", c.inputs.dump());
        ASSERT_TRUE(r);
        ASSERT_EQ(r->status, 200) << r->body;
        EXPECT_EQ(r->get_header_value("Content-Type"), "application/json");
        const std::string expected = cli("select " + c.cliArgs);
        EXPECT_GT(json::parse(expected)["count"].get<int>(), 0) << c.cliArgs;
        EXPECT_EQ(r->body, expected) << c.cliArgs;
    }
    EXPECT_EQ(get("/api/v1/refrigerants")->body, cli("refrigerants"));
    const json kinds = json::parse(get("/api/v1/kinds")->body);
    ASSERT_EQ(kinds.size(), 10u);
    EXPECT_EQ(kinds[0]["code"], "out");
    EXPECT_EQ(kinds[9]["code"], "on");
    EXPECT_EQ(kinds[9]["chillerType"], 6);
}

TEST_F(Api, UnitDetailsLinkTheirPictureAndDrawing) {
    const json sel = json::parse(post("/api/v1/select", kCases[0].inputs.dump())->body);
    const json& row = sel["rows"][sel["cursor"].get<int>() - 1];
    const std::string name = row["name"];
    const auto r = server_->client().Get("/api/v1/units/out/R404A/R507/" + name);
    // "R404A/R507" holds the separator: the code names it in a path.
    expectError(r, 404);
    const auto u = get("/api/v1/units/out/404a/" + percentEncoded(name));
    ASSERT_TRUE(u);
    ASSERT_EQ(u->status, 200) << u->body;
    const json unit = json::parse(u->body);
    EXPECT_EQ(unit["name"], name);
    EXPECT_EQ(unit["envelope"].size(), 6u);
    EXPECT_FALSE(unit["techData"].empty());
    EXPECT_TRUE(unit["description"].is_string());
    for (const char* link : {"picture", "drawing"}) {
        ASSERT_TRUE(unit[link].is_string()) << u->body;
        const auto f = get(unit[link].get<std::string>());
        ASSERT_TRUE(f);
        EXPECT_EQ(f->status, 200) << unit[link];
        EXPECT_EQ(f->get_header_value("Content-Type"),
                  std::string(link) == "picture" ? "image/jpeg" : "application/pdf");
    }
    expectError(get("/api/v1/units/out/404a/no-such-unit"), 404, "no-such-unit");
    expectError(get("/api/v1/units/xyz/404a/" + name), 404, "xyz");
    expectError(get("/api/v1/units/out/R999/" + name), 404, "R999");
}

TEST_F(Api, FilesAreServedFromThePictureAndDrawingFoldersOnly) {
    for (const char* path :
         {"/api/v1/files/condensators.dat", "/api/v1/files/TD.sqlite",
          "/api/v1/files/agrdata/outbocklow404a.dat", "/api/v1/files/images/../TD.sqlite",
          "/api/v1/files/images/%2e%2e/TD.sqlite", "/api/v1/files/images%2f..%2fTD.sqlite",
          "/api/v1/files/images/..%5cTD.sqlite", "/api/v1/files//etc/passwd",
          "/api/v1/files/images//etc/passwd", "/api/v1/files/images/./x.jpg",
          "/api/v1/files/images/%00.jpg", "/api/v1/files/images/", "/api/v1/files/images",
          "/api/v1/files/%2fetc%2fpasswd", "/api/v1/files/TechnicalData/../../../etc/passwd"})
        expectError(get(path), 404);
}

TEST_F(Api, BadRequestsAreRefusedWithTheReason) {
    expectError(post("/api/v1/select", "{\"tab\": \"out\", "), 400, "обрывается");
    expectError(post("/api/v1/select", "{\"tab\": \"out\", ]"), 400, "не файл JSON");
    expectError(post("/api/v1/select", R"({"evaporate": "минус десять"})"), 400,
                "inputs.evaporate");
    expectError(post("/api/v1/select", R"({"level": 9})"), 400, "0..5");
    expectError(post("/api/v1/select", R"({"brands": [0, 7]})"), 400, "inputs.brands");
    expectError(post("/api/v1/select", R"({"refrigerant": "R12"})"), 400, "R12");
    expectError(post("/api/v1/select", R"({"refrigerant": 1e300})"), 400, "refrigerant");
    expectError(post("/api/v1/select", R"({"required": 1e999})"), 400);
    expectError(post("/api/v1/select", R"({"tab": "description"})"), 400, "description");
    expectError(post("/api/v1/select", std::string(5000, '[') + std::string(5000, ']')), 400);
    expectError(post("/api/v1/select", std::string((1 << 20) + 1, ' ')), 413);
    expectError(post("/api/v1/offer", R"({"format": "tundrix-calculation", "version": 3})"), 400,
                "версия формата 3");
    json rows = json::array();
    for (int i = 0; i < 10000; ++i)
        rows.push_back({{"type", "Работы"}, {"model", "M"}, {"quantity", 1}, {"price", 1}});
    expectError(post("/api/v1/offer?format=csv", rows.dump()), 400, "1000");
    // The file reader's limits: 64 levels of nesting, 1000 basket rows.
    const auto nested = [](int levels) {
        return R"({"tab": "out", "x": )" + std::string(std::size_t(levels - 1), '[') +
               std::string(std::size_t(levels - 1), ']') + "}";
    };
    expectError(post("/api/v1/select", nested(65)), 400, "64");
    const auto deepest = post("/api/v1/select", nested(64));
    ASSERT_TRUE(deepest);
    EXPECT_EQ(deepest->status, 200) << deepest->body;
    expectError(get("/api/v1/select"), 405);
    EXPECT_EQ(get("/api/v1/select")->get_header_value("Allow"), "POST");
    expectError(post("/api/v1/kinds", "{}"), 405);
    expectError(get("/api/v1/nothing"), 404);
    expectError(get("/api/v2/kinds"), 404);
}

// The offer of a basket alone (the calculation's `basket` member, or calculation members without
// format and version): the inputs are the defaults.
TEST_F(Api, OfferTakesABasketAlone) {
    const json rows = json::array(
        {{{"type", "Работы"}, {"model", "Монтаж"}, {"quantity", 2}, {"price", 1500}},
         {{"type", "Материалы"}, {"model", "Труба"}, {"quantity", 3.5}, {"price", "договорная"}}});
    const auto csv = post("/api/v1/offer?format=csv", rows.dump());
    ASSERT_TRUE(csv);
    ASSERT_EQ(csv->status, 200) << csv->body;
    EXPECT_NE(csv->body.find("Монтаж"), std::string::npos) << csv->body;
    EXPECT_NE(csv->body.find("договорная"), std::string::npos) << csv->body;
    const auto members = post("/api/v1/offer?format=csv", json{{"basket", rows}}.dump());
    ASSERT_TRUE(members);
    EXPECT_EQ(members->status, 200) << members->body;
    EXPECT_EQ(members->body, csv->body);
    const auto pdf = post("/api/v1/offer", json{{"basket", rows}, {"inputs", {{"tab", "agr"}}}}.dump());
    ASSERT_TRUE(pdf);
    ASSERT_EQ(pdf->status, 200) << pdf->body;
    EXPECT_EQ(pdf->body.substr(0, 5), "%PDF-");
    expectError(post("/api/v1/offer", R"({"basket": {}})"), 400, "basket");
    expectError(post("/api/v1/offer", R"({"basket": [], "inputs": {"level": 9}})"), 400, "0..5");
}

// The report, the list, the offer and the reopen check: what the command line writes for the
// same calculation.
TEST_F(Api, DocumentsAreTheCommandLines) {
    const fs::path dir = fs::temp_directory_path() / ("server-docs-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const Case& c = kCases[0];
    const std::string date = "--date '09.12.2026 10:00'";
    const auto report = post("/api/v1/report?row=3&date=09.12.2026%2010:00", c.inputs.dump());
    ASSERT_TRUE(report);
    ASSERT_EQ(report->status, 200) << report->body;
    EXPECT_EQ(report->get_header_value("Content-Type"), "application/pdf");
    const auto list = post("/api/v1/list", c.inputs.dump());
    ASSERT_EQ(list->status, 200) << list->body;
    std::ofstream(dir / "api-report.pdf") << report->body;
    std::ofstream(dir / "api-list.pdf") << list->body;
    cli("report --out " + (dir / "cli-report.pdf").string() + " --row 3 " + date + " " + c.cliArgs);
    cli("list --out " + (dir / "cli-list.pdf").string() + " " + c.cliArgs);
    auto text = [&](const std::string& f) {
        return clitest::runShell("pdftotext " + (dir / f).string() + " -").out;
    };
    EXPECT_NE(text("api-report.pdf").find("ИСХОДНЫЕ ДАННЫЕ"), std::string::npos);
    EXPECT_EQ(text("api-report.pdf"), text("cli-report.pdf"));
    EXPECT_EQ(text("api-list.pdf"), text("cli-list.pdf"));
    expectError(post("/api/v1/report?row=999", c.inputs.dump()), 404, "999");

    // A calculation saved by the command line with two units in its basket.
    const json sel = json::parse(cli("select " + c.cliArgs));
    const std::string a = sel["rows"][0]["name"], b = sel["rows"][5]["name"];
    const fs::path saved = dir / "a.tundrix";
    cli("select " + c.cliArgs + " --save " + saved.string() + " --basket '" + a + ":2' --basket '" +
        b + ":1'");
    std::string file;
    std::getline(std::ifstream(saved), file, '\0');
    const auto check = post("/api/v1/calculation/check", file);
    ASSERT_EQ(check->status, 200) << check->body;
    EXPECT_EQ(check->body, cli("open " + saved.string()));
    const auto csv = post("/api/v1/offer?format=csv", file);
    ASSERT_EQ(csv->status, 200) << csv->body;
    EXPECT_EQ(csv->body, cli("--format csv offer " + saved.string()));
    const auto offer = post("/api/v1/offer?date=09.12.2026&number=7", file);
    ASSERT_EQ(offer->status, 200) << offer->body;
    std::ofstream(dir / "api-offer.pdf") << offer->body;
    cli("offer " + saved.string() + " --out " + (dir / "cli-offer.pdf").string() +
        " --date 09.12.2026 --number 7");
    EXPECT_NE(text("api-offer.pdf").find(a), std::string::npos);
    EXPECT_EQ(text("api-offer.pdf"), text("cli-offer.pdf"));
    fs::remove_all(dir);
}

TEST_F(Api, EveryRequestIsLogged) {
    get("/api/v1/kinds");
    post("/api/v1/select", "[");
    const std::string log = server_->logWith("POST /api/v1/select 400 ");
    EXPECT_NE(log.find("GET /api/v1/kinds 200 "), std::string::npos) << log;
    EXPECT_NE(log.find("POST /api/v1/select 400 "), std::string::npos) << log;
}

}  // namespace
}  // namespace tundrix::servertest
