// The keyword search: which entry wins, where, and how far the search reaches.
#include "layout/query_layout.h"
#include "tests/layout/layout_text.h"

#include <gtest/gtest.h>

#include <string>

namespace brelvix {
namespace {

using test::caseName;
using test::PrintTo;
using test::xs;

struct SearchCase {
    const char* name;
    std::u16string rest;
    KeywordHit expected;
};

class FindKeyword : public testing::TestWithParam<SearchCase> {};

TEST_P(FindKeyword, FindsTheEarliestEntryOrSelectDistinct) {
    const QueryLayout layout;
    const auto& c = GetParam();
    const auto hit = layout.findKeyword(c.rest);
    EXPECT_EQ(hit.hitPos, c.expected.hitPos);
    if (c.expected.hitPos != NO_HIT) {
        EXPECT_EQ(hit.hitIndex, c.expected.hitIndex);
    }
}

// The position of "SELECT DISTINCT" after "a FROM " and enough letters to put it at `position`.
std::u16string selectDistinctAt(std::size_t position) {
    return u"a FROM " + xs(position - 8) + u"SELECT DISTINCT c";
}

INSTANTIATE_TEST_SUITE_P(
    Entries, FindKeyword,
    testing::Values(
        SearchCase{"Empty", u"", {NO_HIT, 0}}, SearchCase{"NoKeyword", u"abc def", {NO_HIT, 0}},
        SearchCase{"SelectDistinctBeatsSelectAtTheSamePlace", u"SELECT DISTINCT a", {1, 0}},
        SearchCase{"SelectDistinctBeatsEarlierKeywords", u"a FROM t WHERE b IN (SELECT DISTINCT c", {22, 0}},
        SearchCase{"OrderByIsNotOr", u"x ORDER BY y", {3, 15}},
        SearchCase{"AndInsideAWord", u" brands", {4, 6}},
        SearchCase{"OrAtTheEndOfAWord", u" color FROM t", {5, 7}},
        SearchCase{"OrBeforeALineBreakIsNoKeyword", u"a OR\r\nb", {NO_HIT, 0}},
        SearchCase{"LowerCase", u"select", {1, 1}}, SearchCase{"MixedCase", u"x InNeR jOiN y", {3, 9}},
        SearchCase{"CommaInsideALiteral", u"'a,b'", {3, 5}},
        SearchCase{"SetInsideOffset", u"OFFSET", {4, 17}}, SearchCase{"GroupBy", u"  group by a", {3, 14}},
        SearchCase{"UnionBeforeSelect", u"x UNION SELECT", {3, 18}},
        SearchCase{"DoubleBlankBreaksATwoWordEntry", u"GROUP  BY a", {NO_HIT, 0}},
        SearchCase{"DistinctWithoutSelectIsNothing", u"DISTINCT a", {NO_HIT, 0}}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Reach, FindKeyword,
    testing::Values(
        SearchCase{"AndAtTheLastReachablePosition", xs(99997) + u"AND", {99998, 6}},
        SearchCase{"AndAtNoHitIsNotFound", xs(99998) + u"AND", {NO_HIT, 0}},
        SearchCase{"EarlierMatchStillFoundWhenALaterOneIsOutOfReach", u"a, " + xs(99998) + u"FROM", {2, 5}},
        SearchCase{"SelectDistinctInReachWins", selectDistinctAt(99998), {99998, 0}},
        SearchCase{"SelectDistinctOutOfReachLosesToAnEarlierKeyword", selectDistinctAt(99999), {3, 12}}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    CodeUnits, FindKeyword,
    testing::Values(SearchCase{"SurrogatePairCountsTwo", u"\U0001F600 FROM", {4, 12}},
                    SearchCase{"LoneSurrogateCountsOne", u"\xD800 FROM", {3, 12}},
                    SearchCase{"NulCountsOne", std::u16string(u"a\0FROM", 6), {3, 12}},
                    SearchCase{"NulIsNoBlank", std::u16string(u"COLOR\0", 6), {NO_HIT, 0}},
                    SearchCase{"DotlessIMatchesNothing", u"\u0131NNER JO\u0131N", {NO_HIT, 0}},
                    SearchCase{"LongSMatchesNothing", u"\u017FET \u017FELECT", {NO_HIT, 0}},
                    SearchCase{
                        "FullWidthLettersMatchNothing", u"\uFF33\uFF25\uFF2C\uFF25\uFF23\uFF34", {NO_HIT, 0}},
                    SearchCase{"LetterNextToAsciiIsNotFolded", u"\u00C0ND AND", {5, 6}}),
    caseName);

} // namespace
} // namespace brelvix
