// Keyword search in one forward sweep: "SELECT DISTINCT" by skipping ahead, the rest one character at a time.
#include "layout/keyword_scanner.h"

#include <algorithm>

namespace brelvix {

KeywordScanner::KeywordScanner(const KeywordTable& table, std::u16string_view text)
    : table_(table)
    , text_(text) {}

std::optional<FoundKeyword> KeywordScanner::findFrom(std::size_t restStart) {
    const std::size_t reachEnd = restStart + std::min(reach, text_.size() - restStart);
    const std::size_t selectDistinct = nextSelectDistinct(restStart);
    if (selectDistinct < reachEnd) {
        return FoundKeyword{selectDistinct, KeywordTable::selectDistinct};
    }
    return firstOtherKeyword(restStart, reachEnd);
}

std::size_t KeywordScanner::nextSelectDistinct(std::size_t from) {
    const bool stillAhead = selectDistinctSearched_ &&
                            (selectDistinctAt_ == std::u16string_view::npos || selectDistinctAt_ >= from);
    if (!stillAhead) {
        selectDistinctAt_ = searchSelectDistinct(from);
        selectDistinctSearched_ = true;
    }
    return selectDistinctAt_;
}

std::size_t KeywordScanner::searchSelectDistinct(std::size_t from) const {
    const auto pattern = table_.entry(KeywordTable::selectDistinct);
    const std::size_t lastOfPattern = pattern.size() - 1;
    for (std::size_t last = from + lastOfPattern; last < text_.size();) {
        const char16_t c = text_[last];
        if (upperAscii(c) == pattern.back() && entryAt(last - lastOfPattern, KeywordTable::selectDistinct)) {
            return last - lastOfPattern;
        }
        last += table_.selectDistinctShift(c);
    }
    return std::u16string_view::npos;
}

std::optional<FoundKeyword> KeywordScanner::firstOtherKeyword(std::size_t from, std::size_t end) const {
    for (std::size_t offset = from; offset < end; ++offset) {
        const char16_t c = text_[offset];
        if (!KeywordTable::canStartKeyword(c)) {
            continue;
        }
        for (const std::int16_t index : table_.candidatesStartingWith(c)) {
            if (index < 0) {
                break;
            }
            if (entryAt(offset, index)) {
                return FoundKeyword{offset, index};
            }
        }
    }
    return std::nullopt;
}

bool KeywordScanner::entryAt(std::size_t offset, std::int16_t index) const {
    const auto entry = table_.entry(index);
    if (entry.size() > text_.size() - offset) {
        return false;
    }
    for (std::size_t i = 0; i < entry.size(); ++i) {
        if (upperAscii(text_[offset + i]) != entry[i]) {
            return false;
        }
    }
    return true;
}

} // namespace brelvix
