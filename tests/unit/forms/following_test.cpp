#include <string>

#include "platform/toolkit/program.h"
#include "program_fixture.h"

namespace quorvane::testing {
namespace {

constexpr int32_t kPrimary = 0x30001;
constexpr int32_t kRight = 0x30002;
constexpr int32_t kLeft = 0x30003;
constexpr int32_t kBelow = 0x30004;
constexpr int32_t kSmall = 0x30005;

const MonitorDesc kPrimaryMonitor = FakeMonitor(kPrimary, 0, 0, 1024, 768, true);
const MonitorDesc kRightMonitor = FakeMonitor(kRight, 1024, 0, 1280, 1024);

class FollowingTest : public ProgramTest {
protected:
    void StartOn(std::vector<MonitorDesc> monitors)
    {
        os_.SetMonitors(std::move(monitors));
        StartProgram();
    }

    // Drags the dialog so that its top-left corner lies at (x, y) pixels and
    // moves the pointer over its background.
    static void DragDialogTo(int x, int y)
    {
        Guide().Move(x * 15.0, y * 15.0);
        Guide().Form_MouseMove(0, 0, 0, 0);
    }

    static void NextStep() { Guide().auto_mode_key_Click(1); }

    // A text of its own in every label, to see which ones the handler writes.
    static const std::vector<Text>& Marks()
    {
        static const std::vector<Text> marks = {U"m0", U"m1", U"m2", U"m3", U"m4", U"m5"};
        return marks;
    }
    static void MarkLabels()
    {
        for (int16_t i = 0; i <= 5; ++i) {
            Guide().Test2(i).SetCaption(Marks()[static_cast<size_t>(i)]);
        }
    }
};

TEST_F(FollowingTest, OnOneMonitorNothingEverChanges)
{
    StartOn({kPrimaryMonitor});
    NextStep();  // step 2, whose labels would change
    MarkLabels();
    for (const auto& [x, y] : {std::pair{100, 100}, {900, 700}, {3000, 2000}, {-500, -500}}) {
        SCOPED_TRACE(std::to_string(x) + ", " + std::to_string(y));
        DragDialogTo(x, y);
        ExpectTarget(kPrimary, 0, 0, 1024, 768);
        EXPECT_EQ(LabelCaptions(), Marks());
    }
}

TEST_F(FollowingTest, TheTestWindowFollowsTheDialogsCornerToAnotherMonitor)
{
    StartOn({kPrimaryMonitor, kRightMonitor});
    ExpectTarget(kPrimary, 0, 0, 1024, 768);

    // Before the start-up has set the first step nothing is looked at.
    State().StepIndex = 0;
    DragDialogTo(1100, 100);
    ExpectTarget(kPrimary, 0, 0, 1024, 768);
    State().StepIndex = 1;

    Guide().Form_MouseMove(0, 0, 0, 0);
    ExpectTarget(kRight, 1024, 0, 1280, 1024);
    ASSERT_TRUE(Guide().DialogMonitor);
    EXPECT_EQ(Guide().DialogMonitor->Handle(), kRight);
    // The dialog itself stays where it was dragged.
    EXPECT_EQ(Guide().Left(), 1100 * 15.0);

    DragDialogTo(100, 100);
    ExpectTarget(kPrimary, 0, 0, 1024, 768);

    // A corner outside every monitor takes the nearest one.
    DragDialogTo(2400, 50);
    ExpectTarget(kRight, 1024, 0, 1280, 1024);
    DragDialogTo(-300, 900);
    ExpectTarget(kPrimary, 0, 0, 1024, 768);
}

TEST_F(FollowingTest, TheTargetMonitorIsWrittenLast)
{
    // Too wide for a 16-bit pattern width: the handler stops at that step.
    StartOn({kPrimaryMonitor, FakeMonitor(kRight, 1024, 0, 32768, 480)});
    EXPECT_EQ(ExitCodeOf([] { toolkit::RunHandler([] { DragDialogTo(1100, 100); }); }), 1);
    fatalExpected_ = true;
    ASSERT_EQ(windowSystem_.FatalMessages().size(), 1u);
    EXPECT_NE(windowSystem_.FatalMessages()[0].find("'6'"), std::string::npos) << windowSystem_.FatalMessages()[0];
    EXPECT_EQ(State().TargetLeft, 1024);
    EXPECT_EQ(State().TargetWidth, 32768);
    EXPECT_EQ(State().PatternWidth, 1024);
    EXPECT_EQ(State().TargetMonitor, kPrimary);
}

TEST_F(FollowingTest, AFailedLookUpTakesTheFirstMonitorOnce)
{
    // The monitor on the left is the first of the list.
    StartOn({FakeMonitor(kLeft, -1280, 0, 1280, 1024), kPrimaryMonitor});
    ExpectTarget(kPrimary, 0, 0, 1024, 768);
    os_.MakeFailing(OsCall::MonitorFromRect, 5);

    DragDialogTo(100, 100);
    ExpectTarget(-1, -1280, 0, 1280, 1024);

    // The same failure again is the same monitor: nothing happens.
    TestForm().Move(0, 0);
    DragDialogTo(200, 200);
    EXPECT_EQ(State().TargetMonitor, -1);
    EXPECT_EQ(TestForm().Left(), 0);
}

TEST_F(FollowingTest, OnStepTwoTheLabelsFollowTheResolution)
{
    StartOn({FakeMonitor(kPrimary, 0, 0, 1280, 1024, true), FakeMonitor(kRight, 1280, 0, 1024, 768),
             FakeMonitor(kSmall, 2304, 0, 768, 1024)});
    const ProgramState& state = State();
    NextStep();
    ASSERT_EQ(state.StepIndex, 2);

    // 1024 x 768 and 768 x 1024 empty labels 2 to 5; any other resolution
    // writes lines 2 and 3 one label lower than usual; other steps change nothing.
    const Text line1 = state.StepLine(2, 2, 1), line2 = state.StepLine(2, 2, 2), line3 = state.StepLine(2, 2, 3);
    DragDialogTo(1300, 100);
    ASSERT_EQ(state.TargetMonitor, kRight);
    EXPECT_EQ(LabelCaptions(), (std::vector<Text>{line1, U"", U"", U"", U"", state.StepLine(2, 2, 6)}));

    MarkLabels();
    DragDialogTo(2400, 100);
    ASSERT_EQ(state.TargetMonitor, kSmall);
    EXPECT_EQ(LabelCaptions(), (std::vector<Text>{U"m0", U"", U"", U"", U"", U"m5"}));

    MarkLabels();
    DragDialogTo(100, 100);
    ASSERT_EQ(state.TargetMonitor, kPrimary);
    EXPECT_EQ(LabelCaptions(), (std::vector<Text>{U"m0", U"m1", line2, line3, U"m4", U"m5"}));

    NextStep();
    MarkLabels();
    DragDialogTo(1300, 100);
    ASSERT_EQ(state.TargetMonitor, kRight);
    EXPECT_EQ(LabelCaptions(), Marks());
}

TEST_F(FollowingTest, ThePatternIsRedrawnOnlyAtTheNextStep)
{
    StartOn({kPrimaryMonitor, kRightMonitor});
    for (int i = 0; i < 6; ++i) {
        NextStep();
    }
    ASSERT_EQ(State().StepIndex, 7);
    ASSERT_TRUE(ShowsPattern(7));

    DragDialogTo(1100, 100);
    toolkit::DoEvents();
    ASSERT_EQ(State().TargetMonitor, kRight);
    // Still the cross of the old monitor, nothing drawn for the new size.
    EXPECT_TRUE(SamePicture(Shown().TopLeft(1024, 768), ExpectedPattern(7, 1024, 768)));
    EXPECT_FALSE(ShowsPattern(7));

    NextStep();
    EXPECT_TRUE(ShowsPattern(8));
    EXPECT_EQ(Shown().width, 1280);
    EXPECT_EQ(Shown().height, 1024);
}

TEST_F(FollowingTest, AMonitorAttachedAfterTheDialogLoadedIsFound)
{
    StartOn({kPrimaryMonitor});
    os_.SetMonitors({kPrimaryMonitor, kRightMonitor});

    const int before = os_.CallCount(OsCall::GetSystemMetrics);
    DragDialogTo(1100, 100);
    ExpectTarget(kRight, 1024, 0, 1280, 1024);
    EXPECT_GT(os_.CallCount(OsCall::GetSystemMetrics), before);

    // The dialog's list was refreshed once and now knows both monitors.
    const int refreshed = os_.CallCount(OsCall::GetSystemMetrics);
    DragDialogTo(100, 100);
    ExpectTarget(kPrimary, 0, 0, 1024, 768);
    DragDialogTo(1100, 100);
    ExpectTarget(kRight, 1024, 0, 1280, 1024);
    EXPECT_EQ(os_.CallCount(OsCall::GetSystemMetrics), refreshed);
}

TEST_F(FollowingTest, AMonitorTheListCannotHoldChangesNothing)
{
    // 320 x 240 holds no probe point of the scan, so no list ever has it.
    StartOn({kPrimaryMonitor, FakeMonitor(kSmall, 1024, 0, 320, 240), FakeMonitor(kBelow, 0, 768, 1024, 768)});
    DragDialogTo(100, 800);
    ExpectTarget(kBelow, 0, 768, 1024, 768);
    const std::shared_ptr<clsMonitor> below = Guide().DialogMonitor;

    DragDialogTo(1100, 100);
    ExpectTarget(kBelow, 0, 768, 1024, 768);
    EXPECT_EQ(Guide().DialogMonitor, below);
}

TEST_F(FollowingTest, OnlyPointerMovesOverTheFreeBackgroundAreHandled)
{
    StartOn({kPrimaryMonitor, kRightMonitor});
    // On the other monitor, clear of the test window, which covers the primary.
    Guide().Move(1100 * 15.0, 100 * 15.0);
    toolkit::DoEvents();
    Form3& dialog = Guide();

    const auto centre = [](const toolkit::Widget& widget) {
        const backend::PixelRect rect = Native(widget).ClientRect();
        return std::pair{rect.x + rect.width / 2, rect.y + rect.height / 2};
    };
    const std::vector<std::pair<const char*, std::pair<int, int>>> points = {
        {"a label", centre(dialog.Test2(0))},
        {"a step button", centre(dialog.auto_mode_key(1))},
        {"a language button", centre(dialog.Option2(3))},
        {"the frame", {Native(dialog.Frame1()).ClientRect().x + 125, 5}},
    };
    for (const auto& [what, at] : points) {
        SCOPED_TRACE(what);
        Native(dialog).MoveMouse(at.first, at.second);
        EXPECT_EQ(State().TargetMonitor, kPrimary);
    }

    // Below the frame, left of the Back button.
    Native(dialog).MoveMouse(40, 150);
    ExpectTarget(kRight, 1024, 0, 1280, 1024);
}

}  // namespace
}  // namespace quorvane::testing
