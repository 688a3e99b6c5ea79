#include <gtest/gtest.h>

#include "pattern_checks.h"
#include "quorvane_run.h"
#include "scenario.h"

namespace quorvane::e2e {
namespace {

TEST(PatternsAndSteps, StepsDrawWhiteFieldGratingAndCross)
{
    XSession session(SideBySide());
    QuorvaneRun run(session, "C");
    const QRect monitor = session.Layout().Primary();
    ASSERT_TRUE(run.DialogShows(StepTitle(1)));
    ASSERT_TRUE(run.DialogHasFocus());
    WindowGeometry dialog;
    ASSERT_TRUE(run.DialogGeometry(dialog));
    EXPECT_EQ(MismatchesOnScreen(session, monitor, dialog.outer, WhiteField()), "") << "step 1";

    for (int step = 2; step <= 5; ++step) {
        ASSERT_TRUE(run.PressKeyUntil("n", StepTitle(step)));
    }
    ASSERT_TRUE(run.DialogGeometry(dialog));
    EXPECT_EQ(MismatchesOnScreen(session, monitor, dialog.outer, LandscapeGrating()), "") << "step 5";

    ASSERT_TRUE(run.PressKeyUntil("n", StepTitle(6)));
    ASSERT_TRUE(run.PressKeyUntil("N", StepTitle(7)));
    ASSERT_TRUE(run.DialogGeometry(dialog));
    EXPECT_EQ(MismatchesOnScreen(session, monitor, dialog.outer, Cross()), "") << "step 7";

    ASSERT_TRUE(run.PressKeyUntil("b", StepTitle(6)));
    EXPECT_EQ(MismatchesOnScreen(session, monitor, dialog.outer, LandscapeGrating()), "") << "back on step 6";

    session.PressKey("Escape");
    EXPECT_EQ(run.WaitForExit(), 0);
}

// Closing only the dialog, through the window manager as its title bar's
// close button would, brings a working dialog back on the same step.
TEST(PatternsAndSteps, DialogClosedByWindowManagerComesBack)
{
    XSession session(SideBySide());
    QuorvaneRun run(session, "C");
    ASSERT_TRUE(run.DialogShows(StepTitle(1)));
    ASSERT_TRUE(run.DialogHasFocus());
    ASSERT_TRUE(run.PressKeyUntil("n", StepTitle(2)));
    ASSERT_TRUE(run.PressKeyUntil("n", StepTitle(3)));

    session.PressKey("alt+F4");
    EXPECT_TRUE(run.RunsFor(300ms)) << "closing the dialog ended the program";
    EXPECT_TRUE(run.DialogShows(StepTitle(3)));
    ASSERT_TRUE(run.DialogHasFocus());
    EXPECT_TRUE(run.PressKeyUntil("n", StepTitle(4)));

    session.PressKey("Escape");
    EXPECT_EQ(run.WaitForExit(), 0);
}

}  // namespace
}  // namespace quorvane::e2e
