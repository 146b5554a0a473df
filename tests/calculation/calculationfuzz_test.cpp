// Damaged and hostile calculation files: whatever a file holds, the reader gives back a
// calculation or refuses it with a reason, and it never crashes or hangs. A few hundred files are
// made from one whole calculation: cut short, overwritten with noise, nested deep, with huge
// numbers and texts, with a value of every wrong type in every member, with bytes that are not
// UTF-8.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "calculation/calculationfile.h"

namespace tundrix {
namespace {

// Every member the program reads, with a basket row of a catalogue unit and one typed by hand.
const std::string kWhole = R"({
  "format": "tundrix-calculation", "version": 1, "saved": "2025-03-14T10:15:00",
  "inputs": {"tab": "out", "evaporate": -10, "condensate": 45, "ambient": 30, "superheat": 10,
             "subcool": 0, "required": 10, "outlet": 7, "cheapest": false, "refrigerant": 0,
             "level": 2, "brands": [1, 2, 3, 4], "racks": [2, 3], "ambientMode": true,
             "chillerType": 1, "useEvaporate": false},
  "liquid": {"liquid": 1, "concentration": 30, "inlet": 12, "outlet": 7, "flow": 2.5,
             "flowType": 0, "flowUnit": 1, "exchanger": 2, "exchangerDifference": 5,
             "capacity": 21},
  "options": [{"unit": "A-1", "options": ["Регулятор", "Подогрев"]}],
  "cursor": {"out": "A-1", "agr": null, "mka": "M-3", "chiller": null},
  "results": [{"tab": "out", "name": "A-1", "capacity": 10.5, "power": 4.2, "heat": 14.7,
               "current": 8.5, "price": 2710}],
  "basket": [
    {"type": "Компрессорно-конденсаторный агрегат", "model": "A-1-Р", "quantity": 3,
     "price": 2710, "cost": 8130,
     "unit": {"kind": "out", "refrigerant": 0, "brand": 2, "level": 2, "name": "A-1",
              "options": ["Регулятор"], "listPrice": 2710, "capacity": 10.52, "power": 5.82,
              "heat": 16.3, "current": 11.4, "to": -10, "tc": 43.76}},
    {"type": "Работы", "model": "Монтаж", "quantity": "два", "price": "850", "unit": null}],
  "total": 8980
})";

// Reads one file's text as the program does and holds the reader to its promise: a calculation,
// or none with a reason. A reader that hangs would stop here; one that takes seconds over a
// file fails.
struct Outcome {
    bool opened = false;
    std::string reason;
};

Outcome readText(const std::string& text) {
    const auto start = std::chrono::steady_clock::now();
    Outcome o;
    o.opened = parseCalculation(text, o.reason).has_value();
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(10)) << text.substr(0, 200);
    EXPECT_NE(o.opened, !o.reason.empty()) << text.substr(0, 200) << " -> " << o.reason;
    return o;
}

// Calls `visit` with the JSON pointer of every value of the document below its root.
void eachValue(const Json& v, const Json::json_pointer& at,
               const std::function<void(const Json::json_pointer&)>& visit) {
    if (v.is_object()) {
        for (const auto& [key, member] : v.items()) {
            visit(at / key);
            eachValue(member, at / key, visit);
        }
    } else if (v.is_array()) {
        for (std::size_t i = 0; i < v.size(); ++i) {
            visit(at / i);
            eachValue(v[i], at / i, visit);
        }
    }
}

// The whole calculation with the value at `where` replaced by the text `value` (written in place
// of the value's own text, so that the replacement need not be JSON the library would write).
std::string withValue(const Json::json_pointer& where, const std::string& value) {
    Json doc = Json::parse(kWhole);
    const std::string marker = "\x01marker\x01";
    doc[where] = marker;
    std::string text = doc.dump();
    const std::string quoted = Json(marker).dump();
    text.replace(text.find(quoted), quoted.size(), value);
    return text;
}

std::vector<Json::json_pointer> allMembers() {
    std::vector<Json::json_pointer> out;
    eachValue(Json::parse(kWhole), Json::json_pointer(),
              [&out](const Json::json_pointer& p) { out.push_back(p); });
    return out;
}

TEST(CalculationFuzz, TheWholeFileOpens) {
    EXPECT_TRUE(readText(kWhole).opened);
}

TEST(CalculationFuzz, AFileCutAnywhereIsRefusedAsCut) {
    for (std::size_t n = 1; n < kWhole.size(); n += 5) {
        const Outcome o = readText(kWhole.substr(0, n));
        EXPECT_EQ(o.reason, "файл обрывается") << n;
    }
    EXPECT_EQ(readText("").reason, "файл пуст");
    EXPECT_EQ(readText(" \n").reason, "файл пуст");
}

