// KeywordTable: the words and marks at which a query is broken into lines, in the order they are tried,
// with the lookups derived from them that let a search test each character about once.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace brelvix {

class KeywordTable {
public:
    static constexpr std::int16_t upperBound = 18;
    static constexpr std::size_t entryCount = upperBound + 1;
    // "SELECT DISTINCT": looked for ahead of all others, and wins wherever it is in reach.
    static constexpr std::int16_t selectDistinct = 0;
    static constexpr std::size_t maxCandidates = 3; // entries that share a first letter

    // The entries that may start at a character, lowest index first; unused slots hold -1.
    using Candidates = std::array<std::int16_t, maxCandidates>;

    // An entry laid out for comparing sixteen code units at once: its text with letters in lower case, and
    // the bit that makes an upper-case letter of the source lower case where the entry has a letter.
    static constexpr std::size_t wideLength = 16;
    struct WideEntry {
        std::array<char16_t, wideLength> lowerText{};
        std::array<char16_t, wideLength> caseBit{};
    };

    // A coarse test for a vector filter. Entries are grouped into eight buckets; a character c may stand at
    // fingerprintPlaces[k] of one of bucket b's entries when bit b is set in both lowNibble[k][c & 15] and
    // highNibble[k][c >> 4], characters folded to lower case. A bucket whose entry ends before a place takes
    // any character there. The seventh character tells ORDER BY from the many [Orders] and [Order Details]
    // of Access queries. Single-character entries are not in it: the filter compares `shortEntry` directly.
    static constexpr std::array<std::size_t, 4> fingerprintPlaces = {0, 1, 2, 6};
    using NibbleMap = std::array<std::uint8_t, 16>;
    struct Fingerprint {
        std::array<NibbleMap, fingerprintPlaces.size()> lowNibble{};
        std::array<NibbleMap, fingerprintPlaces.size()> highNibble{};
        char16_t shortEntry = 0;
        std::int16_t shortEntryIndex = -1;
    };

    KeywordTable(); // fills the entries in index order and derives the lookups

    std::u16string_view entry(std::int16_t index) const { return entries_[slot(index)]; }
    bool isClauseKeyword(std::int16_t index) const { return clause_[slot(index)]; }
    // The entry "OR ", whose blank Adjust leaves to open the next line.
    std::int16_t orBlank() const { return orBlank_; }
    const WideEntry& wideEntry(std::int16_t index) const { return wide_[slot(index)]; }
    const Fingerprint& fingerprint() const { return fingerprint_; }

    // Only ASCII can start an entry.
    static constexpr bool canStartEntry(char16_t c) { return c < asciiEnd; }
    const Candidates& candidatesStartingWith(char16_t c) const { return candidates_[c]; }

private:
    static constexpr std::size_t asciiEnd = 128;
    static constexpr std::size_t slot(std::int16_t index) { return static_cast<std::size_t>(index); }

    void addCandidate(char16_t first, std::int16_t index);
    void addToFingerprint(std::int16_t index);

    std::array<std::u16string_view, entryCount> entries_;
    std::array<bool, entryCount> clause_{};
    std::int16_t orBlank_ = -1;
    std::array<WideEntry, entryCount> wide_{};
    std::array<Candidates, asciiEnd> candidates_{};
    Fingerprint fingerprint_;
};

// Upper-casing as the keyword search sees it: a-z become A-Z, every other code unit stays as it is,
// whatever the system's locale.
constexpr char16_t upperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

constexpr bool isAsciiUpper(char16_t c) {
    return c >= u'A' && c <= u'Z';
}

} // namespace brelvix
