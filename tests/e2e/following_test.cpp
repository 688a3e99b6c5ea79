#include <gtest/gtest.h>

#include <QImage>

#include "pattern_checks.h"
#include "quorvane_run.h"
#include "sample_data.h"
#include "scenario.h"
#include "x_input.h"
#include "x_session.h"
#include "x_windows.h"

namespace quorvane::e2e {
namespace {

std::string Title(int step)
{
    return StepTitle(Language::English, step);
}

// Moves the dialog to (x, y) and waits until it is there. Depending on the
// window's gravity the window manager puts its frame or its client area there.
::testing::AssertionResult MoveDialog(const XSession& session, const QuorvaneRun& run, int x, int y)
{
    const auto dialog = run.Dialog();
    if (!dialog) {
        return ::testing::AssertionFailure() << "no dialog to move";
    }
    MoveWindow(session, *dialog, x, y);
    std::optional<WindowGeometry> geometry;
    const bool moved = WaitUntil([&] {
        geometry = GeometryOf(session, *dialog);
        return geometry && ((geometry->outer.x == x && geometry->outer.y == y) ||
                            (geometry->client.x == x && geometry->client.y == y));
    });
    if (!moved) {
        return ::testing::AssertionFailure() << "the dialog does not move to " << x << ", " << y;
    }
    return ::testing::AssertionSuccess();
}

// Moves the pointer over the dialog's free background: right of the language
// frame, below the instruction labels and above the buttons (96 dpi layout).
::testing::AssertionResult HoverDialogBackground(const XSession& session, const QuorvaneRun& run)
{
    const auto dialog = run.Dialog();
    const auto geometry = dialog ? GeometryOf(session, *dialog) : std::nullopt;
    if (!geometry) {
        return ::testing::AssertionFailure() << "no dialog to hover over";
    }
    const int x = geometry->client.x + 150;
    const int y = geometry->client.y + 120;
    MovePointer(session, x, y);
    MovePointer(session, x + 1, y + 1);
    return ::testing::AssertionSuccess();
}

TEST(Following, TestWindowFollowsDialogToOtherMonitor)
{
    XSession session(SideBySide(0));
    QuorvaneRun run(session, WithLocale("C"));
    ASSERT_TRUE(DialogShowsTitle(session, run, Title(1))) << "standard error:\n" << run.Errors();
    const auto testWindow = run.TestWindow();
    ASSERT_TRUE(testWindow);

    ASSERT_TRUE(MoveDialog(session, run, kLargeMonitor.x + 200, kLargeMonitor.y + 300));
    ASSERT_TRUE(HoverDialogBackground(session, run));
    std::optional<WindowGeometry> geometry;
    WaitUntil([&] {
        geometry = GeometryOf(session, *testWindow);
        return geometry && geometry->outer == kLargeMonitor;
    });
    ASSERT_TRUE(geometry);
    EXPECT_EQ(geometry->outer, kLargeMonitor);

    // The pattern is drawn for the new monitor at the next step.
    ASSERT_TRUE(DialogHasFocus(session, run));
    ASSERT_TRUE(PressKeyUntilTitle(session, run, "n", Title(2)));
    Rect dialog;
    ASSERT_TRUE(DialogArea(session, run, dialog));
    EXPECT_EQ(MismatchesOnScreen(
                  session, [&](const QImage& shot) { return Mismatches(shot, kLargeMonitor, dialog, WhiteField()); }),
              "");
    for (int step = 3; step <= 5; ++step) {
        ASSERT_TRUE(PressKeyUntilTitle(session, run, "n", Title(step)));
    }
    EXPECT_EQ(MismatchesOnScreen(session,
                                 [&](const QImage& shot) {
                                     return Mismatches(shot, kLargeMonitor, dialog,
                                                       LandscapeGrating(kLargeMonitor.width, kLargeMonitor.height));
                                 }),
              "");

    PressKey(session, "Escape");
    EXPECT_EQ(run.WaitForExit(), 0);
}

// The program learns of monitors only when it starts; one that appears later
// must not bring it down when the dialog is taken there.
TEST(Following, MonitorAddedWhileRunningDoesNoHarm)
{
    const Rect added{kLargeMonitor.Right(), 0, 800, 600};
    MonitorLayout layout = SideBySide(0);
    layout.minimumScreenWidth = added.Right();
    XSession session(layout);
    QuorvaneRun run(session, WithLocale("C"));
    ASSERT_TRUE(DialogShowsTitle(session, run, Title(1))) << "standard error:\n" << run.Errors();

    session.AddMonitor("ADDED", added);
    ASSERT_TRUE(MoveDialog(session, run, added.x + 100, added.y + 100));
    ASSERT_TRUE(HoverDialogBackground(session, run));
    EXPECT_TRUE(run.RunsFor(500ms)) << "standard error:\n" << run.Errors();
    EXPECT_FALSE(run.MessageBox()) << "standard error:\n" << run.Errors();
    ASSERT_TRUE(DialogHasFocus(session, run));
    EXPECT_TRUE(PressKeyUntilTitle(session, run, "n", Title(2)));

    session.RemoveMonitor("ADDED");
    ASSERT_TRUE(run.RunsFor(300ms)) << "standard error:\n" << run.Errors();
    ASSERT_TRUE(DialogHasFocus(session, run));
    PressKey(session, "Escape");
    EXPECT_EQ(run.WaitForExit(), 0);
}

}  // namespace
}  // namespace quorvane::e2e
