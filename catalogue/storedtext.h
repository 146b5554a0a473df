// Length-prefixed texts of fixed width: one length byte, then the Windows-1251 characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tundrix {

inline constexpr std::size_t kShortText = 51;  // length byte + 50 characters
inline constexpr std::size_t kLongText = 101;  // length byte + 100 characters

// Reads the text stored at p in a field of `width` bytes and returns it as UTF-8.
// A length byte larger than the field holds is clamped to the field, so a damaged file
// never makes the reader leave the field.
std::string readStoredText(const std::uint8_t* p, std::size_t width);

// Stores UTF-8 text at p in a field of `width` bytes: cut to width - 1 characters, encoded as
// Windows-1251, the rest of the field zero-filled. Returns true when the text was stored whole
// (not cut and every character representable).
bool writeStoredText(std::uint8_t* p, std::size_t width, std::string_view utf8);

}  // namespace tundrix
