// Conversions between the procedures' UTF-16 text, Windows' wide strings and exception texts' UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace brelvix {

std::string toUtf8(std::wstring_view text);

// Windows' wide characters are UTF-16 code units, so both keep every unit as it is.
std::wstring toWide(std::u16string_view text);
std::u16string toU16(std::wstring_view text);

} // namespace brelvix
