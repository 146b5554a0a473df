// Cost of a commercial offer on the sample catalogue: the offer model read from the catalogue
// (unit lists, technical data, pictures) and the PDF drawn from it, for baskets of N rows.
//
//   tundrix-offer-bench [--benchmark_filter=...]
//
// "distinct" baskets hold N different catalogue units of every kind; "repeated" ones hold N rows
// that name the same 10 units over and over (a basket grown from a file), where every unit's data
// should be read only once. Skipped with a message when the sample catalogue is not there.
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "calculation/calculation.h"
#include "catalogue/filenames.h"
#include "catalogue/unitlisttable.h"
#include "printing/offerbuild.h"
#include "printing/pdfoutput.h"

namespace tundrix {
namespace {

namespace fs = std::filesystem;

const fs::path kSample = TUNDRIX_SAMPLE_DATA;

// Every unit of the sample catalogue for R404A/R507, as a double click would put it into the
// basket, taken kind by kind in turn so that a short basket already spans the kinds.
std::vector<BasketUnit> catalogueUnits() {
    std::vector<std::vector<BasketUnit>> byKind;
    for (UnitKind kind : kUnitKinds) {
        std::vector<BasketUnit> units;
        for (int level = 1; level <= 3; ++level)
            for (int brand = 1; brand <= 4; ++brand) {
                auto table = std::make_unique<UnitListTable>();
                const fs::path file =
                    kSample / std::string(kUnitListFolder) / agrfilename(kind, level, brand, 0);
                if (!table->load(file))
                    continue;
                for (int r = 1; r <= UnitListTable::kUnitRows && !table->cellEmpty(0, r); ++r) {
                    BasketUnit u;
                    u.kind = kind;
                    u.level = level;
                    u.brand = brand;
                    u.name = table->cell(0, r);
                    u.listPrice = 1000 + r;
                    u.capacity = 10 + r * 0.5;
                    u.power = 4 + r * 0.2;
                    u.current = 8 + r * 0.4;
                    u.to = -10;
                    u.tc = 45;
                    units.push_back(u);
                }
            }
        byKind.push_back(std::move(units));
    }
    std::vector<BasketUnit> all;
    for (std::size_t i = 0;; ++i) {
        bool any = false;
        for (const auto& units : byKind)
            if (i < units.size()) {
                all.push_back(units[i]);
                any = true;
            }
        if (!any)
            return all;
    }
}

const std::vector<BasketUnit>& units() {
    static const std::vector<BasketUnit> u = catalogueUnits();
    return u;
}

Calculation basketOf(int rows, std::size_t distinct) {
    Calculation c;
    c.saved = "2025-03-01T10:15:00";
    c.inputs.evaporate = -10;
    c.inputs.ambient = 32;
    c.inputs.ambientMode = true;
    for (int r = 0; r < rows; ++r) {
        const BasketUnit& u = units()[std::size_t(r) % distinct];
        BasketRecord b;
        b.type = "Компрессорно-конденсаторный агрегат";
        // Rows of one unit with different model texts, as a file may hold them.
        b.model = u.name + (r >= int(distinct) ? " (" + std::to_string(r) + ")" : std::string());
        b.quantity.number = 1;
        b.price.number = u.listPrice;
        b.unit = u;
        c.basket.push_back(b);
    }
    return c;
}

OfferSource source() {
    OfferSource s;
    s.dataDir = kSample;
    s.refrigerants = {QStringLiteral("R404A/R507")};
    s.number = QStringLiteral("20250301-1015");
    s.date = QStringLiteral("01.03.2025");
    s.font = QFont(QStringLiteral("DejaVu Sans"), 8);
    return s;
}

bool ready(benchmark::State& state, std::size_t needed) {
    if (units().size() >= needed)
        return true;
    state.SkipWithError(("the sample catalogue in " + kSample.string() + " has " +
                         std::to_string(units().size()) + " units, fewer than needed")
                            .c_str());
    return false;
}

// Reading the basket's units from the catalogue into the offer model.
void modelOnly(benchmark::State& state, std::size_t distinct) {
    const int rows = int(state.range(0));
    if (!ready(state, distinct))
        return;
    const Calculation c = basketOf(rows, distinct);
    for (auto _ : state) {
        OfferModel m = buildOffer(c, source());
        benchmark::DoNotOptimize(m);
    }
    state.counters["rows"] = rows;
}

// What "Коммерческое предложение..." costs: the model and the PDF drawn from it.
void modelAndPdf(benchmark::State& state, std::size_t distinct) {
    const int rows = int(state.range(0));
    if (!ready(state, distinct))
        return;
    const Calculation c = basketOf(rows, distinct);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("offer.pdf"));
    for (auto _ : state) {
        const OfferModel m = buildOffer(c, source());
        if (!writeOfferPdf(m, file)) {
            state.SkipWithError("the offer was not written");
            return;
        }
    }
    state.counters["rows"] = rows;
}

void BM_OfferModel_Distinct(benchmark::State& s) {
    modelOnly(s, std::size_t(s.range(0)));
}
void BM_OfferPdf_Distinct(benchmark::State& s) {
    modelAndPdf(s, std::size_t(s.range(0)));
}
void BM_OfferPdf_Repeated10(benchmark::State& s) {
    modelAndPdf(s, 10);
}

BENCHMARK(BM_OfferModel_Distinct)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OfferPdf_Distinct)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OfferPdf_Repeated10)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace tundrix

int main(int argc, char** argv) {
    // Fonts and PDF writing need a GUI application, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
