// Both layouts over many generated sources: nothing but white space is ever lost, and the engine agrees with
// the plain pass-by-pass layout, also where keywords straddle the search's reach.
#include "layout/keyword_occurrences.h"
#include "layout/query_layout.h"
#include "tests/layout/layout_text.h"
#include "tests/layout/reference_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace brelvix {
namespace {

using test::essence;
using test::OrBlank;
using test::referenceFindKeyword;
using test::referenceLayout;

// Pieces of Access SQL and the awkward code units a pasted query can carry: the keywords, words that hold
// them or nearly do, and text between them. None holds a double quote or an ampersand, so no source line can
// open with a prefix that holds one.
std::vector<std::u16string> makePieces() {
    const auto& keywords = test::referenceKeywords();
    std::vector<std::u16string> pieces(keywords.begin(), keywords.end());
    for (const char16_t* piece : {u"OR",
                                  u"a",
                                  u"t.x",
                                  u"[Order Details]",
                                  u"#1/2/2024#",
                                  u"'x OR y'",
                                  u"IIf(a>1,b,c)",
                                  u"brands",
                                  u"color",
                                  u"OFFSET",
                                  u"DISTINCT",
                                  u" ",
                                  u" ",
                                  u" ",
                                  u"  ",
                                  u"\t",
                                  u"\r\n",
                                  u"\r\n",
                                  u"\r",
                                  u"\n",
                                  u";",
                                  u"(",
                                  u")",
                                  u"=",
                                  u"1",
                                  u"\u0131",
                                  u"\u017F",
                                  u"\u00A0",
                                  u"\U0001F600",
                                  u"\xD800",
                                  u"\u65E5\u672C"}) {
        pieces.emplace_back(piece);
    }
    pieces.emplace_back(1, u'\0');
    return pieces;
}

const std::vector<std::u16string> pieces = makePieces();

std::u16string randomCase(std::u16string text, std::mt19937& random) {
    for (auto& c : text) {
        if (((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) && random() % 2 == 0) {
            c ^= 0x20;
        }
    }
    return text;
}

std::u16string generateSource(unsigned seed) {
    std::mt19937 random(seed);
    const std::size_t count = random() % 120;
    std::u16string source;
    for (std::size_t i = 0; i < count; ++i) {
        source += randomCase(pieces[random() % pieces.size()], random);
    }
    return source;
}

// Long stretches without keywords, so that keywords fall on both sides of the search's reach.
std::u16string generateLongSource(unsigned seed) {
    std::mt19937 random(seed);
    const std::array<std::u16string, 5> keywords = {u"SELECT DISTINCT", u"FROM", u",", u"OR ", u"select"};
    std::u16string source;
    for (int block = 0; block < 6; ++block) {
        source.append(99990 + random() % 20 - (random() % 2) * (random() % 99990), u'x');
        source += keywords[random() % keywords.size()];
        if (random() % 3 == 0) {
            source += u"\r\n";
        }
    }
    return source;
}

// Code units chosen to trip a filter that looks at bytes: neighbours of the keyword letters, CRs and commas
// in the high byte, NUL, and units that a narrowing to bytes would saturate.
std::u16string generateUnitSoup(unsigned seed) {
    static const std::u16string units =
        u"SsEeLlOoRrDdAaNnBbYyIiTtUuWwHh ,\r\n\t;\u0000\u010D\u0D00\u012C\u2C00"
        u"\u00D3\u0153\u8053\uFF0D\uFFFF\u0131\u017F\u7F20";
    std::mt19937 random(seed);
    std::u16string soup(random() % 200, u' ');
    for (auto& unit : soup) {
        unit = units[random() % units.size()];
    }
    return soup;
}

const std::array<std::u16string_view, 4> prefixes = {u"", test::defaultPrefix, u"  ", u"& \""};

TEST(GeneratedSources, NothingButWhiteSpaceIsLost) {
    const QueryLayout layout;
    for (unsigned seed = 0; seed < 3000; ++seed) {
        const auto source = generateSource(seed);
        const auto expected = essence(source);
        ASSERT_EQ(essence(layout.adjustLayout(source)), expected) << "seed " << seed;
        for (const auto prefix : prefixes) {
            ASSERT_EQ(essence(layout.addStringLayout(source, prefix), prefix), expected) << "seed " << seed;
        }
    }
}

TEST(GeneratedSources, AgreeWithThePassByPassLayout) {
    const QueryLayout layout;
    for (unsigned seed = 0; seed < 3000; ++seed) {
        const auto source = seed % 2 == 0 ? generateSource(seed) : generateUnitSoup(seed);
        const auto hit = layout.findKeyword(source);
        const auto expectedHit = referenceFindKeyword(source);
        ASSERT_EQ(hit.hitPos, expectedHit.hitPos) << "seed " << seed;
        if (hit.hitPos != NO_HIT) {
            ASSERT_EQ(hit.hitIndex, expectedHit.hitIndex) << "seed " << seed;
        }
        ASSERT_EQ(layout.adjustLayout(source), referenceLayout(source, u"", OrBlank::OpensNextLine))
            << "seed " << seed;
        ASSERT_EQ(layout.addStringLayout(source, test::defaultPrefix),
                  referenceLayout(source, test::defaultPrefix, OrBlank::Consumed))
            << "seed " << seed;
    }
}

TEST(GeneratedSources, TheSweepFindsWhatAOneByOneSearchFinds) {
    const KeywordTable table;
    for (unsigned seed = 0; seed < 3000; ++seed) {
        for (const auto& source : {generateSource(seed), generateUnitSoup(seed)}) {
            ASSERT_EQ(findOccurrences(table, source), findOccurrencesOneByOne(table, source))
                << "seed " << seed;
        }
    }
}

TEST(GeneratedSources, AgreeWithThePassByPassLayoutAtTheEdgeOfReach) {
    const QueryLayout layout;
    for (unsigned seed = 0; seed < 40; ++seed) {
        const auto source = generateLongSource(seed);
        ASSERT_EQ(layout.findKeyword(source).hitPos, referenceFindKeyword(source).hitPos) << "seed " << seed;
        ASSERT_EQ(layout.adjustLayout(source), referenceLayout(source, u"", OrBlank::OpensNextLine))
            << "seed " << seed;
        ASSERT_EQ(layout.addStringLayout(source, u"> "), referenceLayout(source, u"> ", OrBlank::Consumed))
            << "seed " << seed;
    }
}

} // namespace
} // namespace brelvix
