#include "datagen/units.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "catalogue/cp1251.h"
#include "catalogue/filenames.h"
#include "engine/cyclestate.h"
#include "engine/toolkit.h"

namespace tundrix::datagen {
namespace {

// The condenser is sized for this temperature difference at the rating point; anything inside
// the accepted band keeps the condensing temperature sensibly above the ambient.
constexpr double kTargetDelta = 12.5;
constexpr double kPreferredLow = 10.0, kPreferredHigh = 15.0;
// The first refrigerant of the lists decides; the others share its condenser (one price file,
// one row), so for them a wider band is accepted: R134a rejects far less heat at low
// temperatures than R404A with the same compressor.
constexpr double kAcceptedLow = 8.0, kAcceptedHigh = 17.0;
constexpr double kSharedLow = 4.0, kSharedHigh = 20.0;
constexpr int kMaxCondensers = 4;

// A refrigerant whose compressors cover less than this share of the first refrigerant's models
// cannot share the price file's rows and gets no list.
constexpr double kMinSharedModels = 0.6;

// A unit list holds at most 200 units. The lists of the refrigerants after the five hold fewer:
// their units share no drawings, texts or technical data with other refrigerants' units, and
// a smaller range keeps the catalogue's generation time in bounds.
constexpr std::size_t kRowCap = 200;
constexpr std::size_t kRowCapByCode = 30;

// Condenser variants of one compressor set: condensing units are offered with several
// condensers (for hotter climates, for lower noise), chillers with two.
int condenserVariants(UnitKind kind) {
    return kind == UnitKind::Out ? 5 : kindHasCondenser(kind) ? 2 : 1;
}

struct Design {
    int model1 = 0;  // index into the shared model list
    int count1 = 1;
    int model2 = -1;
    int count2 = 0;
};

// The models of one price file's lists, and each refrigerant's data of them.
struct GroupData {
    UnitKind kind = UnitKind::None;
    int brand = 0;
    int level = 0;
    int priceFile = 0;
    std::vector<int> refrigerants;
    std::vector<std::string> models;  // ascending by displacement (first refrigerant's order)
    // compressor[r position][model index]
    std::vector<std::vector<CatalogueCompressor>> compressor;
};

const CatalogueCompressor* findModel(const CompressorSeries& s, const std::string& model) {
    for (const CatalogueCompressor& c : s.compressors)
        if (c.name == model)
            return &c;
    return nullptr;
}

// The designs a maintainer would catalogue for a kind, from n models ascending in size.
std::vector<Design> designsFor(UnitKind kind, int n) {
    std::vector<Design> d;
    switch (kind) {
        case UnitKind::Out:
            for (int c = 1; c <= 3; ++c)
                for (int m = 0; m < n; ++m)
                    d.push_back({m, c});
            for (int m = n / 2; m < n; ++m)
                d.push_back({m, 4});
            break;
        case UnitKind::Agr:
            for (int m = 0; m < n; ++m)
                d.push_back({m, 1});
            // Twin-compressor units of the smaller models; bigger ones are racks.
            for (int m = 0; m < (n + 1) / 2; ++m)
                d.push_back({m, 2});
            break;
        case UnitKind::Mka:
            // Racks of two models: the bigger compressor takes the base load, a smaller one
            // the part load. Listed first so that the mixed rack keeps the name.
            for (int m = 1; m < n; m += 2)
                d.push_back({m, 2, m - 1, 1});
            for (int m = 2; m < n; m += 3)
                d.push_back({m, 3, m - 1, 2});
            // One big compressor with smaller ones beside it.
            for (int m = 1; m < n; ++m)
                d.push_back({m, 1, m - 1, 1 + m % 3});
            for (int c = 2; c <= 5; ++c)
                for (int m = 0; m < n; ++m)
                    d.push_back({m, c});
            break;
        case UnitKind::Glco:
        case UnitKind::Glcu:
        case UnitKind::Glcr:
        case UnitKind::Glck:
        case UnitKind::Ov:
        case UnitKind::Os:
        case UnitKind::On:
            for (int c = 1; c <= 4; ++c)
                for (int m = 0; m < n; ++m)
                    d.push_back({m, c});
            break;
        case UnitKind::None:
            break;
    }
    return d;
}

// The letters a chiller kind tries, in order, so that chillers of one composition get names
// of their own across the types (and some keep no letter).
std::vector<EvaporatorLetter> letterCycle(UnitKind kind, int seed) {
    using L = EvaporatorLetter;
    static const std::vector<L> kAll = {L::PlateCyr, L::ShellLat, L::SubmergedCyr, L::None,
                                        L::PlateLat, L::ShellCyr, L::SubmergedLat};
    if (!isChiller(kind))
        return {L::None};
    std::vector<L> cycle;
    const std::size_t start = std::size_t(seed + 2 * int(kind)) % kAll.size();
    for (std::size_t i = 0; i < kAll.size(); ++i)
        cycle.push_back(kAll[(start + i) % kAll.size()]);
    return cycle;
}

struct CondenserChoice {
    const CatalogueCondenser* condenser = nullptr;
    int units = 0;
};

// The condensers, and numbers of condensers, whose balance at the rating point gives a
// temperature difference near the target: first those in the preferred band for the first
// refrigerant, fewer condensers first, then nearest the target; at most `variants`.
std::vector<CondenserChoice> chooseCondensers(const std::vector<CatalogueCondenser>& condensers,
                                              const std::vector<double>& heat,
                                              const std::vector<int>& refrigerants, int variants) {
    struct Ranked {
        CondenserChoice choice;
        bool preferred;
        double score;
    };
    std::vector<Ranked> ranked;
    for (int units = 1; units <= kMaxCondensers; ++units) {
        for (const CatalogueCondenser& c : condensers) {
            if (!(c.capacity > 0))
                continue;
            bool accepted = true;
            for (std::size_t i = 0; i < heat.size() && accepted; ++i) {
                const double d = condenserDelta(heat[i], c.capacity, units, refrigerants[i]);
                accepted = i == 0 ? d >= kAcceptedLow && d <= kAcceptedHigh
                                  : d >= kSharedLow && d <= kSharedHigh;
            }
            if (!accepted)
                continue;
            const double d0 = condenserDelta(heat[0], c.capacity, units, refrigerants[0]);
            ranked.push_back({{&c, units},
                              d0 >= kPreferredLow && d0 <= kPreferredHigh,
                              std::abs(std::log(d0 / kTargetDelta))});
        }
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        if (a.preferred != b.preferred)
            return a.preferred;
        if (a.choice.units != b.choice.units)
            return a.choice.units < b.choice.units;
        return a.score < b.score;
    });
    std::vector<CondenserChoice> result;
    for (const Ranked& r : ranked) {
        if (int(result.size()) == variants)
            break;
        result.push_back(r.choice);
    }
    return result;
}

class Composer {
  public:
    explicit Composer(const CompressorCatalogue& cat) : cat_(cat) {}

