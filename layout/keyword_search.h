// KeywordSearch: the keyword that each pass of a layout finds, read off the text's occurrences, so that each
// pass costs only the occurrences it passes over rather than a search of the whole remaining text.
#pragma once

#include "layout/keyword_occurrences.h"

#include <cstdint>
#include <span>

namespace brelvix {

struct FoundKeyword {
    static constexpr std::uint32_t noLineBreak = 0xFFFFFFFF;

    std::size_t offset; // 0-based, in the whole text
    std::int16_t index; // into KeywordTable
    // The line breaks between the search's start and the keyword, which is in reach, so distances fit:
    std::uint32_t lineBreakAt;     // to the first, or noLineBreak
    std::uint32_t lineBreaks;      // how many
    std::uint32_t lineBreakLength; // their code units, CRs and the LFs that belong to them
    bool keywordOpensLine;         // the last of them stands right before the keyword
};

class KeywordSearch {
public:
    // A keyword is found only when it starts within this many code units of the search's start.
    static constexpr std::size_t reach = 99998;

    explicit KeywordSearch(const KeywordOccurrences& occurrences)
        : occurrences_(occurrences.all())
        , selectDistinctOffsets_(occurrences.selectDistinct()) {}

    // What a search of the text from `restStart` on finds: the earliest keyword in reach, except that the
    // first "SELECT DISTINCT" wins when it is in reach; false when there is none. Calls must not move
    // `restStart` backwards.
    bool findFrom(std::size_t restStart, FoundKeyword& found);

private:
    std::span<const Occurrence> occurrences_;
    std::span<const std::size_t> selectDistinctOffsets_;
    std::size_t next_ = 0;           // the first occurrence not yet passed
    std::size_t selectDistinct_ = 0; // the first "SELECT DISTINCT" not yet passed
};

// Defined here so that the layouts' loop can keep the result in registers.
inline bool KeywordSearch::findFrom(std::size_t restStart, FoundKeyword& found) {
    const std::size_t count = occurrences_.size();
    while (next_ < count && occurrences_[next_].offset() < restStart) {
        ++next_;
    }
    while (selectDistinct_ < selectDistinctOffsets_.size() &&
           selectDistinctOffsets_[selectDistinct_] < restStart) {
        ++selectDistinct_;
    }
    const auto inReach = [restStart](std::size_t offset) { return offset - restStart < reach; };

    std::size_t keyword = next_;
    if (selectDistinct_ < selectDistinctOffsets_.size() && inReach(selectDistinctOffsets_[selectDistinct_])) {
        while (occurrences_[keyword].offset() != selectDistinctOffsets_[selectDistinct_]) {
            ++keyword;
        }
    } else {
        while (keyword < count && occurrences_[keyword].isLineBreak()) {
            ++keyword;
        }
        if (keyword == count || !inReach(occurrences_[keyword].offset())) {
            return false;
        }
    }

    // Everything up to the keyword is passed for good: the next search starts beyond it.
    found = FoundKeyword{occurrences_[keyword].offset(),
                         occurrences_[keyword].index(),
                         FoundKeyword::noLineBreak,
                         0,
                         0,
                         false};
    for (; next_ < keyword; ++next_) {
        const Occurrence& occurrence = occurrences_[next_];
        if (occurrence.isLineBreak()) {
            if (found.lineBreaks++ == 0) {
                found.lineBreakAt = static_cast<std::uint32_t>(occurrence.offset() - restStart);
            }
            found.lineBreakLength += static_cast<std::uint32_t>(occurrence.lineBreakLength());
            found.keywordOpensLine = occurrence.offset() + occurrence.lineBreakLength() == found.offset;
        }
    }
    return true;
}

} // namespace brelvix
