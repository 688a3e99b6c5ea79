#include "startup/name_pattern.h"

#include <gtest/gtest.h>

#include <tuple>

namespace quorvane {
namespace {

TEST(NamePatternTest, MatchesAsTheTableSays)
{
    const std::tuple<const char32_t*, const char32_t*, bool> cases[] = {
        // Plain characters: the whole name, letter case counts.
        {U"deutsch", U"Deutsch", false}, {U"Deutsch2", U"Deutsch", false}, {U"Deutsc", U"Deutsch", false},
        {U"", U"", true}, {U"a", U"", false}, {U"a]b!-", U"a]b!-", true},
        // ? is one character, * any run, # one digit 0-9 (no full-width one).
        {U"日本語", U"日?語", true}, {U"Franais", U"Fran?ais", false}, {U"abc", U"??", false}, {U"", U"*", true},
        {U"Svenska", U"*ska", true}, {U"Svenska", U"S*e*a", true}, {U"acb", U"a*b*c", false}, {U"abab", U"*ab", true},
        {U"Svenska", U"*x*", false}, {U"L7", U"L#", true},
        {U"２", U"#", false}, {U"/", U"#", false}, {U":", U"#", false},
        // Lists, ranges, negated lists; inside them special characters are plain; [] is no character.
        {U"b", U"[abc]", true}, {U"ab", U"[abc]", false}, {U"M", U"[a-z]", false}, {U"M", U"[a-zA-Z]", true},
        {U"の", U"[ぁ-ん]", true}, {U"d", U"[!abc]", true}, {U"a", U"[!abc]", false}, {U"Q", U"[!a-z]", true},
        {U"", U"[!a]", false}, {U"x!", U"x[a!]", true}, {U"*", U"[*]", true}, {U"x", U"[*]", false},
        {U"?", U"[?]", true}, {U"5", U"[#]", false}, {U"[", U"[[]", true}, {U"-", U"[a-]", true},
        {U"b", U"[a-]", false}, {U"ab", U"a[]b", true}, {U"ab", U"a[]*[]**b[]", true},
        // Malformed patterns match nothing; single characters beyond the name neither.
        {U"[abc", U"[abc", false}, {U"a", U"*[", false}, {U"", U"[!", false}, {U"abc", U"[z-a]*", false},
        {U"Deutsch", U"Deutsch?", false}, {U"", U"[a]", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesNamePattern(std::get<0>(c), std::get<1>(c)), std::get<2>(c)) << "case " << &c - cases;
    }
}

// Many stars do not backtrack without end; a huge pattern is given up early.
TEST(NamePatternTest, LongNamesAndPatternsTakeLittleTime)
{
    Text pattern;
    for (int i = 0; i < 40; ++i) {
        pattern += U"*a";
    }
    EXPECT_TRUE(MatchesNamePattern(Text(5000, U'a'), pattern));
    EXPECT_FALSE(MatchesNamePattern(Text(5000, U'a'), pattern + U"b"));
    EXPECT_TRUE(MatchesNamePattern(U"Deutsch", U"Deutsch" + Text(1'000'000, U'*')));
    EXPECT_FALSE(MatchesNamePattern(U"Deutsch", U"Deutsch" + Text(1'000'000, U'x')));
}

}  // namespace
}  // namespace quorvane
