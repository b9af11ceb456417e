// The keyword search and the two layouts built on it, which share one routine.
#include "layout/query_layout.h"

#include "layout/keyword_scanner.h"

#include <utility>

namespace brelvix {

static_assert(KeywordScanner::reach == NO_HIT - 1, "a keyword at position NO_HIT or later is out of reach");

namespace {

constexpr std::u16string_view lineBreak = u"\r\n";
constexpr std::u16string_view orBlank = u"OR ";

// A line worth keeping on its own: it holds more than blanks, tabs and stray LFs.
bool holdsText(std::u16string_view line) {
    return line.find_first_not_of(u" \t\n") != std::u16string_view::npos;
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

// The laid-out text under construction; every line it opens starts with the prefix.
class LayoutWriter {
public:
    explicit LayoutWriter(std::u16string_view prefix)
        : prefix_(prefix) {}

    void openFirstLine() { output_ += prefix_; }
    void openLine() {
        output_ += lineBreak;
        output_ += prefix_;
    }
    void append(std::u16string_view text) { output_ += text; }

    // A ";" that ends the text goes on a line of its own, without the prefix.
    std::u16string finish() {
        if (!output_.empty() && output_.back() == u';') {
            output_.back() = u'\r';
            output_ += u"\n;";
        }
        return std::move(output_);
    }

private:
    std::u16string_view prefix_;
    std::u16string output_;
};

// Text before the first keyword, usually nothing or blanks, but it can be a whole outer statement when a
// later "SELECT DISTINCT" is found first: each of its lines that holds text is kept on a line of its own.
void writeFirstKeyword(LayoutWriter& writer, std::u16string_view leadingText, std::u16string_view keyword) {
    bool lineWritten = false;
    SourceLines lines(leadingText);
    for (std::u16string_view line; lines.next(line);) {
        if (holdsText(line)) {
            lineWritten ? writer.openLine() : writer.openFirstLine();
            writer.append(line);
            lineWritten = true;
        }
    }
    lineWritten ? writer.openLine() : writer.openFirstLine();
    writer.append(keyword);
}

// The text between two keywords starts a new line. A clause keyword then takes a line of its own; any other
// keyword ends the segment's last line, unless that line holds nothing but white space. Lines of a
// hand-broken segment after its first are kept only when they hold text.
void writeSegment(LayoutWriter& writer, std::u16string_view segment, std::u16string_view keyword,
                  bool clauseKeyword) {
    SourceLines lines(segment);
    std::u16string_view line;
    lines.next(line);
    writer.openLine();
    writer.append(line);

    bool keywordEndsLine = !clauseKeyword;
    while (lines.next(line)) {
        const bool text = holdsText(line);
        if (text) {
            writer.openLine();
            writer.append(line);
        }
        keywordEndsLine = text && !clauseKeyword;
    }
    if (!keywordEndsLine) {
        writer.openLine();
    }
    writer.append(keyword);
}

} // namespace

QueryLayout::QueryLayout() = default;

KeywordHit QueryLayout::findKeyword(std::u16string_view rest) const {
    KeywordScanner scanner(keywordTable_, rest);
    if (const auto found = scanner.findFrom(0)) {
        return KeywordHit{static_cast<std::int32_t>(found->offset + 1), found->index};
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
    KeywordScanner scanner(keywordTable_, source);
    LayoutWriter writer(prefix);
    std::size_t restStart = 0;
    bool firstKeyword = true;
    while (const auto found = scanner.findFrom(restStart)) {
        const auto keyword = keywordTable_.entry(found->index);
        const auto segment = source.substr(restStart, found->offset - restStart);
        if (firstKeyword) {
            writeFirstKeyword(writer, segment, keyword);
            firstKeyword = false;
        } else {
            writeSegment(writer, segment, keyword, keywordTable_.isClauseKeyword(found->index));
        }
        restStart = found->offset + keyword.size();
        // Adjust leaves the blank of "OR " to open the next line.
        if (afterOr == AfterOr::KeepBlank && keyword == orBlank) {
            --restStart;
        }
    }
    writer.openLine();
    writer.append(source.substr(restStart));
    return writer.finish();
}

} // namespace brelvix
