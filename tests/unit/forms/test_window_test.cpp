#include <tuple>
#include <vector>

#include "platform/toolkit/colour.h"
#include "program_fixture.h"

namespace quorvane::testing {
namespace {

class TestWindowTest : public ProgramTest {
protected:
    // Everything but the picture that a handler of the test window could change.
    using Snapshot = std::tuple<std::vector<int64_t>, Text, std::vector<Text>>;
    Snapshot Take() const
    {
        const bool loaded = Guide().IsLoaded();
        return {{State().StepIndex, State().LanguageIndex, Native(TestForm().Image1()).HasPicture(), loaded,
                 TestForm().Enabled(), os_.CursorCounter(), static_cast<int64_t>(os_.TopmostWindows().size())},
                loaded ? Guide().Caption() : Text(),
                loaded ? LabelCaptions() : std::vector<Text>()};
    }
};

TEST_F(TestWindowTest, InputOnTheTestWindowChangesNothingButAPressOnItsBackground)
{
    StartProgram();
    GoToStep(5);
    // While the dialog is up the test window is disabled.
    ASSERT_FALSE(TestForm().Enabled());
    const Pixels picture = Shown();
    Snapshot before = Take();
    EXPECT_EQ(ExitCodeOf([] {
                  Native(TestForm()).PressMouse(300, 200);
                  Native(TestForm().Image1()).Click();
                  Native(TestForm().Picture1()).PressKey('n');
                  Native(TestForm()).PressKey(27);
              }),
              std::nullopt);
    EXPECT_EQ(Take(), before);
    EXPECT_TRUE(SamePicture(Shown(), picture));

    // Closing the dialog enables it; its deferred re-activation has not run yet.
    Guide().Unload();
    ASSERT_TRUE(TestForm().Enabled());
    Native(TestForm().Image1()).GivePicture();
    before = Take();
    EXPECT_EQ(ExitCodeOf([] {
                  for (int16_t key : {'N', 'b', '\x1b', 'x', '\r'}) {
                      TestForm().Form_KeyPress(key);
                      TestForm().Picture1_KeyPress(key);
                  }
                  TestForm().Image1_MouseDown();
                  Native(TestForm().Picture1()).PressKey(27);
                  Native(TestForm()).PressKey('b');
                  Native(TestForm().Image1()).Click();
              }),
              std::nullopt);
    EXPECT_EQ(Take(), before);
    EXPECT_TRUE(SamePicture(Shown(), picture));

    // A press on the window itself ends the program at once, the cursor shown:
    // the dialog's own unload handling does not run.
    const int32_t counter = os_.CursorCounter();
    EXPECT_EQ(ExitCodeOf([] { TestForm().Form_MouseDown(1, 0, 300, 200); }), 0);
    EXPECT_EQ(os_.CursorCounter(), counter + 1);
}

TEST_F(TestWindowTest, ReactivationRedrawsAndBringsTheDialogBack)
{
    StartProgram();
    GoToStep(7);
    TestForm().Line(0, 0, State().TargetWidth - 1, 0, toolkit::RGB(255, 0, 0));
    Native(TestForm().Image1()).GivePicture();
    const size_t topmostCalls = os_.TopmostWindows().size();

    Guide().Unload();
    EXPECT_EQ(os_.CursorCounter(), -1);
    for (int round = 0; round < 50 && !Guide().IsLoaded(); ++round) {
        toolkit::DoEvents();
    }

    ASSERT_TRUE(Guide().IsLoaded());
    EXPECT_TRUE(Native(Guide()).Shown());
    EXPECT_EQ(State().StepIndex, 7);
    EXPECT_TRUE(ShowsPattern(7));
    EXPECT_TRUE(!Native(TestForm().Image1()).HasPicture());
    EXPECT_EQ(Guide().Caption(), State().StepTitle(State().LanguageIndex, 7));
    EXPECT_EQ(std::vector<int32_t>(os_.TopmostWindows().begin() + static_cast<std::ptrdiff_t>(topmostCalls),
                                   os_.TopmostWindows().end()),
              (std::vector<int32_t>{static_cast<int32_t>(TestForm().hWnd()), static_cast<int32_t>(Guide().hWnd())}));
    EXPECT_FALSE(TestForm().Enabled());
    EXPECT_EQ(os_.CursorCounter(), 0);
}

}  // namespace
}  // namespace quorvane::testing
