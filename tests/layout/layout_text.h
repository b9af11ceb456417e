// Helpers for writing expected layouts as lists of lines.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace brelvix::test {

inline constexpr std::u16string_view defaultPrefix = u"strSQL = strSQL & \"";

inline std::u16string joinLines(std::initializer_list<std::u16string_view> lines) {
    std::u16string text;
    bool first = true;
    for (const auto line : lines) {
        if (!first) {
            text += u"\r\n";
        }
        text += line;
        first = false;
    }
    return text;
}

// A line that the layout opens with the default prefix.
inline std::u16string p(std::u16string_view line) {
    return std::u16string(defaultPrefix) + std::u16string(line);
}

} // namespace brelvix::test
