#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/fake/fake_os.h"
#include "startup/language_code_file.h"
#include "startup/text_catalogue.h"
#include "support/error_number.h"
#include "support/scoped_work_dir.h"

namespace quorvane {
namespace {

using namespace testing;

// A fresh current directory, where the text files are looked for.
struct TextFilesTest : ::testing::Test {
    testing::ScopedWorkDir workDir;
    FakeOs os;
    ScopedOs scopedOs{os};
    ProgramState state;
};

// A match on line m gives language m - 1 and its value; without one every
// line counts on from the current index and the last line gives the value.
// Line 1 is never an entry; beyond seven the language becomes language 1.
// Codes are whole, not trimmed, in any letter case of ASCII and Latin-1, and
// end at the first "="; lines without one never match.
TEST_F(TextFilesTest, LanguageCodeFileGivesValueAndLanguageAsTheTableSays)
{
    const std::vector<std::string> four = {"JPN=ignored heading", "JPN=日本語", "ENU=English", "DEU=Deutsch"};
    const std::vector<std::string> eight = {"heading", "L1=1", "L2=2", "L3=3", "L4=4", "L5=5", "L6=6", "L7=7"};
    // Lines, code, starting index, value, index.
    const std::tuple<std::vector<std::string>, Text, int16_t, Text, int16_t> cases[] = {
        {four, U"DEU", 1, U"Deutsch", 3}, {four, U"JPN", 1, U"日本語", 1}, {four, U"SVE", 1, U"Deutsch", 4},
        {four, U"DEU", 3, U"Deutsch", 5}, {eight, U"L7", 1, U"7", 7}, {eight, U"none", 1, U"7", 1},
        {{"heading", "L1=1", "L2=2", "L3=3", "L4=4", "L5=5"}, U"none", 2, U"5", 7},
        {{"heading", "DE=a", "DEUX=b", " DEU=c", "DEU =d", "deu=e"}, U"DEU", 1, U"e", 5},
        {{"heading", "×=x", "ÄÖÜÉ=umlauts"}, U"äöüé", 1, U"umlauts", 2},
        {{"heading", "", "DEU", "DEU=Deutsch"}, U"DEU", 1, U"Deutsch", 3},
        {{"heading", "ENU=English", "Deutsch"}, U"DEU", 1, U"Deutsch", 3},
        {{"heading", "A=B=C", "ENU=x=y="}, U"A=B", 1, U"x=y=", 3}, {{"heading", "A=B=C"}, U"A", 1, U"B=C", 1},
        {{"heading", "", "ENU=English", "=", "=English"}, U"", 1, U"", 3},
    };
    for (const auto& c : cases) {
        const auto& [lines, code, startIndex, value, index] = c;
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        WriteLines("LcLCFile.txt", lines);
        state.LanguageIndex = startIndex;
        EXPECT_EQ(ReadLanguageCodeFile(state, code), value);
        EXPECT_EQ(state.LanguageIndex, index);
    }
    state.LanguageIndex = 32767;
    EXPECT_EQ(ErrorNumberOf([&] { ReadLanguageCodeFile(state, U"DEU"); }), kOverflow);
    WriteLines("LcLCFile.txt", {"heading"});
    EXPECT_EQ(ErrorNumberOf([&] { ReadLanguageCodeFile(state, U"ENU"); }), kInputPastEnd);
    std::filesystem::remove("LcLCFile.txt");
    EXPECT_EQ(ErrorNumberOf([&] { ReadLanguageCodeFile(state, U"ENU"); }), kFileNotFound);
    // The profile call copies at most 19 characters.
    os.SetProfileLanguage("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(ReadLanguageCode(), U"ABCDEFGHIJKLMNOPQRS");
}

// Seven blocks of 74 lines: heading, name, 4 unused, 4 button texts, and per
// step a comment, the title and 6 lines; each text tells where it stands.
std::vector<std::string> Catalogue()
{
    std::vector<std::string> lines;
    for (int language = 1; language <= 7; ++language) {
        const std::string l = "L" + std::to_string(language);
        lines.insert(lines.end(), {"-", "Name " + l, "-", "-", "-", "-", l + "B1", l + "B2", l + "B3", l + "B4"});
        for (int step = 1; step <= 8; ++step) {
            const std::string s = l + "S" + std::to_string(step);
            lines.insert(lines.end(), {"-", s + "T", s + "L1", s + "L2", s + "L3", s + "L4", s + "L5", s + "L6"});
        }
    }
    return lines;
}

size_t NameAt(int language) { return static_cast<size_t>((language - 1) * 74 + 1); }

Text Padded(const std::string& ascii, size_t width)
{
    Text text(ascii.begin(), ascii.end());
    text.resize(width, U' ');
    return text;
}

// Titles are cut or padded to 30 characters, lines to 70, button texts kept
// whole. Each name goes to the caption writer before the count and the texts
// of its block are set. The count is the last block with a name, the last
// matching name chooses the language; empty names are not tested.
TEST_F(TextFilesTest, TheCatalogueStoresEveryTextInItsSlot)
{
    auto lines = Catalogue();
    lines[NameAt(2)] = lines[NameAt(7)] = "";
    lines[NameAt(3) + 5] = std::string(100, 'b');
    lines[NameAt(4) + 66] = "日本語の題名はちょうど三十一文字になるように書いた長い題名です"; // step 8, 31 characters
    lines[NameAt(4) + 72] = std::string(41, 'x') + "日本語の行は七十一文字になるように書いた長い行です。ここまで";
    WriteLines("LcdTFile.txt", lines);
    std::vector<std::pair<int16_t, Text>> captions;
    std::vector<int16_t> counts;
    ReadTextCatalogue(state, U"*", [&](int16_t language, const Text& name) {
        captions.emplace_back(language, name);
        counts.push_back(state.LanguageCount);
        EXPECT_EQ(state.ButtonText(language, 1), U"");
    });
    EXPECT_EQ(captions,
        (std::vector<std::pair<int16_t, Text>> {
            {1, U"Name L1"}, {2, U""}, {3, U"Name L3"}, {4, U"Name L4"}, {5, U"Name L5"}, {6, U"Name L6"}, {7, U""}}));
    EXPECT_EQ(counts, (std::vector<int16_t>{0, 1, 1, 3, 4, 5, 6}));
    EXPECT_EQ(state.LanguageCount, 6);
    EXPECT_EQ(state.LanguageIndex, 6);
    for (int16_t language = 1; language <= 7; ++language) {
        const std::string l = "L" + std::to_string(language);
        EXPECT_EQ(state.ButtonText(language, 1), language == 3 ? Text(100, U'b') : Padded(l + "B1", 4));
        EXPECT_EQ(state.ButtonText(language, 4), Padded(l + "B4", 4));
        for (int16_t step = 1; step <= (language == 4 ? 7 : 8); ++step) {
            const std::string s = l + "S" + std::to_string(step);
            EXPECT_EQ(state.StepTitle(language, step), Padded(s + "T", 30));
            EXPECT_EQ(state.StepLine(language, step, 1), Padded(s + "L1", 70));
            EXPECT_EQ(state.StepLine(language, step, 6), Padded(s + "L6", 70));
        }
    }
    EXPECT_EQ(state.StepTitle(4, 8), U"日本語の題名はちょうど三十一文字になるように書いた長い題名で");
    EXPECT_EQ(state.StepLine(4, 8, 6), Text(41, U'x') + U"日本語の行は七十一文字になるように書いた長い行です。ここま");
}

// What follows line 518 is never read, not even decoded. No matching name
// keeps the language of the code file.
TEST_F(TextFilesTest, TheCatalogueIsExactly518Lines)
{
    const auto read = [&] { ReadTextCatalogue(state, U"", [](int16_t, const Text&) {}); };
    EXPECT_EQ(ErrorNumberOf(read), kFileNotFound);
    auto lines = Catalogue();
    lines.push_back("\xff\xfe not text");
    WriteLines("LcdTFile.txt", lines, "\n");
    state.LanguageIndex = 2;
    read();
    EXPECT_EQ(state.StepLine(7, 8, 6), Padded("L7S8L6", 70));
    EXPECT_EQ(state.LanguageIndex, 2);
    lines.resize(517);
    WriteLines("LcdTFile.txt", lines);
    EXPECT_EQ(ErrorNumberOf(read), kInputPastEnd);
}

}  // namespace
}  // namespace quorvane
