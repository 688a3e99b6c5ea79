#include "startup/language_code_file.h"

#include "platform/run_time_error.h"
#include "unit/texts/text_files_test.h"

namespace quorvane {
namespace {

using LanguageCodeFileTest = testing::TextFilesTest;
using testing::ErrorNumberOf;

struct CodeCase {
    std::vector<std::string> lines;
    Text code;
    int16_t startIndex;
    Text value;
    int16_t index;
};

// A match on line m gives language m - 1 and its value; without one every
// line counts on from the current index and the last line gives the value.
// Line 1 is never an entry; beyond seven the language becomes language 1.
TEST_F(LanguageCodeFileTest, ValueAndLanguageAsTheTableSays)
{
    const std::vector<std::string> four = {"JPN=ignored heading", "JPN=日本語", "ENU=English", "DEU=Deutsch"};
    const std::vector<std::string> nine = {"heading", "L1=1", "L2=2", "L3=3", "L4=4", "L5=5", "L6=6", "L7=7", "L8=8"};
    const CodeCase cases[] = {
        {four, U"DEU", 1, U"Deutsch", 3},
        {four, U"JPN", 1, U"日本語", 1},
        {four, U"SVE", 1, U"Deutsch", 4},
        {four, U"DEU", 3, U"Deutsch", 5},
        // Whole codes, any letter case, not trimmed.
        {{"heading", "DE=a", "DEUX=b", " DEU=c", "DEU =d", "deu=e"}, U"DEU", 1, U"e", 5},
        {{"heading", "XYZ=x", "ÄÖÜÉ=umlauts"}, U"äöüé", 1, U"umlauts", 2},
        // Empty lines and lines without "=" count but never match; as the
        // last line such a line is the value itself.
        {{"heading", "", "DEU", "DEU=Deutsch"}, U"DEU", 1, U"Deutsch", 3},
        {{"heading", "ENU=English", "Deutsch"}, U"DEU", 1, U"Deutsch", 3},
        {{"heading", "ENU=English", ""}, U"", 1, U"", 3},
        // The code ends at the first "=", the value keeps the rest.
        {{"heading", "A=B=C", "ENU=x=y="}, U"A=B", 1, U"x=y=", 3},
        {{"heading", "A=B=C", "ENU=x=y="}, U"A", 1, U"B=C", 1},
        // An empty code matches only a line beginning with "=".
        {{"heading", "", "ENU=English", "=", "=English"}, U"", 1, U"", 3},
        {{"heading", "", "ENU=English", "DEU=Deutsch"}, U"", 1, U"Deutsch", 4},
        {nine, U"L7", 1, U"7", 7},
        {nine, U"L8", 1, U"8", 1},
        {nine, U"none", 1, U"8", 1},
        {{"heading", "L1=1", "L2=2", "L3=3", "L4=4", "L5=5", "L6=6"}, U"none", 1, U"6", 7},
        {{"heading", "ENU=English"}, U"DEU", 1, U"English", 2},
    };
    for (const CodeCase& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        WriteLines("LcLCFile.txt", c.lines);
        state_.LanguageIndex = c.startIndex;
        EXPECT_EQ(ReadLanguageCodeFile(state_, c.code), c.value);
        EXPECT_EQ(state_.LanguageIndex, c.index);
    }
}

TEST_F(LanguageCodeFileTest, LineEndsShortFilesAndOverflow)
{
    WriteLines("LcLCFile.txt", {"heading", "ENU=English", "DEU=Deutsch"}, "\n");
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"none"), U"Deutsch");
    EXPECT_EQ(state_.LanguageIndex, 3);

    state_.LanguageIndex = 1;
    WriteLines("LcLCFile.txt", {"heading", "ENU=English"}, "\r\n", false);
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"ENU"), U"English");
    EXPECT_EQ(state_.LanguageIndex, 1);

    WriteLines("LcLCFile.txt", {"heading", "ENU=English", "DEU=Deutsch"});
    state_.LanguageIndex = 32767;
    EXPECT_EQ(ErrorNumberOf([&] { ReadLanguageCodeFile(state_, U"DEU"); }), kOverflow);

    WriteLines("LcLCFile.txt", {"heading"});
    EXPECT_EQ(ErrorNumberOf([&] { ReadLanguageCodeFile(state_, U"ENU"); }), kInputPastEnd);
    WriteLines("LcLCFile.txt", {});
    EXPECT_EQ(ErrorNumberOf([&] { ReadLanguageCodeFile(state_, U"ENU"); }), kInputPastEnd);
    std::filesystem::remove("LcLCFile.txt");
    EXPECT_EQ(ErrorNumberOf([&] { ReadLanguageCodeFile(state_, U"ENU"); }), kFileNotFound);
}

TEST_F(LanguageCodeFileTest, TheProfileValueIsCutTo19CharactersAndMatchesInAnyCase)
{
    os_.SetProfileLanguage("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(ReadLanguageCode(), U"ABCDEFGHIJKLMNOPQRS");
    os_.SetProfileLanguage("");
    EXPECT_EQ(ReadLanguageCode(), U"");

    WriteLines("LcLCFile.txt", {"heading", "JPN=日本語", "ENU=English", "DEU=Deutsch"});
    os_.SetProfileLanguage("deu");
    EXPECT_EQ(ReadLanguageCodeFile(state_, ReadLanguageCode()), U"Deutsch");
    EXPECT_EQ(state_.LanguageIndex, 3);
}

}  // namespace
}  // namespace quorvane
