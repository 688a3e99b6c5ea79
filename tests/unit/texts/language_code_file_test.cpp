#include "startup/language_code_file.h"

#include "platform/run_time_error.h"
#include "unit/texts/text_files_test.h"

namespace quorvane {
namespace {

using LanguageCodeFileTest = testing::TextFilesTest;
using testing::ErrorNumberOf;

TEST_F(LanguageCodeFileTest, AMatchOnLineMGivesLanguageMMinusOneAndItsValue)
{
    WriteLines("LcLCFile.txt", {"JPN=ignored heading", "JPN=日本語", "ENU=English", "DEU=Deutsch", "FRA=Français"});
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"DEU"), U"Deutsch");
    EXPECT_EQ(state_.LanguageIndex, 3);

    state_.LanguageIndex = 1;
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"JPN"), U"日本語");  // line 1 is never an entry
    EXPECT_EQ(state_.LanguageIndex, 1);
}

TEST_F(LanguageCodeFileTest, WithoutAMatchEveryLineCountsAndTheLastLineGivesTheValue)
{
    WriteLines("LcLCFile.txt", {"heading", "JPN=日本語", "ENU=English", "DEU=Deutsch"});
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"SVE"), U"Deutsch");
    EXPECT_EQ(state_.LanguageIndex, 4);
}

TEST_F(LanguageCodeFileTest, CodesCompareWholeIgnoringLetterCaseWithoutTrimming)
{
    WriteLines("LcLCFile.txt", {"heading", "DE=a", "DEUX=b", " DEU=c", "DEU =d", "deu=e"});
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"DEU"), U"e");
    EXPECT_EQ(state_.LanguageIndex, 5);

    WriteLines("LcLCFile.txt", {"heading", "XYZ=x", "ÄÖÜÉ=umlauts"});
    state_.LanguageIndex = 1;
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"äöüé"), U"umlauts");
    EXPECT_EQ(state_.LanguageIndex, 2);
}

TEST_F(LanguageCodeFileTest, EmptyLinesAndLinesWithoutEqualsSignCountButNeverMatch)
{
    WriteLines("LcLCFile.txt", {"heading", "", "DEU", "DEU=Deutsch"});
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"DEU"), U"Deutsch");
    EXPECT_EQ(state_.LanguageIndex, 3);

    // As the last line read, a line without "=" is the value itself.
    WriteLines("LcLCFile.txt", {"heading", "ENU=English", "Deutsch"});
    state_.LanguageIndex = 1;
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"DEU"), U"Deutsch");
    EXPECT_EQ(state_.LanguageIndex, 3);

    WriteLines("LcLCFile.txt", {"heading", "ENU=English", ""});
    state_.LanguageIndex = 1;
    EXPECT_EQ(ReadLanguageCodeFile(state_, U""), U"");
    EXPECT_EQ(state_.LanguageIndex, 3);
}

TEST_F(LanguageCodeFileTest, TheCodeEndsAtTheFirstEqualsSignAndTheValueKeepsTheRest)
{
    WriteLines("LcLCFile.txt", {"heading", "A=B=C", "ENU=x=y="});
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"A=B"), U"x=y=");
    EXPECT_EQ(state_.LanguageIndex, 3);

    state_.LanguageIndex = 1;
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"A"), U"B=C");
    EXPECT_EQ(state_.LanguageIndex, 1);
}

TEST_F(LanguageCodeFileTest, AnEmptyCodeMatchesOnlyALineBeginningWithEqualsSign)
{
    WriteLines("LcLCFile.txt", {"heading", "", "ENU=English", "=", "=English"});
    EXPECT_EQ(ReadLanguageCodeFile(state_, U""), U"");
    EXPECT_EQ(state_.LanguageIndex, 3);

    WriteLines("LcLCFile.txt", {"heading", "", "ENU=English", "DEU=Deutsch"});
    state_.LanguageIndex = 1;
    EXPECT_EQ(ReadLanguageCodeFile(state_, U""), U"Deutsch");
    EXPECT_EQ(state_.LanguageIndex, 4);
}

