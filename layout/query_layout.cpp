// One routine serves both layouts: a single sweep finds every keyword, one walk over the hits measures the
// result, and a second writes it into a string allocated once.
#include "layout/query_layout.h"

#include "layout/keyword_occurrences.h"
#include "layout/keyword_search.h"

#include <algorithm>
#include <utility>

namespace brelvix {

static_assert(KeywordSearch::reach == NO_HIT - 1, "a keyword at position NO_HIT or later is out of reach");

namespace {

constexpr std::u16string_view lineBreak = u"\r\n";

// A line worth keeping on its own: it holds more than blanks, tabs and stray LFs.
bool holdsText(std::u16string_view line) {
    return std::any_of(line.begin(), line.end(),
                       [](char16_t c) { return c != u' ' && c != u'\t' && c != u'\n'; });
}

// The lines of a source text. Only a CR breaks a line there; an LF right after it belongs to the break,
// any other LF is ordinary text.
class SourceLines {
public:
    explicit SourceLines(std::u16string_view text)
        : rest_(text) {}

    bool next(std::u16string_view& line) {
        if (finished_) {
            return false;
        }
        const auto cr = rest_.find(u'\r');
        if (cr == std::u16string_view::npos) {
            line = rest_;
            finished_ = true;
            return true;
        }
        line = rest_.substr(0, cr);
        std::size_t nextLine = cr + 1;
        if (nextLine < rest_.size() && rest_[nextLine] == u'\n') {
            ++nextLine;
        }
        rest_.remove_prefix(nextLine);
        return true;
    }

private:
    std::u16string_view rest_;
    bool finished_ = false;
};

// Writes the lines of a layout into a string allocated once, at the plan's bound; every line it opens starts
// with the prefix.
class LineWriter {
public:
    LineWriter(std::size_t capacity, std::u16string_view prefix) {
        newLine_.reserve(lineBreak.size() + prefix.size());
        newLine_ += lineBreak;
        newLine_ += prefix;
        text_.reserve(capacity);
    }

    void openFirstLine() { text_ += std::u16string_view(newLine_).substr(lineBreak.size()); }
    void openLine() { text_ += newLine_; }
    void append(std::u16string_view text) { text_ += text; }
    std::u16string take() { return std::move(text_); }

    // Text before the first keyword is usually nothing or blanks, but it can be a whole outer statement when
    // a later "SELECT DISTINCT" is found first: each of its lines that holds text is kept on a line of its
    // own.
    void firstKeyword(std::u16string_view leadingText, std::u16string_view keyword) {
        bool lineWritten = false;
        SourceLines lines(leadingText);
        for (std::u16string_view line; lines.next(line);) {
            if (holdsText(line)) {
                lineWritten ? openLine() : openFirstLine();
                append(line);
                lineWritten = true;
            }
        }
        lineWritten ? openLine() : openFirstLine();
        append(keyword);
    }

    // The text between two keywords starts a new line; a clause keyword then takes a line of its own, any
    // other keyword ends the segment's line.
    void segment(std::u16string_view text, std::u16string_view keyword, bool clauseKeyword) {
        openLine();
        append(text);
        if (clauseKeyword) {
            openLine();
        }
        append(keyword);
    }

