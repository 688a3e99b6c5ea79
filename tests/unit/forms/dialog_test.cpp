#include <functional>
#include <tuple>
#include <vector>

#include "program_fixture.h"
#include "support/error_number.h"

namespace quorvane::testing {
namespace {

using DialogTest = ProgramTest;

// Centred on a target that is not the primary (its top not added), within the frame's share.
TEST_F(DialogTest, LayoutInPixelsAndFonts)
{
    os_.SetMonitors({FakeMonitor(0x40001, 0, 0, 1024, 768, true), FakeMonitor(0x40002, 1024, 256, 1280, 1024)});
    State().TargetMonitor = 0x40002;
    StartProgram();
    Form3& dialog = Guide();
    EXPECT_EQ(Native(dialog.Frame1()).Rect(), (backend::PixelRect{2, 0, 137, 129}));
    for (int16_t i = 0; i <= 5; ++i) {
        const backend::Font font = Native(dialog.Test2(i)).Font();
        const toolkit::Label& label = dialog.Test2(i);
        EXPECT_EQ(std::tuple(label.Left(), label.Width(), label.Top(), font.points, font.bold, font.italic),
                  std::tuple(139.0, 368.8, 8.0 + 16 * i, 9.0, false, false)) << "Test2(" << i << ")";
    }
    for (int16_t i = 0; i <= 2; ++i) {
        const toolkit::CommandButton& button = dialog.auto_mode_key(i);
        EXPECT_NEAR(button.Left(), 80 + 125.4 * i, 1e-9);
        EXPECT_EQ(std::tuple(button.Width(), button.Height(), button.Top()), std::tuple(97.0, 25.0, 136.0));
        EXPECT_EQ(Native(button).Rect().x, (std::array{80, 205, 331}[static_cast<size_t>(i)]));
    }
    EXPECT_EQ(Native(dialog.Option2(1)).Font().points + Native(dialog.Option2(7)).Font().points, 20);
    EXPECT_EQ(std::pair(dialog.Native().Client().width >= 508, dialog.Native().Client().height), std::pair(true, 167));
    const double frame = dialog.Width() - dialog.Native().Client().width * 15.0;
    EXPECT_NEAR(dialog.Left(), (15.0 * 1280 - 7620) / 2 + 15.0 * 1024, 8 + frame / 2);
    EXPECT_NEAR(dialog.Top(), 20, 15);
    EXPECT_EQ(ErrorNumberOf([] { Guide().Test2(6); }), kSubscriptOutOfRange);
}

// The unload hides the cursor; the test window, active again, redraws and reloads the dialog.
TEST_F(DialogTest, UnloadHidesTheCursorAndTheTestWindowBringsTheDialogBack)
{
    StartProgram();
    GoToStep(7);
    Guide().Form_Activate();
    Guide().Form_Activate();
    TestForm().Line(0, 0, State().TargetWidth - 1, 0, toolkit::RGB(255, 0, 0));
    Native(TestForm().Image1()).GivePicture();
    Guide().Unload();
    EXPECT_EQ(std::tuple(os_.CursorCounter(), TestForm().Enabled()), std::tuple(-1, true));
    toolkit::DoEvents();
    ASSERT_TRUE(Guide().IsLoaded());
    EXPECT_EQ(std::tuple(Native(Guide()).Shown(), TestForm().Enabled(), Native(TestForm().Image1()).HasPicture(),
                         os_.CursorCounter()),
              std::tuple(true, false, false, 0));
    EXPECT_TRUE(ShowsPattern(7));
    EXPECT_EQ(std::vector<int32_t>(os_.TopmostWindows().end() - 2, os_.TopmostWindows().end()),
              (std::vector<int32_t>{static_cast<int32_t>(TestForm().hWnd()), static_cast<int32_t>(Guide().hWnd())}));
}

// Arrow keys skip hidden buttons and wrap; the dialog shows lines 1 and 3 of the step in the language.
TEST_F(DialogTest, ChoosingALanguageRewritesTheDialogInIt)
{
    StartProgram();
    Guide().Option2(6).SetVisible(false);
    Guide().Option2(7).SetVisible(false);
    const std::tuple<std::function<void()>, int16_t> ways[] = {
        {[] { Guide().Option2(3).Select(); }, 3},       {[] { Native(Guide().Option2(5)).Click(); }, 5},
        {[] { Native(Guide().Option2(5)).PressArrow(+1); }, 1}, {[] { Native(Guide().Option2(1)).PressArrow(-1); }, 5},
        {[] { Native(Guide().Option2(5)).PressArrow(-1); }, 4}, {[] { Native(Guide().Option2(2)).PressArrow(+1); }, 3}};
    for (const auto& [choose, l] : ways) {
        for (int16_t i = 0; i <= 5; ++i) {
            Guide().Test2(i).SetCaption(U"old");
        }
        choose();
        const ProgramState& s = State();
        std::vector<Text> texts = LabelCaptions();
        texts.insert(texts.end(), {Guide().auto_mode_key(0).Caption(), Guide().auto_mode_key(1).Caption(),
                                   Guide().auto_mode_key(2).Caption(), Guide().Caption()});
        std::vector<Text> want = {s.StepLine(l, 1, 1), U"", s.StepLine(l, 1, 3), U"", U"", U""};
        want.insert(want.end(), {s.ButtonText(l, 1), s.ButtonText(l, 2), s.ButtonText(l, 3), s.StepTitle(l, 1)});
        EXPECT_EQ(texts, want);
        for (int16_t i = 1; i <= 7; ++i) {
            EXPECT_EQ(std::pair(Guide().Option2(i).Value(), Guide().Option2(i).Visible()), std::pair(i == l, i <= 5));
        }
    }
    EXPECT_EQ(Guide().auto_mode_key(2).Caption(), U"Beenden");
    Guide().SetCaption(U"kept");  // selecting the selected button raises no click
    Guide().Option2(3).Select();
    Native(Guide().Option2(3)).Click();
    EXPECT_EQ(Guide().Caption(), U"kept");
}

// Back on step 2 selects the language button before it redraws; B after, in its panel update.
TEST_F(DialogTest, BackOnStepTwoSelectsTheLanguageButtonFirst)
{
    StartProgram();
    std::vector<int16_t> clickedOnStep;
    toolkit::OptionButton& button = Guide().Option2(2);
    button.onClick = [&clickedOnStep, original = button.onClick] {
        clickedOnStep.push_back(State().StepIndex);
        original();
    };
    for (const bool key : {false, true}) {
        GoToStep(2);
        button.Deselect();
        clickedOnStep.clear();
        key ? PressKey('B') : Guide().auto_mode_key_Click(0);
        EXPECT_EQ(clickedOnStep, std::vector<int16_t>{static_cast<int16_t>(key ? 1 : 2)});
        EXPECT_TRUE(button.Value());
        EXPECT_EQ(Guide().Test2(1).Caption(), key ? Text() : State().StepLine(2, 1, 2));
    }
}

}  // namespace
}  // namespace quorvane::testing
