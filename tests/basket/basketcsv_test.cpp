// The basket as a CSV file, read back the way a spreadsheet user's script would: with Python's
// csv module.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "basket/basketcsv.h"

namespace tundrix {
namespace {

// Runs python3 on the file and returns what it prints: one line per CSV record, fields joined
// by "|", every field that is a number (decimal comma) followed by "=" and its value.
std::string readWithPython(const std::string& csv) {
    const auto base = std::filesystem::temp_directory_path() /
                      ("tundrix-basket-" + std::to_string(::getpid()));
    const auto file = base.string() + ".csv";
    const auto program = base.string() + ".py";
    std::ofstream(file, std::ios::binary) << csv;
    const std::string script =
        "import csv,sys\n"
        "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
        "    for row in csv.reader(f, delimiter=';'):\n"
        "        out = []\n"
        "        for x in row:\n"
        "            try: out.append(x + '=' + repr(float(x.replace(',', '.'))))\n"
        "            except ValueError: out.append(x)\n"
        "        print('|'.join(out))\n";
    std::ofstream(program) << script;
    std::string out;
    if (FILE* p = ::popen(("PYTHONIOENCODING=utf-8 python3 " + program + " " + file).c_str(), "r")) {
        char buf[4096];
        std::size_t n = 0;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        ::pclose(p);
    }
    std::filesystem::remove(file);
    std::filesystem::remove(program);
    return out;
}

TEST(BasketCsv, ASpreadsheetReadsTheTableAndTheTotalAsNumbers) {
    Basket b(',');
    b.writeHeadings();
    b.add("Компрессорно-конденсаторный агрегат", "ККБ-1", "1250,5");
    b.add("Компрессорно-ресиверный агрегат", "Ц-3;\"экспорт\"", "100");
    b.setCell(Basket::Quantity, 1, "2");
    b.recompute();
    const std::string csv = basketCsv(b);
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(readWithPython(csv),
              "Тип оборудования|Модель|Кол-во|Цена|Стоимость\n"
              "Компрессорно-конденсаторный агрегат|ККБ-1|2=2.0|1250,5=1250.5|2501=2501.0\n"
              "Компрессорно-ресиверный агрегат|Ц-3;\"экспорт\"|1=1.0|100=100.0|100=100.0\n"
              "Итого||||2601=2601.0\n");
}

}  // namespace
}  // namespace tundrix
