#include <cmath>
#include <system_error>

#include "catalogue/filenames.h"
#include "datagen/compressorfiles.h"
#include "datagen/refrigerantdesign.h"
#include "engine/tables.h"

namespace tundrix::datagen {

namespace {

constexpr double kTableStep = 5.0;
// Scroll table blocks start at these columns: capacity, power, heat rejection, current.
constexpr int kBlockColumns[4] = {kCapacityColumn, kPowerColumn, kHeatColumn, kCurrentColumn};
// The evaporating-temperature keys of a block and their two end markers must stay clear of the
// next block's corner column.
constexpr int kMaxToKeys = 12;

std::vector<double> gridKeys(double lo, double hi) {
    std::vector<double> keys;
    for (double t = std::ceil(lo / kTableStep) * kTableStep; t <= hi; t += kTableStep)
        keys.push_back(t);
    return keys;
}

CatalogueCompressor describe(const std::string& name, int number, double displacement,
                             const Envelope& envelope, const CompressorModel& model, int level) {
    CatalogueCompressor c;
    c.name = name;
    c.number = number;
    c.displacement = displacement;
    c.envelope = envelope.corners();
    const RatingPoint rp = ratingPoint(level);
    c.ratedTo = rp.to;
    c.ratedTc = rp.tc;
    const ModelPoint m = model.rate(rp.to, rp.tc);
    c.ratedCapacity = m.capacity;
    c.ratedPower = m.power;
    c.ratedCurrent = m.current;
    c.ratedHeat = m.heat;
    return c;
}

CoefImage& brandImage(CompressorFiles& files, int brand, int refrigerant) {
    const std::string name = brandFile(brand, refrigerant);
    for (auto& [n, img] : files.brandFiles)
        if (n == name)
            return *img;
    files.brandFiles.emplace_back(name, std::make_unique<CoefImage>());
    return *files.brandFiles.back().second;
}

// The plan with what depends on the fluids: the re-expansion exponent of a refrigerant that
// takes it from its equation of state, and the displacements of a series sized like another
// refrigerant's (scaled by the ratio of their volumetric refrigerating effects at the level's
// rating point, to 0.1 m3/h).
SeriesPlan resolvedPlan(const SeriesPlan& plan, const Fluid& fluid, const FluidSet& fluids) {
    SeriesPlan p = plan;
    p.params = resolvedParams(plan.params, fluid);
    const int like = refrigerantIndex(refrigerantDesign(plan.refrigerant).sizedLike);
    if (validRefrigerant(like) && fluids[std::size_t(like)]) {
        const RatingPoint rp = ratingPoint(plan.level);
        const double scale = volumetricEffect(*fluids[std::size_t(like)], rp.to, rp.tc) /
                             volumetricEffect(fluid, rp.to, rp.tc);
        for (double& v : p.displacements)
            v = std::round(v * scale * 10.0) / 10.0;
    }
    return p;
}

void addPolynomialSeries(CompressorFiles& files, const SeriesPlan& plan, const Fluid& fluid) {
    CoefImage& image = brandImage(files, plan.brand, plan.refrigerant);
    const int section = coefSection(plan.refrigerant);
    // Records of a section are used from 1 without gaps, level after level.
    int next = 1;
    while (next <= CoefImage::kRecords && !image.isFree(section, next))
        ++next;

    std::array<GridPoint, 10> points;
    if (!chooseFitPoints(plan.envelope, points))
        return;

    CompressorSeries series;
    series.brand = plan.brand;
    series.level = plan.level;
    series.refrigerant = plan.refrigerant;
    series.performanceFile = brandFile(plan.brand, plan.refrigerant);
    for (double v : plan.displacements) {
        if (next > CoefImage::kRecords)
            break;
        const CompressorModel model(fluid, plan.params, plan.envelope, v);
        const FittedCompressor fit = fitCompressor(model, points, fourthSetOf(plan.brand));
        const std::string name = modelName(plan.brand, plan.level, plan.refrigerant, v);
        image.setName(section, next, name);
        image.setCoefs(section, next, CoefImage::Capacity, fit.capacity);
        image.setCoefs(section, next, CoefImage::Power, fit.power);
        image.setCoefs(section, next, CoefImage::Current, fit.current);
        image.setCoefs(section, next, CoefImage::Fourth, fit.fourth);
        image.setEnvelope(section, next, plan.envelope.corners());
        series.compressors.push_back(describe(name, next, v, plan.envelope, model, plan.level));
        ++next;
    }
    files.catalogue.series.push_back(std::move(series));
}

void addScrollSeries(CompressorFiles& files, const SeriesPlan& plan, const Fluid& fluid) {
    auto table = std::make_unique<GridImage>();
    auto list = std::make_unique<Comprprop>();
    CompressorSeries series;
    series.brand = plan.brand;
    series.level = plan.level;
    series.refrigerant = plan.refrigerant;
    series.performanceFile = scrollTableFile(plan.level, plan.refrigerant);
    series.listFile = scrollListFile(plan.level, plan.refrigerant);
    int row = 1;
    int entry = 0;
    for (double v : plan.displacements) {
        if (entry >= Comprprop::kEntries)
            break;
        const CompressorModel model(fluid, plan.params, plan.envelope, v);
        const int used = writeScrollBlocks(*table, row, model, plan.envelope);
        if (used == 0)
            break;
        ++entry;
        const std::string name = modelName(plan.brand, plan.level, plan.refrigerant, v);
        list->setName(entry, name);
        list->setPosition(entry, row);
        for (int n = 1; n <= 6; ++n)
            list->setVertex(n, entry, plan.envelope.to[n - 1], plan.envelope.tc[n - 1]);
        series.compressors.push_back(describe(name, entry, v, plan.envelope, model, plan.level));
        row += used;
    }
    list->setCount(entry);
    files.tables.emplace_back(series.performanceFile, std::move(table));
    files.lists.emplace_back(series.listFile, std::move(list));
    files.catalogue.series.push_back(std::move(series));
}

std::unique_ptr<Condenserprop> condenserImage(const std::vector<CatalogueCondenser>& range) {
    auto img = std::make_unique<Condenserprop>();
    for (const auto& c : range) {
        img->setName(c.index, c.name);
        img->setPol(c.index, c.pol);
        img->setCapacity(c.index, c.capacity);
        img->setNumfuns(c.index, c.fans);
        img->setFunsCurrent(c.index, c.fanCurrent);
        img->setFunsCap(c.index, c.fanPower);
    }
    img->setCount(int(range.size()));
    return img;
}

}  // namespace

const CompressorSeries* CompressorCatalogue::find(int brand, int level, int refrigerant) const {
    for (const auto& s : series)
        if (s.brand == brand && s.level == level && s.refrigerant == refrigerant)
            return &s;
    return nullptr;
}

RatingPoint ratingPoint(int level) {
    if (level == 1)
        return {-35, 40};
    if (level == 2)
        return {-10, 45};
    return {5, 50};
}

FourthSet fourthSetOf(int brand) {
    if (brand == kBrandBock)
        return FourthSet::HeatRejection;
    if (brand == kBrandBitzer)
        return FourthSet::DischargeTemperature;
    return FourthSet::None;
}

FittedCompressor fitCompressor(const CompressorModel& model, const std::array<GridPoint, 10>& at,
                               FourthSet fourth) {
    FitPoints q{}, p{}, i{}, f{};
    for (int k = 0; k < 10; ++k) {
        const ModelPoint m = model.rate(at[k].to, at[k].tc);
        q[k] = {at[k].to, at[k].tc, m.capacity};
        p[k] = {at[k].to, at[k].tc, m.power};
        i[k] = {at[k].to, at[k].tc, m.current};
        f[k] = {at[k].to, at[k].tc, fourth == FourthSet::HeatRejection ? m.heat : m.dischargeT};
    }
    FittedCompressor fit;
    fit.points = at;
    fit.capacity = fitpoly10(q);
    fit.power = fitpoly10(p);
    fit.current = fitpoly10(i);
    // Without a fourth set all ten stay 0: the program reads c1 = 0 as "no fourth set".
    if (fourth != FourthSet::None)
        fit.fourth = fitpoly10(f);
    return fit;
}

int writeScrollBlocks(GridImage& image, int r0, const CompressorModel& model,
                      const Envelope& envelope) {
    std::vector<double> toKeys = gridKeys(envelope.toMin(), envelope.toMax());
    const std::vector<double> tcKeys = gridKeys(envelope.tcMin(), envelope.tcMax());
    // A key of 0 degC followed by the end marker would read as the marker itself and the column
    // would be lost; one more column keeps it a key.
    bool extraColumn = false;
    if (!toKeys.empty() && toKeys.back() == 0.0) {
        toKeys.push_back(kTableStep);
        extraColumn = true;
    }
    const int rowsUsed = 1 + int(tcKeys.size()) + 2;
    if (toKeys.size() < 2 || tcKeys.size() < 2 || int(toKeys.size()) > kMaxToKeys || r0 < 1 ||
        r0 + rowsUsed - 1 > GridImage::kDim)
        return 0;

    for (int p = 0; p < int(tcKeys.size()); ++p) {
        for (int q = 0; q < int(toKeys.size()); ++q) {
            const double to = toKeys[q], tc = tcKeys[p];
            const bool inside = envelope.contains(to, tc);
            // The extra column repeats the model just beyond the envelope where the 0 degC
            // column has data, so that its spline has points.
            const bool extra =
                extraColumn && q + 1 == int(toKeys.size()) && envelope.contains(toKeys[q - 1], tc);
            ModelPoint m;
            if (inside || extra)
                m = model.rate(to, tc);
            const double values[4] = {m.capacity, m.power, m.heat, m.current};
            for (int b = 0; b < 4; ++b)
                image.set(r0 + 1 + p, kBlockColumns[b] + 1 + q, inside || extra ? values[b] : 0.0);
        }
    }
    for (int b = 0; b < 4; ++b) {
        const int c0 = kBlockColumns[b];
        for (int q = 0; q < int(toKeys.size()); ++q)
            image.set(r0, c0 + 1 + q, toKeys[q]);
        for (int p = 0; p < int(tcKeys.size()); ++p)
            image.set(r0 + 1 + p, c0, tcKeys[p]);
        // End markers: the two cells after each key run stay (or become) 0.
        for (int e = 1; e <= 2; ++e) {
            image.set(r0, c0 + int(toKeys.size()) + e, 0.0);
            image.set(r0 + int(tcKeys.size()) + e, c0, 0.0);
        }
    }
    return rowsUsed;
}

CompressorFiles buildCompressorFiles(const FluidSet& fluids) {
    CompressorFiles files;
    // The shared brand files exist even when a refrigerant is missing; its section stays empty.
    for (int brand : {kBrandBock, kBrandBitzer, kBrandStream})
        brandImage(files, brand, kDefaultRefrigerant);
    for (const SeriesPlan& plan : seriesPlans()) {
        const Fluid* fluid = fluids[std::size_t(plan.refrigerant)];
        if (!fluid)
            continue;
        const SeriesPlan p = resolvedPlan(plan, *fluid, fluids);
        if (p.brand == kBrandScroll)
            addScrollSeries(files, p, *fluid);
        else
            addPolynomialSeries(files, p, *fluid);
    }
    files.catalogue.condensers = condenserRange();
    files.condensers = condenserImage(files.catalogue.condensers);
    return files;
}

bool saveCoefficientFile(const CoefImage& image, const std::filesystem::path& file,
                         std::string* error) {
    const std::string name = file.filename().string();
    for (int brand : {kBrandBock, kBrandBitzer, kBrandStream})
        if (name == brandfilename(brand))
            return image.save(file, error);
    // A refrigerant's own coefficient file holds its one section.
    return writeFileAtomic(file, image.bytes().first(CoefImage::kSectionSize), error);
}

CompressorCatalogue buildCompressorCatalogue(const FluidSet& fluids) {
    return buildCompressorFiles(fluids).catalogue;
}

CompressorCatalogue writeCompressorFiles(const std::filesystem::path& outDir,
                                         const FluidSet& fluids, std::string* error) {
    auto fail = [&](const std::string& what) {
        if (error)
            *error = what;
        return CompressorCatalogue{};
    };
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (ec)
        return fail(outDir.string() + ": " + ec.message());
    CompressorFiles files = buildCompressorFiles(fluids);
    std::string why;
    for (const auto& [name, img] : files.brandFiles)
        if (!saveCoefficientFile(*img, outDir / name, &why))
            return fail(name + ": " + why);
    for (const auto& [name, img] : files.tables)
        if (!img->save(outDir / name, &why))
            return fail(name + ": " + why);
    for (const auto& [name, img] : files.lists)
        if (!img->save(outDir / name, &why))
            return fail(name + ": " + why);
    if (!files.condensers->save(outDir / "condensators.dat", &why))
        return fail("condensators.dat: " + why);
    return std::move(files.catalogue);
}

}  // namespace tundrix::datagen
