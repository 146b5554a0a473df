#include "tools/pricefillcore.h"

#include <string>

namespace tundrix {

std::filesystem::path priceFilePath(const std::filesystem::path& dataDir, int n) {
    return dataDir / "Pricedata" / ("mashine" + std::to_string(n) + ".dat");
}

int priceFileUnits(const PriceFile& file) {
    for (int k = 1; k < PriceFile::kRecords; ++k)
        if (file.name(k).empty())
            return k;
    return PriceFile::kRecords;
}

void applyPriceFile(UnitGrid& grid, const PriceFile& file) {
    const int n = priceFileUnits(file);
    grid.setRowCount(n + 1);
    for (int i = 1; i <= PriceFile::kOptions; ++i)
        grid.rows[0][std::size_t(11 + i)] = file.optionName(i);
    for (int k = 0; k < n; ++k) {
        GridRow& row = grid.rows[std::size_t(k + 1)];
        row[0] = file.name(k);
        row[10] = file.price(k);
        for (int i = 1; i <= PriceFile::kOptions; ++i)
            row[std::size_t(11 + i)] = file.optionPrice(k, i);
    }
}

}  // namespace tundrix
