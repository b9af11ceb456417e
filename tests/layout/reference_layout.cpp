// The plain, pass-by-pass layout that the engine's results are compared with.
#include "tests/layout/reference_layout.h"

#include <vector>

namespace brelvix::test {
namespace {

const std::array<std::u16string, 19> keywords = {u"SELECT DISTINCT",
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
                                                 u"UNION"};

bool isClause(const std::u16string& keyword) {
    return keyword == u"FROM" || keyword == u"WHERE" || keyword == u"GROUP BY" || keyword == u"ORDER BY" ||
           keyword == u"HAVING";
}

bool holdsText(const std::u16string& line) {
    for (const char16_t c : line) {
        if (c != u' ' && c != u'\t' && c != u'\n') {
            return true;
        }
    }
    return false;
}

std::vector<std::u16string> splitAtCr(const std::u16string& text) {
    std::vector<std::u16string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r') {
            lines.back() += text[i];
            continue;
        }
        lines.emplace_back();
        if (i + 1 < text.size() && text[i + 1] == u'\n') {
            ++i;
        }
    }
    return lines;
}

} // namespace

const std::array<std::u16string, 19>& referenceKeywords() {
    return keywords;
}

KeywordHit referenceFindKeyword(std::u16string_view rest) {
    std::u16string upper(rest);
    for (auto& c : upper) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    KeywordHit hit{NO_HIT, 0};
    for (std::int16_t i = 0; i <= 18; ++i) {
        const auto found = upper.find(keywords[static_cast<std::size_t>(i)]);
        const auto pos = found == std::u16string::npos ? 0 : static_cast<std::int32_t>(found + 1);
        if (pos > 0 && pos < hit.hitPos) {
            hit = KeywordHit{pos, i};
            if (i == 0) {
                break;
            }
        }
    }
    return hit;
}

std::u16string referenceLayout(std::u16string_view source, std::u16string_view prefixView, OrBlank orBlank) {
    const std::u16string prefix(prefixView);
    const std::u16string newLine = u"\r\n" + prefix;
    std::u16string rest(source);
    std::u16string output;
    std::int32_t prevHit = 0;
    for (;;) {
        const auto [hitPos, hitIndex] = referenceFindKeyword(rest);
        if (hitPos == NO_HIT) {
            output += newLine + rest;
            break;
        }
        const auto& keyword = keywords[static_cast<std::size_t>(hitIndex)];
        const auto lines = splitAtCr(rest.substr(0, static_cast<std::size_t>(hitPos - 1)));
        if (prevHit > 0) {
            output += newLine + lines.front();
            bool lastLineHoldsText = false;
            for (std::size_t i = 1; i < lines.size(); ++i) {
                lastLineHoldsText = holdsText(lines[i]);
                if (lastLineHoldsText) {
                    output += newLine + lines[i];
                }
            }
            const bool endsLine = !isClause(keyword) && (lines.size() == 1 || lastLineHoldsText);
            output += endsLine ? keyword : newLine + keyword;
        } else {
            for (const auto& line : lines) {
                if (holdsText(line)) {
                    output += prefix + line + u"\r\n";
                }
            }
            output += prefix + keyword;
        }
        std::size_t cut = static_cast<std::size_t>(hitPos - 1) + keyword.size();
        if (orBlank == OrBlank::OpensNextLine && keyword == u"OR ") {
            --cut;
        }
        rest = cut >= rest.size() ? std::u16string() : rest.substr(cut);
        prevHit = hitPos;
    }
    if (!output.empty() && output.back() == u';') {
        output.pop_back();
        output += u"\r\n;";
    }
    return output;
}

} // namespace brelvix::test
