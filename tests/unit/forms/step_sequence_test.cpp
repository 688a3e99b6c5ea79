#include <string>
#include <tuple>
#include <vector>

#include "platform/toolkit/colour.h"
#include "program_fixture.h"
#include "sample_texts.h"

namespace quorvane::testing {
namespace {

constexpr int16_t kBack = 0;
constexpr int16_t kNext = 1;
constexpr int16_t kExit = 2;

// The ways to step back and forth.
enum class Trigger { Buttons, StepButtonKeys, StepButtonLowerKeys, LanguageButtonKeys, LanguageButtonLowerKeys };

void PressOnStepButton(int16_t key)
{
    Guide().auto_mode_key_KeyPress(kNext, key);
}

void PressOnLanguageButton(int16_t key)
{
    Guide().Option2_KeyPress(1, key);
}

void Move(Trigger trigger, bool forward)
{
    switch (trigger) {
    case Trigger::Buttons: Guide().auto_mode_key_Click(forward ? kNext : kBack); return;
    case Trigger::StepButtonKeys: PressOnStepButton(forward ? 'N' : 'B'); return;
    case Trigger::StepButtonLowerKeys: PressOnStepButton(forward ? 'n' : 'b'); return;
    case Trigger::LanguageButtonKeys: PressOnLanguageButton(forward ? 'N' : 'B'); return;
    case Trigger::LanguageButtonLowerKeys: PressOnLanguageButton(forward ? 'n' : 'b'); return;
    }
}

class StepSequenceTest : public ProgramTest {
protected:
    // Marks the test window so that a redraw shows: a red top row and a
    // picture in Image1, both of which every redraw removes.
    static void Mark()
    {
        TestForm().Line(0, 0, State().TargetWidth - 1, 0, toolkit::RGB(255, 0, 0));
        Native(TestForm().Image1()).GivePicture();
    }

    static ::testing::AssertionResult Redrawn()
    {
        if (Native(TestForm().Image1()).HasPicture()) {
            return ::testing::AssertionFailure() << "Image1 still has its picture";
        }
        return ShowsPattern(State().StepIndex);
    }

    static ::testing::AssertionResult NotRedrawn()
    {
        if (!Native(TestForm().Image1()).HasPicture() || Shown().At(1, 0) != 0xFF0000u) {
            return ::testing::AssertionFailure() << "the test window was redrawn";
        }
        return ::testing::AssertionSuccess();
    }

