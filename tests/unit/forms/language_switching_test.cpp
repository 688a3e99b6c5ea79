#include <string>

#include "program_fixture.h"
#include "sample_texts.h"

namespace quorvane::testing {
namespace {

class LanguageSwitchingTest : public ProgramTest {
protected:
    static bool Blank(const Text& text) { return text.find_first_not_of(U' ') == Text::npos; }

    static HeadlessWidget& Option(int16_t index) { return Native(Guide().Option2(index)); }

    // What choosing a language on step 1 shows: the three button texts, the
    // title and lines 1 and 3 of step 1, all other labels empty.
    static void ExpectStepOneIn(int16_t language)
    {
        SCOPED_TRACE("language " + std::to_string(language));
        const ProgramState& state = State();
        EXPECT_EQ(state.LanguageIndex, language);
        EXPECT_TRUE(Guide().Option2(language).Value());
        for (int16_t i = 0; i <= 2; ++i) {
            EXPECT_EQ(Guide().auto_mode_key(i).Caption(), state.ButtonText(language, static_cast<int16_t>(i + 1)));
        }
        EXPECT_EQ(Guide().Caption(), state.StepTitle(language, 1));
        EXPECT_EQ(LabelCaptions(),
                  (std::vector<Text>{state.StepLine(language, 1, 1), U"", state.StepLine(language, 1, 3), U"", U"", U""}));
    }
};

TEST_F(LanguageSwitchingTest, ChoosingALanguageRewritesTheDialogInIt)
{
    StartProgram();
    // As first shown: the activation's language handling has replaced the
    // renderer's line 2 with an empty label.
    ExpectStepOneIn(2);

    Guide().Option2(3).Select();
    EXPECT_EQ(Guide().auto_mode_key(0).Caption(), U"< Zurück");
    EXPECT_EQ(Guide().auto_mode_key(1).Caption(), U"Weiter >");
    EXPECT_EQ(Guide().auto_mode_key(2).Caption(), U"Beenden");
    EXPECT_EQ(Guide().Caption(), Padded("Schritt 1/8: Willkommen", 30));
    EXPECT_EQ(Guide().Test2(0).Caption(), Padded("Diese Anleitung führt Sie in 8 Schritten durch die Einstellung.", 70));
    EXPECT_EQ(Guide().Test2(2).Caption(), Padded("Tasten: N = weiter, B = zurück, Esc = Anleitung beenden.", 70));
    ExpectStepOneIn(3);
    EXPECT_FALSE(Guide().Option2(2).Value());

    // A click by the user does the same.
    Option(5).Click();
    ExpectStepOneIn(5);
    EXPECT_EQ(Guide().auto_mode_key(2).Caption(), U"Salir");

    // Nothing else changes: the step, the buttons' states, the panel.
    EXPECT_EQ(State().StepIndex, 1);
    EXPECT_FALSE(Guide().auto_mode_key(0).Enabled());
    EXPECT_TRUE(Guide().auto_mode_key(1).Enabled());
    for (int16_t i = 1; i <= 7; ++i) {
        EXPECT_TRUE(Guide().Option2(i).Visible()) << "Option2(" << i << ")";
    }
}

TEST_F(LanguageSwitchingTest, ALanguageWithEmptyTextsGivesEmptyCaptions)
{
    std::vector<std::string> lines = SampleLines("LcdTFile.txt");
    for (int item = 1; item <= 4; ++item) {
        lines[ButtonLine(5, item)].clear();
    }
    for (int step = 1; step <= 8; ++step) {
        for (int k = 0; k <= 6; ++k) {
            lines[InstructionLine(5, step, k)].clear();
        }
    }
    WriteCatalogue(lines);
    StartProgram();

    Guide().Option2(5).Select();
    EXPECT_EQ(State().LanguageIndex, 5);
    for (int16_t i = 0; i <= 2; ++i) {
        EXPECT_EQ(Guide().auto_mode_key(i).Caption(), U"") << "auto_mode_key(" << i << ")";
    }
    EXPECT_TRUE(Blank(Guide().Caption()));
    for (const Text& caption : LabelCaptions()) {
        EXPECT_TRUE(Blank(caption));
    }
    EXPECT_EQ(Guide().Option2(5).Caption(), U"Español");
}

TEST_F(LanguageSwitchingTest, ArrowKeysMoveThroughTheVisibleButtonsAndSwitchLanguage)
{
    // Five languages; the third has no name but is still offered.
    std::vector<std::string> lines = SampleLines("LcdTFile.txt");
    lines[NameLine(3)].clear();
    lines[NameLine(6)].clear();
    lines[NameLine(7)].clear();
    WriteCatalogue(lines);
    StartProgram();
    ASSERT_EQ(State().LanguageCount, 5);
    EXPECT_TRUE(Guide().Option2(3).Visible());
    EXPECT_EQ(Guide().Option2(3).Caption(), U"");
    EXPECT_FALSE(Guide().Option2(6).Visible());
    EXPECT_FALSE(Guide().Option2(7).Visible());

    Option(2).PressArrow(+1);
    ExpectStepOneIn(3);
    Option(3).PressArrow(+1);
    ExpectStepOneIn(4);
    Option(4).PressArrow(+1);
    ExpectStepOneIn(5);
    // Past the last visible button the selection wraps to the first.
    Option(5).PressArrow(+1);
    ExpectStepOneIn(1);
    Option(1).PressArrow(-1);
    ExpectStepOneIn(5);
    Option(5).PressArrow(-1);
    ExpectStepOneIn(4);
    EXPECT_FALSE(Guide().Option2(6).Value());
    EXPECT_FALSE(Guide().Option2(7).Value());
}

TEST_F(LanguageSwitchingTest, EscOnALanguageButtonEndsTheProgram)
{
    StartProgram();
    EXPECT_EQ(ExitCodeOf([] { Option(2).PressKey(27); }), 0);
    // The dialog hid the cursor, the test window's closing showed it again.
    EXPECT_EQ(os_.CursorCounter(), 0);
}

TEST_F(LanguageSwitchingTest, SelectingTheSelectedButtonRaisesNothing)
{
    StartProgram();
    Guide().SetCaption(U"kept");
    Guide().Test2(1).SetCaption(U"kept");
    Guide().auto_mode_key(0).SetCaption(U"kept");

    Guide().Option2(2).Select();
    Option(2).Click();
    EXPECT_TRUE(Guide().Option2(2).Value());
    EXPECT_EQ(Guide().Caption(), U"kept");
    EXPECT_EQ(Guide().Test2(1).Caption(), U"kept");
    EXPECT_EQ(Guide().auto_mode_key(0).Caption(), U"kept");
}

}  // namespace
}  // namespace quorvane::testing
