// KeywordTable: the words and marks at which a query is broken into lines, in the order they are tried,
// with the lookups derived from them that let a scan test each character once.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace brelvix {

class KeywordTable {
public:
    static constexpr std::int16_t upperBound = 18;
    static constexpr std::size_t entryCount = upperBound + 1;
    static constexpr std::int16_t selectDistinct =
        0; // looked for ahead of all others, and wins wherever it is
    static constexpr std::size_t maxCandidates =
        2; // entries other than "SELECT DISTINCT" sharing a first letter

    // The entries that may start at a character, lowest index first; unused slots hold -1.
    using Candidates = std::array<std::int16_t, maxCandidates>;

    KeywordTable(); // fills the entries in index order and derives the lookups

    std::u16string_view entry(std::int16_t index) const { return entries_[static_cast<std::size_t>(index)]; }
    bool isClauseKeyword(std::int16_t index) const { return clause_[static_cast<std::size_t>(index)]; }

    // Entries 1 and up that may start at the code unit `c`; only ASCII can start one.
    const Candidates& candidatesStartingWith(char16_t c) const { return candidates_[c]; }
    static constexpr bool canStartKeyword(char16_t c) { return c < asciiEnd; }

    // How far the search for "SELECT DISTINCT" may move on when the code unit `c` lies under its last letter.
    std::size_t selectDistinctShift(char16_t c) const {
        return c < asciiEnd ? selectDistinctShift_[c] : entry(selectDistinct).size();
    }

private:
    static constexpr std::size_t asciiEnd = 128;

    void addCandidate(char16_t first, std::int16_t index);

    std::array<std::u16string_view, entryCount> entries_;
    std::array<bool, entryCount> clause_{};
    std::array<Candidates, asciiEnd> candidates_{};
    std::array<std::uint8_t, asciiEnd> selectDistinctShift_{};
};

// Upper-casing as the keyword search sees it: a-z become A-Z, every other code unit stays as it is,
// whatever the system's locale.
constexpr char16_t upperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

} // namespace brelvix