    // The lists come in three rounds, all kinds in each: the original five refrigerants, the
    // later ones of an equation of state of their own, the blends of the mixture model. A unit
    // name, file name or technical-data key that a refrigerant of a later round takes can then
    // never move one of an earlier round's.
    static int listRound(int refrigerant) {
        const Refrigerant& e = refrigerantEntry(refrigerant);
        return e.scheme == FileScheme::Original ? 0 : e.model != PropertyModel::Mixture ? 1 : 2;
    }
    static constexpr int kRounds = 3;

    UnitCatalogue run() {
        UnitCatalogue out;
        for (int round = 0; round < kRounds; ++round)
            for (UnitKind kind : kUnitKinds)
                for (GroupData& g : groups(kind, round))
                    compose(g, out);
        return out;
    }

  private:
    // The price files of a kind and the refrigerants of a round each one serves, in the order
    // the brands, levels and refrigerants are numbered.
    std::vector<GroupData> groups(UnitKind kind, int round) const {
        std::vector<GroupData> result;
        for (int brand = 1; brand <= kBrands; ++brand) {
            for (int level = 1; level <= kLevels; ++level) {
                for (int r = 0; r < kRefrigerants; ++r) {
                    if (listRound(r) != round)
                        continue;
                    const int n = priceFileNumber(kind, level, brand, r);
                    if (n == 0 || !cat_.find(brand, level, r))
                        continue;
                    auto it = std::find_if(result.begin(), result.end(),
                                           [n](const GroupData& g) { return g.priceFile == n; });
                    if (it == result.end()) {
                        GroupData g;
                        g.kind = kind;
                        g.brand = brand;
                        g.level = level;
                        g.priceFile = n;
                        result.push_back(g);
                        it = result.end() - 1;
                    }
                    if (it->level == level && it->brand == brand)
                        it->refrigerants.push_back(r);
                }
            }
        }
        for (GroupData& g : result)
            shareModels(g);
        std::erase_if(result, [](const GroupData& g) { return g.models.empty(); });
        return result;
    }

