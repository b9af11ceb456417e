// UTF-8 through WideCharToMultiByte; the UTF-16 conversions copy unit for unit.
#include "frontends/win32/text_conversion.h"

#include <windows.h>

namespace brelvix {

std::string toUtf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

std::wstring toWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::u16string toU16(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

} // namespace brelvix
