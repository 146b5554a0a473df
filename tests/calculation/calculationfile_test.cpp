// The calculation file: what is saved comes back, bad files are refused with their reason, and a
// failed save leaves the previous file whole.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "calculation/calculationfile.h"
#include "catalogue/refrigerants.h"
#include "catalogue/tempfolder.h"

namespace tundrix {
namespace {

using testing::TempFolder;

// Every value away from its default, so that a member the reader skipped would show.
Calculation everything() {
    Calculation c;
    c.saved = "2025-03-01T10:15:00";
    MainInputs& in = c.inputs;
    in.tab = CalcTab::Chiller;
    in.evaporate = -12.5;
    in.condensate = std::nullopt;
    in.ambient = 32;
    in.superheat = 7.25;
    in.subcool = 2;
    in.required = 18.4;
    in.outlet = 6;
    in.cheapest = true;
    in.refrigerant = 3;
    in.level = 5;
    in.brands = {false, false, true, false, true};
    in.racks = {false, false, false, true, false, true};
    in.ambientMode = false;
    in.chillerType = 5;
    in.useEvaporate = true;
    LiquidSettings& l = c.liquid;
    l.liquid = 2;
    l.concentration = 35;
    l.inlet = 12;
    l.outlet = -3;
    l.flow = 2.5;
    l.flowType = 1;
    l.flowUnit = 2;
    l.exchanger = 1;
    l.exchangerDifference = 5;
    l.capacity = 21.5;
    c.options = {{"ОС-1", {"Регулятор", "Подогрев"}}, {"ОС-2", {}}};
    c.cursor = {"A-1", "", "M-3", "ОС-2"};
    c.results = {{CalcTab::Rack, "M-3", 10.5, 4.25, 14.75, 8.5, 1250.5},
                 {CalcTab::Chiller, "ОС-2", 30, BasketUnit::kNone, 40, 11, 3000}};
    BasketUnit u;
    u.kind = UnitKind::Os;
    u.refrigerant = 3;
    u.brand = 2;
    u.level = 2;
    u.name = "ОС-2";
    u.options = {"Подогрев"};
    u.listPrice = 100000;
    u.capacity = 30;
    u.power = 9.5;
    u.heat = 40;
    u.current = 11;
    u.to = -5;
    u.tc = 45;
    c.basket = {{"Компрессорно-ресиверный агрегат", "ОС-2-П", {2.0, ""}, {3100.0, ""}, 6200, u},
                {"Монтаж", "по месту", {std::nullopt, "два"}, {std::nullopt, "1 250"}, 0, {}}};
    c.total = 6200;
    return c;
}

std::string fileText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(CalculationFile, WhatIsSavedIsWhatIsOpened) {
    TempFolder dir;
    const auto file = dir / "a.tundrix";
    const Calculation saved = everything();
    std::string error;
    ASSERT_TRUE(saveCalculation(file, saved, error)) << error;
    const auto opened = loadCalculation(file, error);
    ASSERT_TRUE(opened) << error;
    EXPECT_EQ(calculationJson(*opened), calculationJson(saved));
    EXPECT_EQ(opened->inputs.evaporate, -12.5);
    EXPECT_FALSE(opened->inputs.condensate);
    EXPECT_EQ(opened->basket[1].quantity.text, "два");
    EXPECT_EQ(opened->basket[0].unit->kind, UnitKind::Os);
    EXPECT_TRUE(std::isnan(opened->results[1].power));
    // UTF-8 text, readable: one member a line, names as written.
    const std::string text = fileText(file);
    EXPECT_NE(text.find("\"format\": \"tundrix-calculation\""), std::string::npos);
    EXPECT_NE(text.find("\"model\": \"ОС-2-П\""), std::string::npos);
    // Refrigerants by caption, whole numbers as integers.
    EXPECT_NE(text.find("\"refrigerant\": \"R134a\""), std::string::npos);
    EXPECT_NE(text.find("\"listPrice\": 100000,"), std::string::npos);
    EXPECT_NE(text.find("\"version\": 2,"), std::string::npos);
}

// Files of version 1 give the refrigerant selector's index; later ones its caption, and other
// programs may write its code.
TEST(CalculationFile, RefrigerantsByIndexInOldFilesByCaptionOrCodeInNewOnes) {
    const auto refrigerants = [](const std::string& version, const std::string& r) {
        std::string error;
        const auto c = parseCalculation(
            R"({"format":"tundrix-calculation","version":)" + version +
                R"(,"inputs":{"refrigerant":)" + r +
                R"(},"basket":[{"type":"","model":"A","quantity":1,"price":2,"unit":{"kind":"out",)"
                R"("refrigerant":)" +
                r + R"(,"brand":1,"level":1,"name":"A"}}]})",
            error);
        EXPECT_TRUE(c) << r << ": " << error;
        return c ? std::pair(c->inputs.refrigerant, c->basket[0].unit->refrigerant)
                 : std::pair(-1, -1);
    };
    const int r448a = refrigerantIndex("448a");
    EXPECT_EQ(refrigerants("1", std::to_string(r448a)), std::pair(r448a, r448a));
    EXPECT_EQ(refrigerants("2", "\"R448A\""), std::pair(r448a, r448a));
    EXPECT_EQ(refrigerants("2", "\"448a\""), std::pair(r448a, r448a));
    const int r404a = refrigerantIndex("404a");
    EXPECT_EQ(refrigerants("2", "\"R404A/R507\""), std::pair(r404a, r404a));
    std::string error;
    EXPECT_FALSE(parseCalculation(
        R"({"format":"tundrix-calculation","version":2,"inputs":{"refrigerant":"R999"}})", error));
    EXPECT_NE(error.find("хладагент «R999» программе не известен"), std::string::npos) << error;
}

TEST(CalculationFile, FilesOfOtherProgramsMayLeaveOutWhatTheyDoNotKnow) {
    std::string error;
    const auto c = parseCalculation(
        R"({"format":"tundrix-calculation","version":1,"inputs":{"tab":"agr","evaporate":-10}})",
        error);
    ASSERT_TRUE(c) << error;
    EXPECT_EQ(c->inputs.tab, CalcTab::Receiver);
    EXPECT_EQ(c->inputs.superheat, 10);
    EXPECT_TRUE(c->basket.empty());
}

TEST(CalculationFile, BadFilesAreRefusedWithTheReason) {
    const std::string head = R"({"format":"tundrix-calculation","version":1,)";
    const std::pair<std::string, std::string> bad[] = {
        {"{not json", "не файл JSON"},
        {R"({"format":"other","version":1,"inputs":{}})", "не файл расчета"},
        {R"([1,2])", "не файл расчета"},
        {R"({"format":"tundrix-calculation","version":3,"inputs":{}})", "более новой версией"},
        {R"({"format":"tundrix-calculation","version":"1","inputs":{}})", "«version»"},
        {head + R"("liquid":{}})", "нет поля «inputs»"},
        {head + R"("inputs":{"evaporate":"-10"}})", "«inputs.evaporate»: ожидается число"},
        {head + R"("inputs":{"cheapest":1}})", "«inputs.cheapest»"},
        {head + R"("inputs":{"level":6}})", "«inputs.level»: значение 6 вне диапазона 0..5"},
        {head + R"("inputs":{"brands":[1,5]}})", "«inputs.brands[1]»"},
        {head + R"("inputs":{"refrigerant":99}})", "хладагент 99 программе не известен"},
        {head + R"("inputs":{"tab":"calc"}})", "вкладка «calc»"},
        {head + R"("inputs":{},"liquid":{"flowType":0,"flowUnit":2}})", "«liquid.flowUnit»"},
        {head + R"("inputs":{},"basket":[{"type":"","model":"A","quantity":1,"price":2,)"
                R"("unit":{"kind":"xyz","refrigerant":0,"brand":1,"level":1,"name":"A"}}]})",
         "вид агрегатов «xyz» программе не известен"},
        {head + R"("inputs":{},"basket":[{"type":"","model":"A","quantity":true,"price":2}]})",
         "«basket[0].quantity»"},
    };
    for (const auto& [text, reason] : bad) {
        std::string error;
        EXPECT_FALSE(parseCalculation(text, error)) << text;
        EXPECT_NE(error.find(reason), std::string::npos) << text << " -> " << error;
    }
}

TEST(CalculationFile, AFailedSaveLeavesThePreviousFileWhole) {
    TempFolder dir;
    // A name as long as a file name may be: the file exists, but no temporary file beside it
    // can be named after it, so the save fails before anything is renamed.
    const auto file = dir / (std::string(247, 'x') + ".tundrix");
    { std::ofstream(file) << "previous"; }
    std::string error;
    EXPECT_FALSE(saveCalculation(file, everything(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(fileText(file), "previous");

    EXPECT_FALSE(loadCalculation(dir / "missing.tundrix", error));
    EXPECT_EQ(error, "файла нет");
}

}  // namespace
}  // namespace tundrix
