// The preloaded performance data of every brand and level for the chosen refrigerant: one
// coefficient image per brand-table brand (1, 3, 4) and level, one table image per level for
// Copeland Scroll (brand 2). About 8 MB; it lives inside the heap-allocated Catalogue.
#pragma once

#include <array>

#include "catalogue/byteimage.h"
#include "catalogue/choices.h"
#include "catalogue/coefimage.h"

namespace tundrix {

class CoefStore {
  public:
    // Slot of a brand-table brand (1, 3 or 4) and level 1..3; nullptr for any other pair.
    CoefImage* coef(int brand, int level) {
        const int i = coefIndex(brand, level);
        return i < 0 ? nullptr : &coef_[std::size_t(i)];
    }
    const CoefImage* coef(int brand, int level) const {
        const int i = coefIndex(brand, level);
        return i < 0 ? nullptr : &coef_[std::size_t(i)];
    }
    // Copeland Scroll table slot of level 1..3; nullptr for any other level.
    GridImage* table(int level) {
        return validLevel(level) ? &table_[std::size_t(level - 1)] : nullptr;
    }
    const GridImage* table(int level) const {
        return validLevel(level) ? &table_[std::size_t(level - 1)] : nullptr;
    }

  private:
    static constexpr int coefIndex(int brand, int level) {
        if (!validLevel(level))
            return -1;
        const int b = brand == 1 ? 0 : brand == 3 ? 1 : brand == 4 ? 2 : -1;
        return b < 0 ? -1 : b * kLevels + (level - 1);
    }

    std::array<CoefImage, 3 * kLevels> coef_;
    std::array<GridImage, kLevels> table_;
};

}  // namespace tundrix
