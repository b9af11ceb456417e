// Helpers for the engine's tables of cases: expected layouts as lists of lines, long runs of letters, each
// case shown under its name, and what a layout must keep.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

namespace brelvix::test {

// Names each case of a parameterised test in the test report after its `name`.
inline constexpr auto caseName = [](const auto& info) { return std::string(info.param.name); };

// Shows a failing case by its name, rather than as the bytes of its texts. A file's table finds it with
// `using test::PrintTo;`.
template <typename Case>
requires requires(const Case& row) {
    std::string(row.name);
}
void PrintTo(const Case& row, std::ostream* out) {
    *out << row.name;
}

// A run of letters that holds no keyword, to put a keyword at a far position.
inline std::u16string xs(std::size_t count) {
    return std::u16string(count, u'x');
}

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

// What must survive any layout: the text without blanks, tabs, CRs and LFs, upper-cased, and without the
// prefix where a line opens with it.
inline std::u16string essence(std::u16string_view text, std::u16string_view prefix = {}) {
    std::u16string kept;
    bool lineStart = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (lineStart && !prefix.empty() && text.substr(i).starts_with(prefix)) {
            i += prefix.size() - 1;
            lineStart = false;
            continue;
        }
        const char16_t c = text[i];
        lineStart = c == u'\n' && i > 0 && text[i - 1] == u'\r';
        if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n') {
            kept += (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
        }
    }
    return kept;
}

} // namespace brelvix::test