    // Keeps the refrigerants that share enough models with the first and the models that all
    // the kept ones offer.
    void shareModels(GroupData& g) const {
        if (g.refrigerants.empty())
            return;
        const CompressorSeries* first = cat_.find(g.brand, g.level, g.refrigerants.front());
        std::vector<int> kept;
        for (int r : g.refrigerants) {
            const CompressorSeries* s = cat_.find(g.brand, g.level, r);
            std::size_t shared = 0;
            for (const CatalogueCompressor& c : first->compressors)
                if (findModel(*s, c.name))
                    ++shared;
            if (double(shared) >= kMinSharedModels * double(first->compressors.size()))
                kept.push_back(r);
        }
        g.refrigerants = kept;
        g.compressor.assign(kept.size(), {});
        for (const CatalogueCompressor& c : first->compressors) {
            std::vector<CatalogueCompressor> per;
            for (int r : kept) {
                const CatalogueCompressor* found =
                    findModel(*cat_.find(g.brand, g.level, r), c.name);
                if (!found)
                    break;
                per.push_back(*found);
            }
            if (per.size() != kept.size())
                continue;
            g.models.push_back(c.name);
            for (std::size_t i = 0; i < kept.size(); ++i)
                g.compressor[i].push_back(per[i]);
        }
    }

    struct Candidate {
        Design design;
        CondenserChoice condenser;
        double capacity = 0;  // first refrigerant, kW
    };

    // A design is catalogued when its rating point lies inside the envelopes of its
    // compressors for every refrigerant and, with a condenser, a condenser fits; one candidate
    // per condenser variant.
    std::vector<Candidate> evaluate(const GroupData& g, const Design& d) const {
        std::vector<double> heat;
        for (std::size_t i = 0; i < g.refrigerants.size(); ++i) {
            const CatalogueCompressor& a = g.compressor[i][std::size_t(d.model1)];
            if (!insideEnvelope(a.envelope, a.ratedTo, a.ratedTc))
                return {};
            double h = d.count1 * a.ratedHeat;
            if (d.model2 >= 0) {
                const CatalogueCompressor& b = g.compressor[i][std::size_t(d.model2)];
                if (!insideEnvelope(b.envelope, a.ratedTo, a.ratedTc))
                    return {};
                h += d.count2 * b.ratedHeat;
            }
            if (!(h > 0))
                return {};
            heat.push_back(h);
        }
        Candidate c;
        c.design = d;
        const CatalogueCompressor& a0 = g.compressor[0][std::size_t(d.model1)];
        c.capacity = d.count1 * a0.ratedCapacity;
        if (d.model2 >= 0)
            c.capacity += d.count2 * g.compressor[0][std::size_t(d.model2)].ratedCapacity;
        if (!kindHasCondenser(g.kind))
            return {c};
        std::vector<Candidate> result;
        for (const CondenserChoice& choice :
             chooseCondensers(cat_.condensers, heat, g.refrigerants, condenserVariants(g.kind))) {
            c.condenser = choice;
            result.push_back(c);
        }
        return result;
    }

    void compose(GroupData& g, UnitCatalogue& out) {
        std::vector<Candidate> candidates;
        for (const Design& d : designsFor(g.kind, int(g.models.size()))) {
            for (const Candidate& c : evaluate(g, d))
                candidates.push_back(c);
        }
        // Thin evenly over the capacity range when there are more designs than the list takes.
        std::vector<std::size_t> byCapacity(candidates.size());
        for (std::size_t i = 0; i < byCapacity.size(); ++i)
            byCapacity[i] = i;
        std::stable_sort(byCapacity.begin(), byCapacity.end(), [&](std::size_t a, std::size_t b) {
            return candidates[a].capacity < candidates[b].capacity;
        });
        const std::size_t cap =
            refrigerantEntry(g.refrigerants.front()).scheme == FileScheme::ByCode ? kRowCapByCode
                                                                                  : kRowCap;
        std::vector<std::size_t> order;
        if (byCapacity.size() <= cap) {
            order = byCapacity;
        } else {
            for (std::size_t i = 0; i < cap; ++i)
                order.push_back(byCapacity[i * (byCapacity.size() - 1) / (cap - 1)]);
        }
        // Names are given in the order of the designs, so that a design listed earlier keeps a
        // name two designs would share; the list then runs ascending in capacity.
        std::sort(order.begin(), order.end());
        std::vector<std::pair<std::size_t, std::pair<std::string, EvaporatorLetter>>> named;
        for (std::size_t idx : order) {
            const Candidate& c = candidates[idx];
            const std::string pol = c.condenser.condenser ? c.condenser.condenser->pol : "";
            const std::string base = composeUnitName(g.level, g.brand, pol, c.design.count1,
                                                     g.models[std::size_t(c.design.model1)]);
            const std::string signature = signatureOf(g, c);
            for (EvaporatorLetter letter : letterCycle(g.kind, int(idx))) {
                std::string name = base;
                if (letter != EvaporatorLetter::None)
                    name += "-" + std::string(evaporatorLetterText(letter));
                else if (isChiller(g.kind) && endsWithEvaporatorLetter(name))
                    continue;  // would read as an evaporator letter
                if (utf8Length(name) > 50)
                    continue;
                auto [it, inserted] =
                    names_.emplace(std::string(kindPrefix(g.kind)) + "\n" + name, signature);
                if (!inserted && it->second != signature)
                    continue;
                named.push_back({idx, {name, letter}});
                break;
            }
        }
        if (named.empty())
            return;  // no list without units
        std::stable_sort(named.begin(), named.end(), [&](const auto& a, const auto& b) {
            return candidates[a.first].capacity < candidates[b.first].capacity;
        });
        for (std::size_t i = 0; i < g.refrigerants.size(); ++i) {
            UnitList list;
            list.kind = g.kind;
            list.brand = g.brand;
            list.level = g.level;
            list.refrigerant = g.refrigerants[i];
            list.priceFile = g.priceFile;
            list.fileName = agrfilename(g.kind, g.level, g.brand, list.refrigerant);
            list.optionNames = optionNames(g.kind);
            for (const auto& [idx, nl] : named)
                list.rows.push_back(makeRow(g, i, candidates[idx], nl.first, nl.second));
            out.lists.push_back(std::move(list));
        }
    }