TEST(CalculationFuzz, NoiseIsRefusedOrReadButNeverCrashes) {
    std::mt19937 random(24);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 60; ++i) {
        std::string noise(std::size_t(random() % 2000), '\0');
        for (char& c : noise)
            c = char(byte(random));
        EXPECT_FALSE(readText(noise).opened);
    }
    // The whole file with a few bytes overwritten: mostly broken JSON, sometimes a value changed.
    for (int i = 0; i < 100; ++i) {
        std::string text = kWhole;
        for (int k = 0; k < 1 + i % 4; ++k)
            text[random() % text.size()] = char(byte(random));
        readText(text);
    }
}

TEST(CalculationFuzz, DeepNestingIsRefusedWhereverItIs) {
    const std::size_t deep = 100'000;
    const std::string lists = std::string(deep, '[') + std::string(deep, ']');
    std::string objects;
    for (std::size_t i = 0; i < deep; ++i)
        objects += R"({"a":)";
    objects += "0" + std::string(deep, '}');
    for (const char* where :
         {"/inputs", "/inputs/brands", "/basket", "/basket/0/unit", "/basket/0/unit/options",
          "/options/0/options", "/liquid", "/cursor/out", "/unknown"}) {
        for (const std::string& value : {lists, objects}) {
            const Outcome o = readText(withValue(Json::json_pointer(where), value));
            EXPECT_NE(o.reason.find("вложенность глубже"), std::string::npos)
                << where << " -> " << o.reason;
        }
    }
    // Nesting as deep as the limit allows, in a member the program does not know, is taken.
    const int allowed = kCalculationMaxDepth - 1;  // the document itself is the first level
    const std::string nested =
        std::string(std::size_t(allowed), '[') + std::string(std::size_t(allowed), ']');
    EXPECT_TRUE(readText(withValue(Json::json_pointer("/unknown"), nested)).opened);
}

TEST(CalculationFuzz, EveryMemberWithAValueOfEveryKind) {
    const std::vector<std::string> values = {
        "null", "true", "0", "-1", "1.5", R"("x")", "[]", "{}", "[[1]]", R"({"a":{}})",
        // Numbers no double or int holds, or only just.
        "1e400", "-1e400", "1e-400", "1e308", "18446744073709551616", "9223372036854775808",
        "-9223372036854775809", "4294967296", "2147483648", "-2147483649"};
    for (const Json::json_pointer& member : allMembers())
        for (const std::string& value : values) {
            const Outcome o = readText(withValue(member, value));
            // The format names the file: nothing but its own text will do.
            if (member.to_string() == "/format") {
                EXPECT_FALSE(o.opened) << value;
            }
            if (value.find("e400") != std::string::npos && value != "1e-400") {
                EXPECT_EQ(o.reason, "в файле число вне диапазона чисел программы");
            }
        }
}

TEST(CalculationFuzz, HugeTextsAreReadAsTexts) {
    const std::string huge = "\"" + std::string(4'000'000, 'x') + "\"";
    for (const char* where : {"/saved", "/basket/1/model", "/unknown"})
        EXPECT_TRUE(readText(withValue(Json::json_pointer(where), huge)).opened) << where;
    // A basket as long as a file may hold opens; one row more is refused.
    Json doc = Json::parse(kWhole);
    Json& basket = doc["basket"];
    while (basket.size() < kCalculationMaxBasketRows)
        basket.push_back(basket[1]);
    EXPECT_TRUE(readText(doc.dump()).opened);
    basket.push_back(basket[1]);
    const Outcome o = readText(doc.dump());
    EXPECT_NE(o.reason.find("в корзине больше 1000 строк (1001)"), std::string::npos) << o.reason;
}

TEST(CalculationFuzz, BytesThatAreNotUtf8AreRefused) {
    const std::vector<std::string> bad = {
        "\xFF", "\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80"};
    for (const std::string& b : bad) {
        // In a text value, in a member name, and outside any text.
        for (const std::string& text :
             {withValue(Json::json_pointer("/basket/1/model"), "\"Мон" + b + "таж\""),
              withValue(Json::json_pointer("/unknown"), "1").replace(1, 0, "\"k" + b + "\":0,"),
              b + kWhole}) {
            const Outcome o = readText(text);
            EXPECT_FALSE(o.opened);
            EXPECT_NE(o.reason.find("не файл JSON"), std::string::npos) << o.reason;
        }
    }
}

}  // namespace
}  // namespace tundrix
