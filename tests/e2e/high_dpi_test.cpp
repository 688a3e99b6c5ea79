#include <gtest/gtest.h>

#include "pattern_checks.h"
#include "quorvane_run.h"
#include "scenario.h"

namespace quorvane::e2e {
namespace {

// The dialog's client area once it shows step 1.
::testing::AssertionResult DialogOnStepOne(const QuorvaneRun& run, QRect& area)
{
    if (auto shown = run.DialogShows(StepTitle(1)); !shown) {
        return shown;
    }
    WindowGeometry dialog;
    auto found = run.DialogGeometry(dialog);
    area = dialog.client;
    return found;
}

// At 144 dpi the toolkit scales by 1.5: the dialog grows with it, while the
// test pattern keeps to device pixels.
TEST(HighDpi, DialogGrowsWhileGratingLinesStayOnePixelWide)
{
    QRect normal;
    {
        XSession session(SideBySide());
        QuorvaneRun run(session, "C");
        ASSERT_TRUE(DialogOnStepOne(run, normal));
    }
    XSession session(SideBySide(), 144);
    QuorvaneRun run(session, "C");
    QRect large;
    ASSERT_TRUE(DialogOnStepOne(run, large));
    EXPECT_NEAR(static_cast<double>(large.width()) / normal.width(), 1.5, 0.1)
        << normal << " at 96 dpi, " << large << " at 144 dpi";
    EXPECT_NEAR(static_cast<double>(large.height()) / normal.height(), 1.5, 0.1)
        << normal << " at 96 dpi, " << large << " at 144 dpi";

    const QRect monitor = session.Layout().Primary();
    EXPECT_TRUE(WaitUntil([&] {
        const auto testWindow = run.TestWindow();
        const auto geometry = testWindow ? session.GeometryOf(*testWindow) : std::nullopt;
        return geometry && geometry->outer == monitor;
    })) << "the test window does not cover the monitor " << monitor;

    ASSERT_TRUE(run.DialogHasFocus());
    for (int step = 2; step <= 5; ++step) {
        ASSERT_TRUE(run.PressKeyUntil("n", StepTitle(step)));
    }
    WindowGeometry dialog;
    ASSERT_TRUE(run.DialogGeometry(dialog));
    EXPECT_EQ(MismatchesOnScreen(session, monitor, dialog.outer, LandscapeGrating()), "");
}

}  // namespace
}  // namespace quorvane::e2e
