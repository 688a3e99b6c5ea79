#include <gtest/gtest.h>

#include "dialog_moves.h"
#include "pattern_checks.h"
#include "quorvane_run.h"
#include "scenario.h"

namespace quorvane::e2e {
namespace {

TEST(Following, TestWindowFollowsDialogToOtherMonitor)
{
    XSession session(SideBySide());
    QuorvaneRun run(session, "C");
    ASSERT_TRUE(run.DialogShows(StepTitle(1)));
    const auto testWindow = run.TestWindow();
    ASSERT_TRUE(testWindow);

    ASSERT_TRUE(MoveDialog(session, run, kLargeMonitor.x() + 200, kLargeMonitor.y() + 300));
    ASSERT_TRUE(HoverDialogBackground(session, run));
    std::optional<WindowGeometry> geometry;
    WaitUntil([&] { return (geometry = session.GeometryOf(*testWindow)) && geometry->outer == kLargeMonitor; });
    ASSERT_TRUE(geometry);
    EXPECT_EQ(geometry->outer, kLargeMonitor);

    // The pattern is drawn for the new monitor at the next step.
    ASSERT_TRUE(run.DialogHasFocus());
    ASSERT_TRUE(run.PressKeyUntil("n", StepTitle(2)));
    WindowGeometry dialog;
    ASSERT_TRUE(run.DialogGeometry(dialog));
    EXPECT_EQ(MismatchesOnScreen(session, kLargeMonitor, dialog.outer, WhiteField()), "");
    for (int step = 3; step <= 5; ++step) {
        ASSERT_TRUE(run.PressKeyUntil("n", StepTitle(step)));
    }
    EXPECT_EQ(MismatchesOnScreen(session, kLargeMonitor, dialog.outer, LandscapeGrating()), "");

    session.PressKey("Escape");
    EXPECT_EQ(run.WaitForExit(), 0);
}

// The program learns of monitors only when it starts; one that appears later
// must not bring it down when the dialog is taken there.
TEST(Following, MonitorAddedWhileRunningDoesNoHarm)
{
    const QRect added(kLargeMonitor.x() + kLargeMonitor.width(), 0, 800, 600);
    MonitorLayout layout = SideBySide();
    layout.minimumScreenWidth = added.x() + added.width();
    XSession session(layout);
    QuorvaneRun run(session, "C");
    ASSERT_TRUE(run.DialogShows(StepTitle(1)));

    session.AddMonitor("ADDED", added);
    ASSERT_TRUE(MoveDialog(session, run, added.x() + 100, added.y() + 100));
    ASSERT_TRUE(HoverDialogBackground(session, run));
    EXPECT_TRUE(run.RunsFor(500ms)) << "standard error:\n" << run.Errors();
    EXPECT_FALSE(run.MessageBox()) << "standard error:\n" << run.Errors();
    ASSERT_TRUE(run.DialogHasFocus());
    EXPECT_TRUE(run.PressKeyUntil("n", StepTitle(2)));

    session.RemoveMonitor("ADDED");
    ASSERT_TRUE(run.RunsFor(300ms)) << "standard error:\n" << run.Errors();
    ASSERT_TRUE(run.DialogHasFocus());
    session.PressKey("Escape");
    EXPECT_EQ(run.WaitForExit(), 0);
}

}  // namespace
}  // namespace quorvane::e2e
