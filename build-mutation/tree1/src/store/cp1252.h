// Names in the score file are single-byte Windows-1252 text, so the files stay interchangeable;
// the program works in UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace zembro {

// Characters with no Windows-1252 form become "?"; malformed UTF-8 bytes too.
std::string Utf8ToCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view cp1252);

} // namespace zembro
