#include "catalogue/agregat.h"

#include "catalogue/refrigerants.h"

namespace tundrix {

std::array<double, 2 * agregat::kVertices> agregat::envelope(int k) const {
    std::array<double, 2 * kVertices> e{};
    if (!validUnit(k))
        return e;
    for (int n = 0; n < kVertices; ++n) {
        e[std::size_t(2 * n)] = xlim[std::size_t(n)][std::size_t(k)];
        e[std::size_t(2 * n + 1)] = ylim[std::size_t(n)][std::size_t(k)];
    }
    return e;
}

void agregat::setEnvelope(int k, const std::array<double, 2 * kVertices>& e) {
    if (!validUnit(k))
        return;
    for (int n = 0; n < kVertices; ++n) {
        xlim[std::size_t(n)][std::size_t(k)] = e[std::size_t(2 * n)];
        ylim[std::size_t(n)][std::size_t(k)] = e[std::size_t(2 * n + 1)];
    }
}

UnitData agregat::dataCheck(int k, int refrigerant) const {
    if (count < 0 || count > kMaxUnits || k < 1 || k > count)
        return UnitData::NoUnit;
    const auto u = std::size_t(k);
    const bool second = ncompressor2[u] != 0;

    if (!method[u]) {
        // Table method: compressor list entries 1..100, each with its table rows in the image.
        if (p1[u].table == nullptr)
            return UnitData::NoPerformanceData;
        const Comprprop* list = p2[u];
        if (list == nullptr)
            return UnitData::NoCompressorList;
        if (list->count() < 0 || list->count() > Comprprop::kEntries)
            return UnitData::ListCountOutOfRange;
        if (!Comprprop::validEntry(indcompr[u]))
            return UnitData::CompressorOutOfRange;
        if (second && !Comprprop::validEntry(indcompr2[u]))
            return UnitData::CompressorOutOfRange;
        // A block needs its key row and at least the first row below it inside the image.
        auto rowInside = [](int r) { return r >= 1 && r < GridImage::kDim; };
        if (!rowInside(list->position(indcompr[u])))
            return UnitData::PositionOutOfRange;
        if (second && !rowInside(list->position(indcompr2[u])))
            return UnitData::PositionOutOfRange;
    } else {
        // Polynomial method: records 1..150 of the refrigerant's section.
        if (p1[u].coef == nullptr)
            return UnitData::NoPerformanceData;
        const int section = coefSection(refrigerant);
        if (section < 0)
            return UnitData::NoRefrigerantSection;
        if (!CoefImage::validRecord(section, indcompr[u]))
            return UnitData::CompressorOutOfRange;
        if (second && !CoefImage::validRecord(section, indcompr2[u]))
            return UnitData::CompressorOutOfRange;
    }
    if (indconder[u] < 0 || indconder[u] > Condenserprop::kEntries)
        return UnitData::CondenserOutOfRange;
    return UnitData::Ok;
}

}  // namespace tundrix
