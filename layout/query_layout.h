// QueryLayout: the engine that lays a query's text out, clause keywords and list items one to a line.
#pragma once

#include "layout/keyword_table.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace brelvix {

// hitPos when no keyword is found; a keyword that starts at this position or later is never found.
inline constexpr std::int32_t NO_HIT = 99999;

struct KeywordHit {
    std::int32_t hitPos;   // 1-based position in the searched text, or NO_HIT
    std::int16_t hitIndex; // index into KeywordTable; meaningful only when hitPos is not NO_HIT
};

class QueryLayout {
public:
    QueryLayout(); // fills KeywordTable

    // The earliest keyword in `rest`, except that a "SELECT DISTINCT" anywhere in reach wins outright.
    KeywordHit findKeyword(std::u16string_view rest) const;

    // Breaks the source into lines at its keywords, joined by CR LF.
    std::u16string adjustLayout(std::u16string_view source) const;

    // As adjustLayout, with every line opened by `prefix`; the blank that ends "OR " is consumed with it.
    std::u16string addStringLayout(std::u16string_view source, std::u16string_view prefix) const;

private:
    enum class AfterOr { KeepBlank, ConsumeBlank };
    std::u16string layOut(std::u16string_view source, std::u16string_view prefix, AfterOr afterOr) const;

    KeywordTable keywordTable_;
};

} // namespace brelvix
