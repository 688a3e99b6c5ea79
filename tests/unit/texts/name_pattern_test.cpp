#include "startup/name_pattern.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

struct PatternCase {
    const char32_t* name;
    const char32_t* pattern;
    bool matches;
};

TEST(NamePatternTest, MatchesAsTheTableSays)
{
    const PatternCase cases[] = {
        // Plain characters: the whole name, letter case counts.
        {U"Deutsch", U"Deutsch", true}, {U"deutsch", U"Deutsch", false}, {U"Deutsch2", U"Deutsch", false},
        {U"Deutsc", U"Deutsch", false}, {U"日本語", U"日本語", true}, {U"a]b!-", U"a]b!-", true},
        {U"", U"", true}, {U"a", U"", false}, {U"", U"a", false},
        // ? is exactly one character.
        {U"Français", U"Fran?ais", true}, {U"日本語", U"日?語", true}, {U"Franais", U"Fran?ais", false},
        {U"", U"?", false}, {U"ab", U"??", true}, {U"abc", U"??", false},
        // * is any run, also none.
        {U"", U"*", true}, {U"Svenska", U"Sv*", true}, {U"Svenska", U"*ska", true}, {U"Svenska", U"S*e*a", true},
        {U"aXbYbc", U"a*b*c", true}, {U"acb", U"a*b*c", false}, {U"Svenska", U"*x*", false},
        {U"abab", U"*ab", true}, {U"aaa", U"***", true},
        // # is one digit 0-9; a full-width digit is none.
        {U"L7", U"L#", true}, {U"Lx", U"L#", false}, {U"L", U"L#", false}, {U"2024", U"####", true},
        {U"２", U"#", false},
        // Lists, ranges, negated lists.
        {U"b", U"[abc]", true}, {U"d", U"[abc]", false}, {U"ab", U"[abc]", false}, {U"m", U"[a-z]", true},
        {U"M", U"[a-z]", false}, {U"M", U"[a-zA-Z]", true}, {U"é", U"[à-ÿ]", true}, {U"の", U"[ぁ-ん]", true},
        {U"Deutsch", U"[A-Z]eutsc[gh]", true}, {U"d", U"[!abc]", true}, {U"a", U"[!abc]", false},
        {U"q", U"[!a-z]", false}, {U"Q", U"[!a-z]", true}, {U"", U"[!a]", false}, {U"x!", U"x[a!]", true},
        // Inside a list special characters stand for themselves; [] for nothing.
        {U"*", U"[*]", true}, {U"x", U"[*]", false}, {U"?", U"[?]", true}, {U"#", U"[#]", true},
        {U"5", U"[#]", false}, {U"[", U"[[]", true}, {U"-", U"[-a]", true}, {U"-", U"[a-]", true},
        {U"b", U"[a-]", false}, {U"ab", U"a[]b", true},
    };
    for (const PatternCase& c : cases) {
        EXPECT_EQ(MatchesNamePattern(c.name, c.pattern), c.matches) << "case " << &c - cases;
    }
}

TEST(NamePatternTest, MalformedPatternsMatchNothing)
{
    for (const Text name : {U"", U"a", U"[a", U"abc", U"[abc"}) {
        for (const Text pattern : {U"[abc", U"*[", U"[!", U"[z-a]*"}) {
            EXPECT_FALSE(MatchesNamePattern(name, pattern));
        }
    }
}

TEST(NamePatternTest, ManyStarsDoNotBacktrackWithoutEnd)
{
    const Text name(5000, U'a');
    Text pattern;
    for (int i = 0; i < 40; ++i) {
        pattern += U"*a";
    }
    EXPECT_TRUE(MatchesNamePattern(name, pattern));
    EXPECT_FALSE(MatchesNamePattern(name, pattern + U"b"));
    EXPECT_TRUE(MatchesNamePattern(name + U"b", pattern + U"*b"));
}

// Only single-character elements take a character of the name: stars and
// empty lists may make a pattern longer than the names it matches.
TEST(NamePatternTest, PatternsLongerThanTheName)
{
    EXPECT_TRUE(MatchesNamePattern(U"ab", U"a[]*[]**b[]"));
    EXPECT_TRUE(MatchesNamePattern(U"Deutsch", U"Deutsch" + Text(1'000'000, U'*')));
    EXPECT_FALSE(MatchesNamePattern(U"Deutsch", U"Deutsch" + Text(1'000'000, U'x')));
    EXPECT_FALSE(MatchesNamePattern(U"Deutsch", U"Deutsch?"));
    EXPECT_FALSE(MatchesNamePattern(U"", U"[a]"));
}

}  // namespace
}  // namespace quorvane
