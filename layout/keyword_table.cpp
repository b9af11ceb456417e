// The keyword entries in their search order, and the per-character lookups derived from them.
#include "layout/keyword_table.h"

#include <algorithm>
#include <stdexcept>

namespace brelvix {

namespace {

// The order is behaviour: on equal positions the lower index wins.
constexpr std::array<std::u16string_view, KeywordTable::entryCount> keywordEntries = {
    u"SELECT DISTINCT",
    u"SELECT",
    u"DELETE",
    u"UPDATE",
    u"INSERT INTO",
    u",",
    u"AND",
    u"OR ",
    u"VALUES",
    u"INNER JOIN",
    u"RIGHT JOIN",
    u"LEFT JOIN",
    u"FROM",
    u"WHERE",
    u"GROUP BY",
    u"ORDER BY",
    u"HAVING",
    u"SET",
    u"UNION",
};

// Told apart by text rather than index, so that reordering the table cannot silently change them.
constexpr std::array<std::u16string_view, 5> clauseKeywords = {u"FROM", u"WHERE", u"GROUP BY", u"ORDER BY",
                                                               u"HAVING"};

} // namespace

KeywordTable::KeywordTable()
    : entries_(keywordEntries) {
    for (auto& slots : candidates_) {
        slots.fill(-1);
    }
    for (std::int16_t index = 0; index <= upperBound; ++index) {
        const auto text = entry(index);
        const auto slot = static_cast<std::size_t>(index);
        clause_[slot] = std::find(clauseKeywords.begin(), clauseKeywords.end(), text) != clauseKeywords.end();
        if (index == selectDistinct) {
            continue;
        }
        // Both cases of a letter lead to the same entries, since the search ignores a-z versus A-Z.
        const char16_t first = text.front();
        addCandidate(first, index);
        if (first >= u'A' && first <= u'Z') {
            addCandidate(static_cast<char16_t>(first | 0x20), index);
        }
    }

    // Horspool's shift: the distance from a letter's last place before the end of the entry to that end.
    const auto pattern = entry(selectDistinct);
    selectDistinctShift_.fill(static_cast<std::uint8_t>(pattern.size()));
    for (std::size_t place = 0; place + 1 < pattern.size(); ++place) {
        const auto shift = static_cast<std::uint8_t>(pattern.size() - 1 - place);
        const char16_t letter = pattern[place];
        selectDistinctShift_[letter] = shift;
        if (letter >= u'A' && letter <= u'Z') {
            selectDistinctShift_[letter | 0x20] = shift;
        }
    }
}

void KeywordTable::addCandidate(char16_t first, std::int16_t index) {
    auto& slots = candidates_[first];
    const auto freeSlot = std::find(slots.begin(), slots.end(), -1);
    if (freeSlot == slots.end()) {
        throw std::logic_error("too many keywords share a first letter");
    }
    *freeSlot = index;
}

} // namespace brelvix