    // Buttons, Exit caption, language panel and texts of a step (the pattern
    // is checked by Redrawn).
    static void ExpectDialogOf(int16_t step)
    {
        const ProgramState& state = State();
        const int16_t language = state.LanguageIndex;
        SCOPED_TRACE("step " + std::to_string(step));
        ASSERT_EQ(state.StepIndex, step);
        EXPECT_EQ(Guide().auto_mode_key(kBack).Enabled(), step > 1);
        EXPECT_EQ(Guide().auto_mode_key(kNext).Enabled(), step < 8);
        EXPECT_EQ(Guide().auto_mode_key(kExit).Caption(), state.ButtonText(language, step == 8 ? 4 : 3));
        EXPECT_EQ(Guide().Frame1().Visible(), step == 1);
        for (int16_t i = 1; i <= 7; ++i) {
            EXPECT_EQ(Guide().Option2(i).Visible(), step == 1 && i <= state.LanguageCount) << "Option2(" << i << ")";
        }
        EXPECT_EQ(Guide().Caption(), state.StepTitle(language, step));
        EXPECT_EQ(Guide().Test2(1).Caption(), state.StepLine(language, step, 2));
        EXPECT_EQ(Guide().Test2(5).Caption(), step == 1 ? Text() : state.StepLine(language, step, 6));
    }
};

class StepWalkTest : public StepSequenceTest, public ::testing::WithParamInterface<Trigger> {};

TEST_P(StepWalkTest, EveryMoveFollowsTheTableAndRedraws)
{
    std::vector<std::string> lines = SampleLines("LcdTFile.txt");
    lines[NameLine(6)].clear();
    lines[NameLine(7)].clear();
    WriteCatalogue(lines);
    StartProgram();
    ASSERT_EQ(State().LanguageCount, 5);
    Guide().Option2(4).Select();  // captions must follow the current language
    ASSERT_EQ(State().LanguageIndex, 4);
    EXPECT_FALSE(Guide().auto_mode_key(kBack).Enabled());

    for (int16_t step = 1; step < 8; ++step) {
        Mark();
        Move(GetParam(), true);
        ExpectDialogOf(static_cast<int16_t>(step + 1));
        EXPECT_TRUE(Redrawn()) << "after moving to " << step + 1;
    }
    for (int16_t step = 8; step > 1; --step) {
        Mark();
        Move(GetParam(), false);
        ExpectDialogOf(static_cast<int16_t>(step - 1));
        EXPECT_TRUE(Redrawn()) << "after moving to " << step - 1;
    }
    EXPECT_TRUE(Guide().Option2(4).Value());
}

std::string TriggerName(const ::testing::TestParamInfo<Trigger>& info)
{
    static const char* const names[] = {"Buttons", "StepButtonKeys", "StepButtonLowerKeys", "LanguageButtonKeys",
                                        "LanguageButtonLowerKeys"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Triggers, StepWalkTest,
                         ::testing::Values(Trigger::Buttons, Trigger::StepButtonKeys, Trigger::StepButtonLowerKeys,
                                           Trigger::LanguageButtonKeys, Trigger::LanguageButtonLowerKeys),
                         TriggerName);

// Step keys past the ends and other keys only refresh the panel (hidden
// language buttons come back on step 1, shown ones go on step 3).
TEST_F(StepSequenceTest, KeysThatDoNotMoveOnlyRefreshThePanel)
{
    StartProgram();
    PressOnStepButton('N');
    PressOnStepButton('B');  // step 1 with the renderer's texts
    Guide().Frame1().SetVisible(false);
    Guide().Option2(2).SetVisible(false);
    Mark();
    for (int16_t key : {'B', 'b', 'x'}) {
        PressOnStepButton(key);
        PressOnLanguageButton(key);
    }
    ExpectDialogOf(1);
    EXPECT_TRUE(NotRedrawn());

    GoToStep(3);
    Guide().Frame1().SetVisible(true);
    Guide().Option2(5).SetVisible(true);
    Mark();
    for (int16_t key : {'x', '1', ' ', '\r'}) {
        PressOnStepButton(key);
        PressOnLanguageButton(key);
    }
    ExpectDialogOf(3);
    EXPECT_TRUE(NotRedrawn());

    GoToStep(8);
    Mark();
    for (int16_t key : {'N', 'n'}) {
        PressOnStepButton(key);
        PressOnLanguageButton(key);
    }
    ExpectDialogOf(8);
    EXPECT_TRUE(NotRedrawn());

    // The Next button itself is disabled on step 8; its handler only redraws.
    Guide().auto_mode_key_Click(kNext);
    ExpectDialogOf(8);
    EXPECT_TRUE(Redrawn());
}

// Back on step 2 selects the language button before it redraws; B selects
// it only in its panel update, after the move to step 1.
TEST_F(StepSequenceTest, BackOnStepTwoSelectsTheLanguageButtonFirst)
{
    StartProgram();
    const int16_t language = State().LanguageIndex;
    std::vector<int16_t> clickedOnStep;
    toolkit::OptionButton& button = Guide().Option2(language);
    const auto original = button.onClick;
    button.onClick = [&clickedOnStep, original] {
        clickedOnStep.push_back(State().StepIndex);
        original();
    };

    GoToStep(2);
    button.Deselect();
    Guide().auto_mode_key_Click(kBack);
    EXPECT_EQ(clickedOnStep, std::vector<int16_t>{2});
    EXPECT_TRUE(button.Value());
    // The redraw came after the click and wrote line 2.
    EXPECT_EQ(Guide().Test2(1).Caption(), State().StepLine(language, 1, 2));
    ExpectDialogOf(1);

    clickedOnStep.clear();
    GoToStep(2);
    button.Deselect();
    PressOnStepButton('B');
    EXPECT_EQ(clickedOnStep, std::vector<int16_t>{1});
    EXPECT_TRUE(button.Value());
    // The click came after the redraw and emptied label 2.
    EXPECT_EQ(Guide().Test2(1).Caption(), Text());
}

enum class ExitWay { ExitButton, EscOnStepButton, EscOnLanguageButton };

class ExitTest : public StepSequenceTest, public ::testing::WithParamInterface<std::tuple<int, ExitWay>> {};

TEST_P(ExitTest, EndsTheProgramAfterBothWindowsUnload)
{
    const auto [step, way] = GetParam();
    StartProgram();
    GoToStep(static_cast<int16_t>(step));
    const int32_t counter = os_.CursorCounter();
    ASSERT_GE(counter, 0);
    const int callsBefore = os_.CallCount(OsCall::ShowCursor);

    EXPECT_EQ(ExitCodeOf([way = way] {
                  switch (way) {
                  case ExitWay::ExitButton: Guide().auto_mode_key_Click(kExit); return;
                  case ExitWay::EscOnStepButton: PressOnStepButton(27); return;
                  case ExitWay::EscOnLanguageButton: PressOnLanguageButton(27); return;
                  }
              }),
              0);
    EXPECT_FALSE(Guide().IsLoaded());
    EXPECT_TRUE(TestForm().Enabled());
    // The dialog hid the cursor down to -1, one call per step; the test
    // window showed it once more.
    EXPECT_EQ(os_.CursorCounter(), 0);
    EXPECT_EQ(os_.CallCount(OsCall::ShowCursor) - callsBefore, counter + 2);
}

std::string ExitCaseName(const ::testing::TestParamInfo<std::tuple<int, ExitWay>>& info)
{
    static const char* const ways[] = {"ExitButton", "EscOnStepButton", "EscOnLanguageButton"};
    return "Step" + std::to_string(std::get<0>(info.param)) + ways[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(Steps, ExitTest,
                         ::testing::Combine(::testing::Range(1, 9),
                                            ::testing::Values(ExitWay::ExitButton, ExitWay::EscOnStepButton,
                                                              ExitWay::EscOnLanguageButton)),
                         ExitCaseName);

}  // namespace
}  // namespace quorvane::testing
