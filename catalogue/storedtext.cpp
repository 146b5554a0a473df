#include "catalogue/storedtext.h"

#include <algorithm>
#include <cstring>

#include "catalogue/cp1251.h"

namespace tundrix {

std::string readStoredText(const std::uint8_t* p, std::size_t width) {
    const std::size_t len = std::min<std::size_t>(p[0], width - 1);
    return cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(p + 1), len));
}

bool writeStoredText(std::uint8_t* p, std::size_t width, std::string_view utf8) {
    bool lossy = false;
    std::string bytes = utf8ToCp1251(utf8, &lossy);
    const bool cut = bytes.size() > width - 1;
    if (cut) bytes.resize(width - 1);
    std::memset(p, 0, width);
    p[0] = static_cast<std::uint8_t>(bytes.size());
    std::memcpy(p + 1, bytes.data(), bytes.size());
    return !cut && !lossy;
}

}  // namespace tundrix
