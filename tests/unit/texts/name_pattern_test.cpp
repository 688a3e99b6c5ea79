#include "startup/name_pattern.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

bool Matches(const Text& name, const Text& pattern) { return MatchesNamePattern(name, pattern); }

TEST(NamePatternTest, PlainCharactersMatchTheWholeNameCaseSensitively)
{
    EXPECT_TRUE(Matches(U"Deutsch", U"Deutsch"));
    EXPECT_FALSE(Matches(U"deutsch", U"Deutsch"));
    EXPECT_FALSE(Matches(U"Deutsch2", U"Deutsch"));
    EXPECT_FALSE(Matches(U"Deutsc", U"Deutsch"));
    EXPECT_TRUE(Matches(U"日本語", U"日本語"));
    EXPECT_TRUE(Matches(U"a]b!-", U"a]b!-"));
}

TEST(NamePatternTest, QuestionMarkIsExactlyOneCharacter)
{
    EXPECT_TRUE(Matches(U"Français", U"Fran?ais"));
    EXPECT_TRUE(Matches(U"日本語", U"日?語"));
    EXPECT_FALSE(Matches(U"Franais", U"Fran?ais"));
    EXPECT_FALSE(Matches(U"", U"?"));
    EXPECT_TRUE(Matches(U"ab", U"??"));
    EXPECT_FALSE(Matches(U"abc", U"??"));
}

TEST(NamePatternTest, StarIsAnyRunAlsoNone)
{
    EXPECT_TRUE(Matches(U"", U"*"));
    EXPECT_TRUE(Matches(U"Svenska", U"*"));
    EXPECT_TRUE(Matches(U"Svenska", U"Sv*"));
    EXPECT_TRUE(Matches(U"Svenska", U"*ska"));
    EXPECT_TRUE(Matches(U"Svenska", U"S*e*a"));
    EXPECT_TRUE(Matches(U"abc", U"a*b*c"));
    EXPECT_TRUE(Matches(U"aXbYbc", U"a*b*c"));
    EXPECT_FALSE(Matches(U"acb", U"a*b*c"));
    EXPECT_FALSE(Matches(U"Svenska", U"*x*"));
    EXPECT_TRUE(Matches(U"abab", U"*ab"));
    EXPECT_TRUE(Matches(U"aaa", U"***"));
}

TEST(NamePatternTest, HashIsOneDigit)
{
    EXPECT_TRUE(Matches(U"L7", U"L#"));
    EXPECT_FALSE(Matches(U"Lx", U"L#"));
    EXPECT_FALSE(Matches(U"L", U"L#"));
    EXPECT_TRUE(Matches(U"2024", U"####"));
    EXPECT_FALSE(Matches(U"２", U"#"));  // a full-width digit is no digit 0-9
}

TEST(NamePatternTest, ListsRangesAndNegatedLists)
{
    EXPECT_TRUE(Matches(U"b", U"[abc]"));
    EXPECT_FALSE(Matches(U"d", U"[abc]"));
    EXPECT_FALSE(Matches(U"ab", U"[abc]"));
    EXPECT_TRUE(Matches(U"m", U"[a-z]"));
    EXPECT_FALSE(Matches(U"M", U"[a-z]"));
    EXPECT_TRUE(Matches(U"M", U"[a-zA-Z]"));
    EXPECT_TRUE(Matches(U"é", U"[à-ÿ]"));
    EXPECT_TRUE(Matches(U"の", U"[ぁ-ん]"));
    EXPECT_TRUE(Matches(U"Deutsch", U"[A-Z]eutsc[gh]"));

    EXPECT_TRUE(Matches(U"d", U"[!abc]"));
    EXPECT_FALSE(Matches(U"a", U"[!abc]"));
    EXPECT_FALSE(Matches(U"q", U"[!a-z]"));
    EXPECT_TRUE(Matches(U"Q", U"[!a-z]"));
    EXPECT_FALSE(Matches(U"", U"[!a]"));
    EXPECT_TRUE(Matches(U"x!", U"x[a!]"));  // "!" only negates at the start
}

TEST(NamePatternTest, SpecialCharactersInsideAListStandForThemselves)
{
    EXPECT_TRUE(Matches(U"*", U"[*]"));
    EXPECT_FALSE(Matches(U"x", U"[*]"));
    EXPECT_TRUE(Matches(U"?", U"[?]"));
    EXPECT_TRUE(Matches(U"#", U"[#]"));
    EXPECT_FALSE(Matches(U"5", U"[#]"));
    EXPECT_TRUE(Matches(U"[", U"[[]"));
    EXPECT_TRUE(Matches(U"-", U"[-a]"));
    EXPECT_TRUE(Matches(U"-", U"[a-]"));
    EXPECT_FALSE(Matches(U"b", U"[a-]"));
    EXPECT_TRUE(Matches(U"ab", U"a[]b"));  // an empty list stands for nothing
}

TEST(NamePatternTest, EmptyPatternMatchesOnlyTheEmptyName)
{
    EXPECT_TRUE(Matches(U"", U""));
    EXPECT_FALSE(Matches(U"a", U""));
    EXPECT_FALSE(Matches(U"", U"a"));
}

TEST(NamePatternTest, MalformedPatternsMatchNothing)
{
    for (const Text& name : {Text(U""), Text(U"a"), Text(U"[a"), Text(U"abc"), Text(U"[abc")}) {
        EXPECT_FALSE(Matches(name, U"[abc"));
        EXPECT_FALSE(Matches(name, U"*["));
        EXPECT_FALSE(Matches(name, U"[!"));
        EXPECT_FALSE(Matches(name, U"[z-a]*"));
    }
}

TEST(NamePatternTest, ManyStarsDoNotBacktrackWithoutEnd)
{
    const Text name(5000, U'a');
    Text pattern;
    for (int i = 0; i < 40; ++i) {
        pattern += U"*a";
    }
    EXPECT_TRUE(Matches(name, pattern));
    EXPECT_FALSE(Matches(name, pattern + U"b"));
    EXPECT_TRUE(Matches(name + U"b", pattern + U"*b"));
}

}  // namespace
}  // namespace quorvane
