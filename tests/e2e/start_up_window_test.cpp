#include <gtest/gtest.h>

#include "quorvane_run.h"
#include "scenario.h"

namespace quorvane::e2e {
namespace {

// The start-up window covers the primary monitor exactly and without a frame;
// while the guide dialog is up, clicks on it change nothing, and Esc in the
// dialog ends the program normally.
void CheckStartUpWindow(size_t primary)
{
    XSession session(SideBySide(primary));
    QuorvaneRun run(session, "C");
    const QRect monitor = session.Layout().Primary();

    std::optional<WindowGeometry> geometry;
    WaitUntil([&] {
        const auto testWindow = run.TestWindow();
        return testWindow && (geometry = session.GeometryOf(*testWindow)) && geometry->outer == monitor;
    });
    ASSERT_TRUE(geometry) << "no test window; standard error:\n" << run.Errors();
    EXPECT_EQ(geometry->outer, monitor);
    EXPECT_EQ(geometry->client, geometry->outer) << "the test window has a frame";
    ASSERT_TRUE(run.DialogShows(StepTitle(1)));

    // Away from the top-left corner and from the dialog, then inside the
    // picture area at (8, 8), 61 x 48 pixels.
    session.Click(monitor.x() + monitor.width() - 50, monitor.y() + monitor.height() - 50);
    EXPECT_TRUE(run.RunsFor(300ms)) << "a click on the test window ended the program";
    session.Click(monitor.x() + 8 + 30, monitor.y() + 8 + 24);
    ASSERT_TRUE(run.RunsFor(300ms)) << "a click on the test window's picture area ended the program";
    EXPECT_TRUE(run.DialogShows(StepTitle(1))) << "after clicks on the test window";

    EXPECT_TRUE(run.DialogHasFocus()) << "after clicks on the test window";
    session.PressKey("Escape");
    EXPECT_EQ(run.WaitForExit(), 0);
}

TEST(StartUpWindow, CoversLeftPrimaryMonitor)
{
    CheckStartUpWindow(0);
}

// The left monitor then lies at negative desktop coordinates.
TEST(StartUpWindow, CoversRightPrimaryMonitor)
{
    CheckStartUpWindow(1);
}

}  // namespace
}  // namespace quorvane::e2e