    // A segment that the user broke by hand, at `firstBreak` and maybe later: its first line as usual, each
    // later line that holds text on a line of its own, and a keyword other than a clause keyword ends the
    // last line unless that holds only white space.
    void brokenSegment(std::u16string_view text, std::size_t firstBreak, std::u16string_view keyword,
                       bool clauseKeyword) {
        openLine();
        append(text.substr(0, firstBreak));

        const bool crLf = firstBreak + 1 < text.size() && text[firstBreak + 1] == u'\n';
        SourceLines laterLines(text.substr(firstBreak + (crLf ? 2 : 1)));
        bool keywordEndsLine = false;
        for (std::u16string_view line; laterLines.next(line);) {
            const bool worthALine = holdsText(line);
            if (worthALine) {
                openLine();
                append(line);
            }
            keywordEndsLine = worthALine && !clauseKeyword;
        }
        if (!keywordEndsLine) {
            openLine();
        }
        append(keyword);
    }

private:
    std::u16string newLine_; // a line break and the prefix, written as one piece
    std::u16string text_;
};

// Where the rest of the source starts after a keyword. Adjust leaves the blank of "OR " to open the next
// line.
std::size_t restAfter(const KeywordTable& table, const FoundKeyword& found, bool keepOrBlank) {
    const std::size_t end = found.offset + table.entry(found.index).size();
    return keepOrBlank && found.index == table.orBlank() ? end - 1 : end;
}

// Makes each pass's search from the start of the source, calling `pass(found, restStart)` with the keyword
// found and where the rest of the source started; returns where the tail after the last keyword starts.
template <typename Pass>
std::size_t forEachPass(const KeywordTable& table, const KeywordOccurrences& occurrences, bool keepOrBlank,
                        Pass&& pass) {
    KeywordSearch search(occurrences);
    std::size_t restStart = 0;
    for (FoundKeyword found; search.findFrom(restStart, found);) {
        pass(found, restStart);
        restStart = restAfter(table, found, keepOrBlank);
    }
    return restStart;
}

// A length that the result cannot exceed, found without reading the source, which by now has left the
// processor's caches. It is exact but where a segment broken by hand holds a line of nothing but white space.
std::size_t maxLayoutLength(const KeywordTable& table, const KeywordOccurrences& occurrences,
                            std::size_t sourceLength, std::size_t prefixLength, bool keepOrBlank) {
    const std::size_t newLine = lineBreak.size() + prefixLength;
    std::size_t length = 0;
    bool first = true;
    const std::size_t tailStart =
        forEachPass(table, occurrences, keepOrBlank, [&](const FoundKeyword& found, std::size_t restStart) {
            std::size_t lines = 1;
            if (first || found.lineBreaks > 0) {
                // Each line of the segment, and one for the keyword; an empty last line is not kept.
                lines = found.lineBreaks + (found.keywordOpensLine ? 1 : 2);
            } else if (table.isClauseKeyword(found.index)) {
                lines = 2;
            }
            first = false;
            const std::size_t text = found.offset - restStart - found.lineBreakLength;
            length += lines * newLine + text + table.entry(found.index).size();
        });
    // The tail, and the line break that a final ";" may gain.
    return length + newLine + (sourceLength - tailStart) + lineBreak.size();
}

std::u16string writeLayout(const KeywordTable& table, const KeywordOccurrences& occurrences,
                           std::u16string_view source, std::u16string_view prefix, std::size_t maxLength,
                           bool keepOrBlank) {
    LineWriter writer(maxLength, prefix);
    bool first = true;
    const std::size_t tailStart =
        forEachPass(table, occurrences, keepOrBlank, [&](const FoundKeyword& found, std::size_t restStart) {
            const auto keyword = table.entry(found.index);
            const auto segment = source.substr(restStart, found.offset - restStart);
            const bool clause = table.isClauseKeyword(found.index);
            if (first) {
                writer.firstKeyword(segment, keyword);
                first = false;
            } else if (found.lineBreaks > 0) {
                writer.brokenSegment(segment, found.lineBreakAt, keyword, clause);
            } else {
                writer.segment(segment, keyword, clause);
            }
        });
    writer.openLine();
    writer.append(source.substr(tailStart));
    return writer.take();
}

// A ";" that ends the text goes on a line of its own, without the prefix.
void moveFinalSemicolon(std::u16string& text) {
    if (!text.empty() && text.back() == u';') {
        text.back() = u'\r';
        text += u"\n;";
    }
}

} // namespace

QueryLayout::QueryLayout() = default;

KeywordHit QueryLayout::findKeyword(std::u16string_view rest) const {
    const auto occurrences = findOccurrences(keywordTable_, rest);
    KeywordSearch search(occurrences);
    if (FoundKeyword found; search.findFrom(0, found)) {
        return KeywordHit{static_cast<std::int32_t>(found.offset + 1), found.index};
    }
    return KeywordHit{NO_HIT, 0};
}

std::u16string QueryLayout::adjustLayout(std::u16string_view source) const {
    return layOut(source, {}, AfterOr::KeepBlank);
}

std::u16string QueryLayout::addStringLayout(std::u16string_view source, std::u16string_view prefix) const {
    return layOut(source, prefix, AfterOr::ConsumeBlank);
}

std::u16string QueryLayout::layOut(std::u16string_view source, std::u16string_view prefix,
                                   AfterOr afterOr) const {
    const bool keepOrBlank = afterOr == AfterOr::KeepBlank;
    const auto occurrences = findOccurrences(keywordTable_, source);
    // Walking the passes twice, once to measure, costs less than growing a result of tens of megabytes.
    const std::size_t maxLength =
        maxLayoutLength(keywordTable_, occurrences, source.size(), prefix.size(), keepOrBlank);
    auto text = writeLayout(keywordTable_, occurrences, source, prefix, maxLength, keepOrBlank);
    moveFinalSemicolon(text);
    return text;
}

} // namespace brelvix
