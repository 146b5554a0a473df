// Windows-1251, the single-byte code page of every text stored in the catalogue files.
// In memory the program keeps text as UTF-8; conversion happens only at the file boundary.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tundrix {

// Decodes Windows-1251 bytes to UTF-8. The one unassigned byte (0x98) becomes U+FFFD.
std::string cp1251ToUtf8(std::string_view bytes);

// Encodes UTF-8 to Windows-1251. Characters without a Windows-1251 byte, and invalid UTF-8,
// become '?'. `lossy`, when given, tells whether that happened.
std::string utf8ToCp1251(std::string_view utf8, bool* lossy = nullptr);

// Number of characters (code points) in UTF-8 text; invalid bytes count one each.
std::size_t utf8Length(std::string_view utf8);

// The first `count` characters of UTF-8 text.
std::string utf8Left(std::string_view utf8, std::size_t count);

// True when the bytes form valid UTF-8 (used to tell UTF-8 text files from Windows-1251 ones).
bool isValidUtf8(std::string_view bytes);

}  // namespace tundrix
