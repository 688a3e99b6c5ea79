#include <gtest/gtest.h>

#include "quorvane_run.h"
#include "sample_data.h"
#include "scenario.h"
#include "x_input.h"
#include "x_session.h"
#include "x_windows.h"

namespace quorvane::e2e {
namespace {

// The start-up window covers the primary monitor exactly and without a frame;
// while the guide dialog is up, clicks on it change nothing, and Esc in the
// dialog ends the program normally.
void CheckStartUpWindow(size_t primary)
{
    XSession session(SideBySide(primary));
    QuorvaneRun run(session, WithLocale("C"));
    const Rect monitor = session.Layout().Primary();

    const auto testWindow = run.WaitForTestWindow();
    ASSERT_TRUE(testWindow) << "no test window; standard error:\n" << run.Errors();
    std::optional<WindowGeometry> geometry;
    WaitUntil([&] {
        geometry = GeometryOf(session, *testWindow);
        return geometry && geometry->outer == monitor;
    });
    ASSERT_TRUE(geometry);
    EXPECT_EQ(geometry->outer, monitor);
    EXPECT_EQ(geometry->client, geometry->outer) << "the test window has a frame";

    const std::string title = StepTitle(Language::English, 1);
    ASSERT_TRUE(DialogShowsTitle(session, run, title));

    // Away from the top-left corner and from the dialog, then inside the
    // picture area at (8, 8), 61 x 48 pixels.
    Click(session, monitor.x + monitor.width - 50, monitor.y + monitor.height - 50);
    EXPECT_TRUE(run.RunsFor(300ms)) << "a click on the test window ended the program";
    Click(session, monitor.x + 8 + 30, monitor.y + 8 + 24);
    ASSERT_TRUE(run.RunsFor(300ms)) << "a click on the test window's picture area ended the program";
    EXPECT_TRUE(DialogShowsTitle(session, run, title)) << "after clicks on the test window";

    EXPECT_TRUE(DialogHasFocus(session, run)) << "after clicks on the test window";
    PressKey(session, "Escape");
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
