#include "startup/text_catalogue.h"

#include <string>
#include <utility>
#include <vector>

#include "platform/run_time_error.h"
#include "unit/texts/text_files_test.h"

namespace quorvane {
namespace {

using testing::ErrorNumberOf;

constexpr int kBlockLines = 74;

// Index into the catalogue's lines of line `blockLine` (from 1) of block `language`.
size_t At(int language, int blockLine) { return static_cast<size_t>((language - 1) * kBlockLines + blockLine - 1); }
size_t TitleAt(int language, int step) { return At(language, 12 + 8 * (step - 1)); }
size_t StepLineAt(int language, int step, int line) { return TitleAt(language, step) + static_cast<size_t>(line); }

// A complete catalogue whose every text tells where it stands; the lines
// that are never stored say "unused".
std::vector<std::string> Catalogue()
{
    std::vector<std::string> lines;
    for (int language = 1; language <= 7; ++language) {
        const std::string l = "L" + std::to_string(language);
        lines.push_back("unused");
        lines.push_back("Name " + l);
        for (int i = 0; i < 4; ++i) {
            lines.push_back("unused");
        }
        for (int item = 1; item <= 4; ++item) {
            lines.push_back(l + " button " + std::to_string(item));
        }
        for (int step = 1; step <= 8; ++step) {
            const std::string s = l + " S" + std::to_string(step);
            lines.push_back("unused");
            lines.push_back(s + " title");
            for (int line = 1; line <= 6; ++line) {
                lines.push_back(s + " line " + std::to_string(line));
            }
        }
    }
    return lines;
}

Text Padded(std::u32string text, size_t width)
{
    text.resize(width, U' ');
    return text;
}

class TextCatalogueTest : public testing::TextFilesTest {
protected:
    // Reads LcdTFile.txt and records the captions written.
    void Read(const Text& pattern = U"no name matches this")
    {
        captions_.clear();
        ReadTextCatalogue(state_, pattern, [this](int16_t language, const Text& name) {
            captions_.emplace_back(language, name);
        });
    }