TEST_F(LanguageCodeFileTest, LanguagesBeyondSevenBecomeLanguageOne)
{
    const std::vector<std::string> lines = {"heading", "L1=1", "L2=2", "L3=3", "L4=4", "L5=5", "L6=6", "L7=7", "L8=8"};
    WriteLines("LcLCFile.txt", lines);
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"L7"), U"7");
    EXPECT_EQ(state_.LanguageIndex, 7);

    state_.LanguageIndex = 1;
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"L8"), U"8");  // a match on line 9
    EXPECT_EQ(state_.LanguageIndex, 1);

    state_.LanguageIndex = 1;
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"none"), U"8");  // eight entries counted
    EXPECT_EQ(state_.LanguageIndex, 1);

    WriteLines("LcLCFile.txt", {"heading", "L1=1", "L2=2", "L3=3", "L4=4", "L5=5", "L6=6"});
    state_.LanguageIndex = 1;
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"none"), U"6");  // six entries: the number after the last
    EXPECT_EQ(state_.LanguageIndex, 7);
}

TEST_F(LanguageCodeFileTest, TheCountGoesOnFromTheCurrentLanguageIndexAndIsChecked)
{
    WriteLines("LcLCFile.txt", {"heading", "ENU=English", "DEU=Deutsch"});
    state_.LanguageIndex = 3;
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"DEU"), U"Deutsch");
    EXPECT_EQ(state_.LanguageIndex, 4);

    state_.LanguageIndex = 32767;
    EXPECT_EQ(ErrorNumberOf([&] { ReadLanguageCodeFile(state_, U"DEU"); }), kOverflow);
}

TEST_F(LanguageCodeFileTest, AFileOfTwoLinesIsReadAndAShorterOneIsAnError)
{
    WriteLines("LcLCFile.txt", {"heading", "ENU=English"});
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"DEU"), U"English");
    EXPECT_EQ(state_.LanguageIndex, 2);

    state_.LanguageIndex = 1;
    WriteLines("LcLCFile.txt", {"heading", "ENU=English"}, "\r\n", false);
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"ENU"), U"English");
    EXPECT_EQ(state_.LanguageIndex, 1);

    WriteLines("LcLCFile.txt", {"heading"});
    EXPECT_EQ(ErrorNumberOf([&] { ReadLanguageCodeFile(state_, U"ENU"); }), kInputPastEnd);
    WriteLines("LcLCFile.txt", {});
    EXPECT_EQ(ErrorNumberOf([&] { ReadLanguageCodeFile(state_, U"ENU"); }), kInputPastEnd);
    std::filesystem::remove("LcLCFile.txt");
    EXPECT_EQ(ErrorNumberOf([&] { ReadLanguageCodeFile(state_, U"ENU"); }), kFileNotFound);
}

TEST_F(LanguageCodeFileTest, LineEndsMayBeCrLfOrLf)
{
    WriteLines("LcLCFile.txt", {"heading", "ENU=English", "DEU=Deutsch"}, "\n");
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"ENU"), U"English");
    EXPECT_EQ(state_.LanguageIndex, 1);
    state_.LanguageIndex = 1;
    EXPECT_EQ(ReadLanguageCodeFile(state_, U"none"), U"Deutsch");
    EXPECT_EQ(state_.LanguageIndex, 3);
}

TEST_F(LanguageCodeFileTest, TheProfileValueIsCutTo19Characters)
{
    os_.SetProfileLanguage("ENU");
    EXPECT_EQ(ReadLanguageCode(), U"ENU");
    os_.SetProfileLanguage("");
    EXPECT_EQ(ReadLanguageCode(), U"");
    os_.SetProfileLanguage("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(ReadLanguageCode(), U"ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(os_.CallCount(OsCall::GetProfileStringA), 3);
}

TEST_F(LanguageCodeFileTest, ALowerCaseProfileValueFindsItsEntry)
{
    WriteLines("LcLCFile.txt", {"heading", "JPN=日本語", "ENU=English", "DEU=Deutsch"});
    os_.SetProfileLanguage("deu");
    EXPECT_EQ(ReadLanguageCodeFile(state_, ReadLanguageCode()), U"Deutsch");
    EXPECT_EQ(state_.LanguageIndex, 3);
}

}  // namespace
}  // namespace quorvane
