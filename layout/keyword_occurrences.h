// Every place in a text where a keyword or a CR starts, found in one sweep, so that the layouts never search
// the same text twice.
#pragma once

#include "layout/keyword_table.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace brelvix {

// Indices of line breaks in an Occurrence, which the layouts need to know: a CR alone, and a CR with the LF
// that belongs to it.
inline constexpr std::int16_t carriageReturn = -1;
inline constexpr std::int16_t carriageReturnLineFeed = -2;

constexpr std::int16_t lineBreakKind(std::u16string_view text, std::size_t cr) {
    return cr + 1 < text.size() && text[cr + 1] == u'\n' ? carriageReturnLineFeed : carriageReturn;
}

// A place where an entry or a CR starts. Offset and index share one word, which halves the memory that a
// long text's occurrences take.
class Occurrence {
public:
    Occurrence(std::size_t offset, std::int16_t index)
        : packed_((static_cast<std::uint64_t>(offset) << 16) | static_cast<std::uint16_t>(index)) {}

    std::size_t offset() const { return static_cast<std::size_t>(packed_ >> 16); } // 0-based
    // The lowest KeywordTable index of an entry that starts here, or the kind of line break.
    std::int16_t index() const { return static_cast<std::int16_t>(packed_ & 0xFFFF); }
    bool isLineBreak() const { return index() < 0; }
    std::size_t lineBreakLength() const { return index() == carriageReturnLineFeed ? 2 : 1; }

    friend bool operator==(const Occurrence&, const Occurrence&) = default;

private:
    std::uint64_t packed_;
};

// What a sweep found, in increasing offset order; "SELECT DISTINCT" is also listed on its own, since one far
// ahead can decide a search.
class KeywordOccurrences {
public:
    void reserve(std::size_t count) { all_.reserve(count); }
    void add(std::size_t offset, std::int16_t index) {
        all_.emplace_back(offset, index);
        if (index == KeywordTable::selectDistinct) {
            selectDistinct_.push_back(offset);
        }
    }

    std::span<const Occurrence> all() const { return all_; }
    std::span<const std::size_t> selectDistinct() const { return selectDistinct_; }

    friend bool operator==(const KeywordOccurrences&, const KeywordOccurrences&) = default;

private:
    std::vector<Occurrence> all_;
    std::vector<std::size_t> selectDistinct_;
};

// Uses the processor's vector instructions where it has them.
KeywordOccurrences findOccurrences(const KeywordTable& table, std::u16string_view text);

// The same, one character at a time: the fallback, and the yardstick the vector search is tested against.
KeywordOccurrences findOccurrencesOneByOne(const KeywordTable& table, std::u16string_view text);

} // namespace brelvix
