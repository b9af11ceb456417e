// Both layouts on hand-picked sources: the usual shapes of a query, the quirks users meet, and hand-broken
// text that must not lose a character.
#include "layout/query_layout.h"
#include "tests/layout/layout_text.h"

#include <gtest/gtest.h>

#include <string>

namespace brelvix {
namespace {

using test::caseName;
using test::defaultPrefix;
using test::joinLines;
using test::p;
using test::PrintTo;
using test::xs;

struct AdjustCase {
    const char* name;
    std::u16string source;
    std::u16string expected;
};

class Adjust : public testing::TestWithParam<AdjustCase> {};

TEST_P(Adjust, LaysOutTheSource) {
    const QueryLayout layout;
    EXPECT_EQ(layout.adjustLayout(GetParam().source), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, Adjust,
    testing::Values(
        AdjustCase{"ListAndConditions", u"SELECT a, b FROM t WHERE x = 1 AND y = 2",
                   u"SELECT\r\n a,\r\n b \r\nFROM\r\n t \r\nWHERE\r\n x = 1 AND\r\n y = 2"},
        AdjustCase{"SelectDistinctAndFinalSemicolon", u"SELECT DISTINCT t.a, t.b FROM t ORDER BY t.a;",
                   u"SELECT DISTINCT\r\n t.a,\r\n t.b \r\nFROM\r\n t \r\nORDER BY\r\n t.a\r\n;"},
        AdjustCase{"SourceLineBreaksBeforeClauses", u"SELECT a\r\nFROM t\r\nWHERE x = 1 OR y = 2;\r\n",
                   u"SELECT\r\n a\r\nFROM\r\n t\r\nWHERE\r\n x = 1 OR \r\n y = 2;\r\n"},
        AdjustCase{
            "JoinGroupHavingOrder",
            u"SELECT a FROM t1 INNER JOIN t2 ON t1.k = t2.k GROUP BY a HAVING COUNT(*) > 1 ORDER BY a;",
            u"SELECT\r\n a \r\nFROM\r\n t1 INNER JOIN\r\n t2 ON t1.k = t2.k \r\nGROUP BY\r\n a \r\nHAVING"
            u"\r\n COUNT(*) > 1 \r\nORDER BY\r\n a\r\n;"},
        AdjustCase{"LowerCaseAndAndInsideAWord", u"select name from brands where id=1",
                   u"SELECT\r\n name \r\nFROM\r\n brAND\r\ns \r\nWHERE\r\n id=1"},
        AdjustCase{"TwoKeywordsWithOnlyABlankBetween", u"DELETE FROM t WHERE a = 1;",
                   u"DELETE\r\n \r\nFROM\r\n t \r\nWHERE\r\n a = 1\r\n;"},
        AdjustCase{"OrAtTheEndOfAWordKeepsItsBlankForTheNextLine", u"SELECT color FROM t",
                   u"SELECT\r\n colOR \r\n \r\nFROM\r\n t"},
        AdjustCase{"KeywordInsideALiteral", u"SELECT * FROM t WHERE c = 'x OR y'",
                   u"SELECT\r\n * \r\nFROM\r\n t \r\nWHERE\r\n c = 'x OR \r\n y'"},
        AdjustCase{"NoBlankAfterAKeyword", u"SELECT a,b", u"SELECT\r\n a,\r\nb"},
        AdjustCase{"UpdateSetValues", u"UPDATE t SET a = 1", u"UPDATE\r\n t SET\r\n a = 1"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Edges, Adjust,
    testing::Values(AdjustCase{"Empty", u"", u"\r\n"}, AdjustCase{"NoKeyword", u"abc", u"\r\nabc"},
                    AdjustCase{"NoKeywordWithSemicolon", u"x;", u"\r\nx\r\n;"},
                    AdjustCase{"SemicolonAlone", u";", u"\r\n\r\n;"},
                    AdjustCase{"SemicolonBeforeALineBreakStays", u"SELECT a\r\nFROM t;\r\n",
                               u"SELECT\r\n a\r\nFROM\r\n t;\r\n"},
                    AdjustCase{"LeadingBlanksDropped", u"  SELECT a", u"SELECT\r\n a"},
                    AdjustCase{"EmptySourceLineDropped", u"SELECT a\r\n\r\nFROM t",
                               u"SELECT\r\n a\r\nFROM\r\n t"},
                    AdjustCase{"LoneLfIsOrdinaryText", u"SELECT a\nFROM t", u"SELECT\r\n a\n\r\nFROM\r\n t"},
                    AdjustCase{"LoneCrBreaksALine", u"SELECT a\rFROM t", u"SELECT\r\n a\r\nFROM\r\n t"},
                    AdjustCase{"EndsWithAKeyword", u"SELECT a,", u"SELECT\r\n a,\r\n"}),
    caseName);

// Text that a plain keyword-to-keyword walk would drop is kept, each line that holds text on its own.
INSTANTIATE_TEST_SUITE_P(
    NothingLost, Adjust,
    testing::Values(AdjustCase{"HandBrokenColumn", u"SELECT a,\r\n b\r\nFROM t",
                               u"SELECT\r\n a,\r\n\r\n b\r\nFROM\r\n t"},
                    AdjustCase{"HandIndentedColumns", u"SELECT a,\r\n  b,\r\n  c\r\nFROM t",
                               u"SELECT\r\n a,\r\n\r\n  b,\r\n\r\n  c\r\nFROM\r\n t"},
                    AdjustCase{"OuterQueryBeforeALaterSelectDistinct",
                               u"SELECT a FROM t WHERE b IN (SELECT DISTINCT c FROM u)",
                               u"SELECT a FROM t WHERE b IN (\r\nSELECT DISTINCT\r\n c \r\nFROM\r\n u)"},
                    AdjustCase{"InsertBeforeSelectDistinct", u"INSERT INTO t SELECT DISTINCT a FROM u",
                               u"INSERT INTO t \r\nSELECT DISTINCT\r\n a \r\nFROM\r\n u"},
                    AdjustCase{"LeadingLinesWithTextKeptBlankOnesDropped", u"-- q\r\n \t\r\n\r\nSELECT a",
                               u"-- q\r\nSELECT\r\n a"},
                    AdjustCase{"WhiteOnlyLinesInASegmentDropped", u"SELECT a,\r\n \t\n\r\n b FROM t",
                               u"SELECT\r\n a,\r\n\r\n b \r\nFROM\r\n t"},
                    AdjustCase{"NonClauseKeywordAfterABlankLastLineTakesItsOwnLine",
                               u"SELECT a\r\nb\r\n AND c", u"SELECT\r\n a\r\nb\r\nAND\r\n c"},
                    AdjustCase{"LastReachableKeywordWithTextBeforeIt", xs(99997) + u"FROM t",
                               xs(99997) + u"\r\nFROM\r\n t"},
                    AdjustCase{"KeywordOutOfReach", xs(99998) + u"FROM t", u"\r\n" + xs(99998) + u"FROM t"},
                    AdjustCase{"ReachCountsFromTheEndOfThePreviousKeyword", u"SELECT" + xs(99998) + u"FROM t",
                               u"SELECT\r\n" + xs(99998) + u"FROM t"},
                    AdjustCase{"ReachAfterThePreviousKeyword", u"SELECT" + xs(99997) + u"FROM t",
                               u"SELECT\r\n" + xs(99997) + u"\r\nFROM\r\n t"}),
    caseName);

struct AddStringCase {
    const char* name;
    std::u16string source;
    std::u16string prefix;
    std::u16string expected;
};

class AddString : public testing::TestWithParam<AddStringCase> {};

TEST_P(AddString, OpensEveryLineWithThePrefix) {
    const QueryLayout layout;
    EXPECT_EQ(layout.addStringLayout(GetParam().source, GetParam().prefix), GetParam().expected);
}

const std::u16string P(defaultPrefix);

INSTANTIATE_TEST_SUITE_P(
    Shapes, AddString,
    testing::Values(
        AddStringCase{"ClausesOnTheirOwnLines",
                      u"SELECT a.x, a.y\r\nFROM a\r\nWHERE a.x = 1\r\nORDER BY a.y;", P,
                      joinLines({p(u"SELECT"), p(u" a.x,"), p(u" a.y"), p(u"FROM"), p(u" a"), p(u"WHERE"),
                                 p(u" a.x = 1"), p(u"ORDER BY"), p(u" a.y"), u";"})},
        AddStringCase{"OrConsumesItsBlank", u"SELECT id, name FROM t WHERE id = 1 OR name = 'b';", P,
                      joinLines({p(u"SELECT"), p(u" id,"), p(u" name "), p(u"FROM"), p(u" t "), p(u"WHERE"),
                                 p(u" id = 1 OR "), p(u"name = 'b'"), u";"})},
        AddStringCase{"EmptyPrefix", u"SELECT id, name FROM t WHERE id = 1 OR name = 'b';", u"",
                      joinLines({u"SELECT", u" id,", u" name ", u"FROM", u" t ", u"WHERE", u" id = 1 OR ",
                                 u"name = 'b'", u";"})},
        AddStringCase{"SemicolonAndLineBreakAtTheEnd",
                      u"SELECT DISTINCT city FROM shop\r\nWHERE open = True AND size > 2\r\nGROUP BY city\r\n"
                      u"HAVING Count(*) > 3;\r\n",
                      P,
                      joinLines({p(u"SELECT DISTINCT"), p(u" city "), p(u"FROM"), p(u" shop"), p(u"WHERE"),
                                 p(u" open = True AND"), p(u" size > 2"), p(u"GROUP BY"), p(u" city"),
                                 p(u"HAVING"), p(u" Count(*) > 3;"), u""})},
        AddStringCase{"LowerCase", u"select a from t", P,
                      joinLines({p(u"SELECT"), p(u" a "), p(u"FROM"), p(u" t")})},
        AddStringCase{"AndInsideAWord", u"SELECT brand FROM t", P,
                      joinLines({p(u"SELECT"), p(u" brAND"), p(u" "), p(u"FROM"), p(u" t")})},
        AddStringCase{"OrAtTheEndOfAWord", u"SELECT color FROM t", P,
                      joinLines({p(u"SELECT"), p(u" colOR "), p(u""), p(u"FROM"), p(u" t")})},
        AddStringCase{
            "OrWithoutBlankIsNoKeyword", u"SELECT a FROM t WHERE x=1 OR(y=2)", P,
            joinLines({p(u"SELECT"), p(u" a "), p(u"FROM"), p(u" t "), p(u"WHERE"), p(u" x=1 OR(y=2)")})},
        AddStringCase{"SemicolonLineHasNoPrefix", u"SELECT a FROM t;", P,
                      joinLines({p(u"SELECT"), p(u" a "), p(u"FROM"), p(u" t"), u";"})},
        AddStringCase{
            "TailLinesGetNoPrefix", u"SELECT a FROM t WHERE x=1 OR\r\ny=2", P,
            joinLines({p(u"SELECT"), p(u" a "), p(u"FROM"), p(u" t "), p(u"WHERE"), p(u" x=1 OR"), u"y=2"})},
        AddStringCase{"LoneLfStaysInItsLine", u"SELECT a\nFROM t", P,
                      joinLines({p(u"SELECT"), p(u" a\n"), p(u"FROM"), p(u" t")})},
        AddStringCase{"EndsWithAKeyword", u"SELECT a,", P, joinLines({p(u"SELECT"), p(u" a,"), p(u"")})}),
    caseName);

INSTANTIATE_TEST_SUITE_P(Edges, AddString,
                         testing::Values(AddStringCase{"Empty", u"", P, joinLines({u"", p(u"")})},
                                         AddStringCase{"NoKeyword", u"abc", P, joinLines({u"", p(u"abc")})},
                                         AddStringCase{"KeywordOutOfReach", xs(99998) + u"FROM t", P,
                                                       joinLines({u"", p(xs(99998) + u"FROM t")})},
                                         AddStringCase{"LastReachableKeyword", xs(99997) + u"FROM t", P,
                                                       joinLines({p(xs(99997)), p(u"FROM"), p(u" t")})}),
                         caseName);

INSTANTIATE_TEST_SUITE_P(
    NothingLost, AddString,
    testing::Values(AddStringCase{"TextBeforeTheFirstKeyword", u"x SELECT a", P,
                                  joinLines({p(u"x "), p(u"SELECT"), p(u" a")})},
                    AddStringCase{"HandBrokenLineBeforeAClause", u"SELECT a\r\nb\r\nFROM t", P,
                                  joinLines({p(u"SELECT"), p(u" a"), p(u"b"), p(u"FROM"), p(u" t")})},
                    AddStringCase{
                        "HandBrokenColumnBeforeAClause", u"SELECT a,\r\n b FROM t", P,
                        joinLines({p(u"SELECT"), p(u" a,"), p(u""), p(u" b "), p(u"FROM"), p(u" t")})},
                    AddStringCase{"InsertBeforeSelectDistinct", u"INSERT INTO t SELECT DISTINCT a FROM u", P,
                                  joinLines({p(u"INSERT INTO t "), p(u"SELECT DISTINCT"), p(u" a "),
                                             p(u"FROM"), p(u" u")})}),
    caseName);

} // namespace
} // namespace brelvix
