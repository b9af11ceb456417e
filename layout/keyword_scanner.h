// KeywordScanner: finds keyword after keyword in one text, each search starting where the previous
// keyword ended, so that the whole text is searched about once however many keywords it holds.
#pragma once

#include "layout/keyword_table.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace brelvix {

struct FoundKeyword {
    std::size_t offset; // 0-based, in the scanner's whole text
    std::int16_t index; // into KeywordTable
};

class KeywordScanner {
public:
    // A keyword is found only when it starts within this many code units of the search's start.
    static constexpr std::size_t reach = 99998;

    KeywordScanner(const KeywordTable& table, std::u16string_view text);

    // The keyword that a search of the text from `restStart` on finds. Calls must not move `restStart`
    // backwards: what was learnt about the text ahead is kept between them.
    std::optional<FoundKeyword> findFrom(std::size_t restStart);

private:
    std::size_t nextSelectDistinct(std::size_t from);
    std::size_t searchSelectDistinct(std::size_t from) const;
    std::optional<FoundKeyword> firstOtherKeyword(std::size_t from, std::size_t end) const;
    bool entryAt(std::size_t offset, std::int16_t index) const;

    const KeywordTable& table_;
    std::u16string_view text_;
    // The first "SELECT DISTINCT" at or after the last place searched from, or npos; found lazily since
    // one far ahead decides every search until it is passed.
    bool selectDistinctSearched_ = false;
    std::size_t selectDistinctAt_ = std::u16string_view::npos;
};

} // namespace brelvix