    std::vector<std::pair<int16_t, Text>> captions_;
};

TEST_F(TextCatalogueTest, StoresEveryTextAndLeavesOtherSlotsAtZeroCharacters)
{
    const auto lines = Catalogue();
    WriteLines("LcdTFile.txt", lines);
    Read();
    EXPECT_EQ(state_.LanguageCount, 7);
    EXPECT_EQ(state_.LanguageIndex, 1);
    const auto line = [&](size_t at, size_t width) { return Padded(Text(lines[at].begin(), lines[at].end()), width); };
    for (int16_t language = 1; language <= 7; ++language) {
        for (int16_t item = 1; item <= 4; ++item) {
            EXPECT_EQ(state_.ButtonText(language, item), line(At(language, 6 + item), lines[At(language, 6 + item)].size()));
        }
        for (int16_t step = 1; step <= 8; ++step) {
            EXPECT_EQ(state_.StepTitle(language, step), line(TitleAt(language, step), 30));
            for (int16_t k = 1; k <= 6; ++k) {
                EXPECT_EQ(state_.StepLine(language, step, k), line(StepLineAt(language, step, k), 70));
            }
        }
    }
    for (int16_t language = 0; language <= 7; ++language) {
        EXPECT_EQ(state_.ButtonText(language, 0), U"");
        EXPECT_EQ(state_.StepTitle(language, 0), Text(30, U'\0'));
        EXPECT_EQ(state_.StepLine(language, 0, 6), Text(70, U'\0'));
    }
    for (int16_t step = 0; step <= 8; ++step) {
        EXPECT_EQ(state_.StepTitle(0, step), Text(30, U'\0'));
        EXPECT_EQ(state_.StepLine(0, step, 1), Text(70, U'\0'));
    }
}

TEST_F(TextCatalogueTest, TitlesAndLinesAreCutOrPaddedInCharacters)
{
    auto lines = Catalogue();
    const std::string japanese31 = "日本語の題名はちょうど三十一文字になるように書いた長い題名です";  // 31 characters
    const std::string japanese71 = japanese31 + japanese31 + "ここまでで七十一字";                    // 71 characters
    lines[TitleAt(1, 1)] = japanese31;
    lines[TitleAt(1, 2)] = "Short";
    lines[StepLineAt(1, 1, 1)] = japanese71;
    lines[StepLineAt(1, 1, 2)] = "日本語";
    lines[StepLineAt(2, 8, 6)] = std::string(71, 'x');
    lines[TitleAt(2, 8)] = std::string(30, 'y');
    lines[At(3, 7)] = std::string(100, 'b');  // button texts are kept whole
    WriteLines("LcdTFile.txt", lines);
    Read();

    const Text title31 = U"日本語の題名はちょうど三十一文字になるように書いた長い題名です";
    ASSERT_EQ(title31.size(), 31u);
    EXPECT_EQ(state_.StepTitle(1, 1), title31.substr(0, 30));
    EXPECT_EQ(state_.StepTitle(1, 2), U"Short" + Text(25, U' '));
    EXPECT_EQ(state_.StepLine(1, 1, 1), (title31 + title31).substr(0, 62) + U"ここまでで七十一");
    EXPECT_EQ(state_.StepLine(1, 1, 2), U"日本語" + Text(67, U' '));
    EXPECT_EQ(state_.StepLine(2, 8, 6), Text(70, U'x'));
    EXPECT_EQ(state_.StepTitle(2, 8), Text(30, U'y'));
    EXPECT_EQ(state_.ButtonText(3, 1), Text(100, U'b'));
}

struct ChoiceCase {
    std::vector<std::pair<int, std::string>> names;  // language, name replacing "Name Ln"
    Text pattern;
    int16_t count;
    int16_t index;  // from 2, the language of the code file
};

// The count is the last block with a name; the last matching name chooses
// the language, no match keeps the code file's; empty names are not tested.
TEST_F(TextCatalogueTest, CountAndLanguageFollowTheNames)
{
    std::vector<std::pair<int, std::string>> noNames;
    for (int language = 1; language <= 7; ++language) {
        noNames.emplace_back(language, "");
    }
    const ChoiceCase cases[] = {
        {{{7, ""}}, U"none", 6, 2},
        {{{4, ""}}, U"none", 7, 2},
        {noNames, U"*", 0, 2},
        {{{3, "Deutsch"}, {6, "Deutsch"}}, U"Deutsch", 7, 6},
        {{{3, "Deutsch"}}, U"Svenska", 7, 2},
        {{}, U"Name L[1-5]", 7, 5},
        {{{7, ""}}, U"*", 6, 6},
        {{}, U"", 7, 2},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        auto lines = Catalogue();
        for (const auto& [language, name] : c.names) {
            lines[At(language, 2)] = name;
        }
        WriteLines("LcdTFile.txt", lines);
        state_.LanguageCount = 0;
        state_.LanguageIndex = 2;
        Read(c.pattern);
        EXPECT_EQ(state_.LanguageCount, c.count);
        EXPECT_EQ(state_.LanguageIndex, c.index);
    }
}

TEST_F(TextCatalogueTest, EachNameGoesToTheCaptionWriterRightAfterItIsRead)
{
    auto lines = Catalogue();
    lines[At(2, 2)] = "";
    lines[At(5, 2)] = "Español";
    WriteLines("LcdTFile.txt", lines);

    std::vector<int16_t> countsSeen;
    std::vector<Text> buttonsSeen;
    ReadTextCatalogue(state_, U"Español", [&](int16_t language, const Text& name) {
        captions_.emplace_back(language, name);
        countsSeen.push_back(state_.LanguageCount);
        buttonsSeen.push_back(state_.ButtonText(language, 1));
    });

    const std::vector<std::pair<int16_t, Text>> expected = {
        {1, U"Name L1"}, {2, U""}, {3, U"Name L3"}, {4, U"Name L4"}, {5, U"Español"}, {6, U"Name L6"}, {7, U"Name L7"}};
    EXPECT_EQ(captions_, expected);
    // The caption comes before the count and the texts of its own block.
    EXPECT_EQ(countsSeen, (std::vector<int16_t>{0, 1, 1, 3, 4, 5, 6}));
    EXPECT_EQ(buttonsSeen, std::vector<Text>(7, U""));
    EXPECT_EQ(state_.LanguageIndex, 5);
}

TEST_F(TextCatalogueTest, ExactlyFiveHundredEighteenLinesAreRead)
{
    EXPECT_EQ(ErrorNumberOf([&] { Read(); }), kFileNotFound);
    EXPECT_TRUE(captions_.empty());

    auto lines = Catalogue();
    WriteLines("LcdTFile.txt", lines, "\n", false);  // LF line ends, none after the last
    Read();
    EXPECT_EQ(state_.StepLine(7, 8, 6), Padded(U"L7 S8 line 6", 70));

    // What follows line 518 is never read, not even decoded.
    lines.push_back("\xff\xfe not text");
    WriteLines("LcdTFile.txt", lines);
    Read();
    EXPECT_EQ(state_.StepLine(7, 8, 6), Padded(U"L7 S8 line 6", 70));

    lines.resize(517);
    WriteLines("LcdTFile.txt", lines);
    try {
        Read();
        ADD_FAILURE() << "a catalogue of 517 lines was accepted";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.Number(), kInputPastEnd);
        EXPECT_NE(std::string(error.what()).find("LcdTFile.txt"), std::string::npos) << error.what();
    }
}

}  // namespace
}  // namespace quorvane
