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

constexpr char16_t caseBit = 0x20;

// The filter's bucket of each entry. Entries that share a bucket blur each other's fingerprints, so long
// entries share with long ones, and the pairs are chosen so that blurring lets few common words through.
constexpr std::array<unsigned, KeywordTable::entryCount> fingerprintBucket = {
    0, 0, 1, 1, 2, 8, 3, // SELECT DISTINCT, SELECT, DELETE, UPDATE, INSERT INTO, "," (not filtered), AND
    4, 4, 2, 7, 7, 5,    // "OR ", VALUES, INNER JOIN, RIGHT JOIN, LEFT JOIN, FROM
    3, 6, 6, 4, 0, 1,    // WHERE, GROUP BY, ORDER BY, HAVING, SET, UNION
};

} // namespace

KeywordTable::KeywordTable()
    : entries_(keywordEntries) {
    for (auto& slots : candidates_) {
        slots.fill(-1);
    }
    for (std::int16_t index = 0; index <= upperBound; ++index) {
        const auto text = entry(index);
        clause_[slot(index)] =
            std::find(clauseKeywords.begin(), clauseKeywords.end(), text) != clauseKeywords.end();

        if (text == u"OR ") {
            orBlank_ = index;
        }
        if (text.size() > wideLength) {
            throw std::logic_error("keyword longer than a wide comparison");
        }
        auto& wide = wide_[slot(index)];
        for (std::size_t place = 0; place < text.size(); ++place) {
            const bool letter = isAsciiUpper(text[place]);
            wide.caseBit[place] = letter ? caseBit : 0;
            wide.lowerText[place] = letter ? static_cast<char16_t>(text[place] | caseBit) : text[place];
        }

        // Both cases of a letter lead to the same entries, since the search ignores a-z versus A-Z.
        const char16_t first = text.front();
        addCandidate(first, index);
        if (isAsciiUpper(first)) {
            addCandidate(static_cast<char16_t>(first | caseBit), index);
        }

        addToFingerprint(index);
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

void KeywordTable::addToFingerprint(std::int16_t index) {
    const auto text = entry(index);
    if (text.size() == 1) {
        if (fingerprint_.shortEntryIndex >= 0) {
            throw std::logic_error("the filter knows only one single-character keyword");
        }
        fingerprint_.shortEntry = text.front();
        fingerprint_.shortEntryIndex = index;
        return;
    }
    const auto bit = static_cast<std::uint8_t>(1U << fingerprintBucket[slot(index)]);
    for (std::size_t k = 0; k < fingerprintPlaces.size(); ++k) {
        const std::size_t place = fingerprintPlaces[k];
        if (place >= text.size()) {
            for (std::size_t nibble = 0; nibble < 16; ++nibble) {
                fingerprint_.lowNibble[k][nibble] |= bit;
                fingerprint_.highNibble[k][nibble] |= bit;
            }
            continue;
        }
        // The filter folds every character with the case bit, so the fingerprint holds folded characters.
        const auto folded = static_cast<unsigned>(text[place] | caseBit);
        fingerprint_.lowNibble[k][folded & 0xF] |= bit;
        fingerprint_.highNibble[k][folded >> 4] |= bit;
    }
}

} // namespace brelvix