    // What makes two rows the same unit (offered for different refrigerants).
    std::string signatureOf(const GroupData& g, const Candidate& c) const {
        std::string s(kindPrefix(g.kind));
        s += "|" + std::to_string(g.brand) + "|" + g.models[std::size_t(c.design.model1)] + "*" +
             std::to_string(c.design.count1);
        if (c.design.model2 >= 0)
            s += "+" + g.models[std::size_t(c.design.model2)] + "*" +
                 std::to_string(c.design.count2);
        if (c.condenser.condenser)
            s += "|" + std::to_string(c.condenser.condenser->index) + "*" +
                 std::to_string(c.condenser.units);
        return s;
    }

    UnitRow makeRow(const GroupData& g, std::size_t ri, const Candidate& c, const std::string& name,
                    EvaporatorLetter letter) const {
        const Design& d = c.design;
        UnitRow row;
        row.name = name;
        row.letter = letter;
        row.compressor1 = g.compressor[ri][std::size_t(d.model1)];
        row.count1 = d.count1;
        row.ratedTo = row.compressor1.ratedTo;
        row.ratedTc = row.compressor1.ratedTc;
        row.compressors = row.compressor1.name;
        row.compressorIndex = std::to_string(row.compressor1.number);
        row.compressorCount = std::to_string(d.count1);
        if (d.model2 >= 0) {
            row.compressor2 = g.compressor[ri][std::size_t(d.model2)];
            row.count2 = d.count2;
            row.compressors += "+" + row.compressor2.name;
            row.compressorIndex += "+" + std::to_string(row.compressor2.number);
            row.compressorCount += "+" + std::to_string(d.count2);
        }
        if (c.condenser.condenser) {
            row.condenserData = *c.condenser.condenser;
            row.condenserUnits = c.condenser.units;
            row.condenser = row.condenserData.name;
            row.condenserIndex = std::to_string(row.condenserData.index);
            row.condenserCount = std::to_string(row.condenserUnits);
        } else {
            row.condenser = "Нет конденсатора";
            row.condenserIndex = "0";
            row.condenserCount = "0";
        }
        PriceBasis basis;
        basis.kind = g.kind;
        basis.brand = g.brand;
        basis.compressors = d.count1 + (d.model2 >= 0 ? d.count2 : 0);
        basis.capacity = c.capacity;  // the first refrigerant's: one price for every list
        basis.condenserCapacity =
            c.condenser.condenser ? c.condenser.units * c.condenser.condenser->capacity : 0.0;
        row.price = unitPrice(basis);
        row.optionPrices = optionPrices(basis);
        return row;
    }

    const CompressorCatalogue& cat_;
    std::map<std::string, std::string> names_;  // kind and unit name -> what it names
};

}  // namespace

int UnitCatalogue::unitCount(UnitKind kind, int refrigerant) const {
    int n = 0;
    for (const UnitList& l : lists)
        if (l.kind == kind && l.refrigerant == refrigerant)
            n += int(l.rows.size());
    return n;
}

bool kindHasCondenser(UnitKind kind) {
    return kind == UnitKind::Out || kind == UnitKind::Glco || kind == UnitKind::Glcu ||
           kind == UnitKind::Glcr || kind == UnitKind::Glck;
}

double condenserDelta(double heat, double capacity, int units, int refrigerant) {
    return condenserdelta(heat, capacity * units, condfactorFor(refrigerant));
}

bool insideEnvelope(const EnvelopeCorners& v, double to, double tc) {
    return inenvelope(to, tc, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10],
                      v[11]);
}

UnitCatalogue composeUnitLists(const CompressorCatalogue& compressors) {
    return Composer(compressors).run();
}

}  // namespace tundrix::datagen
