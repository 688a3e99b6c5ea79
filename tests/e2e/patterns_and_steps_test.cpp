#include <gtest/gtest.h>

#include <QImage>

#include "pattern_checks.h"
#include "quorvane_run.h"
#include "sample_data.h"
#include "scenario.h"
#include "x_input.h"
#include "x_session.h"

namespace quorvane::e2e {
namespace {

std::string Title(int step)
{
    return StepTitle(Language::English, step);
}

TEST(PatternsAndSteps, StepsDrawWhiteFieldGratingAndCross)
{
    XSession session(SideBySide(0));
    QuorvaneRun run(session, WithLocale("C"));
    const Rect monitor = session.Layout().Primary();
    ASSERT_TRUE(DialogShowsTitle(session, run, Title(1))) << "standard error:\n" << run.Errors();
    ASSERT_TRUE(DialogHasFocus(session, run));
    Rect dialog;
    ASSERT_TRUE(DialogArea(session, run, dialog));
    const auto grating = [&](const QImage& shot) {
        return Mismatches(shot, monitor, dialog, LandscapeGrating(monitor.width, monitor.height));
    };

    EXPECT_EQ(MismatchesOnScreen(session,
                                 [&](const QImage& shot) { return Mismatches(shot, monitor, dialog, WhiteField()); }),
              "")
        << "step 1";

    for (int step = 2; step <= 5; ++step) {
        ASSERT_TRUE(PressKeyUntilTitle(session, run, "n", Title(step)));
    }
    ASSERT_TRUE(DialogArea(session, run, dialog));
    EXPECT_EQ(MismatchesOnScreen(session, grating), "") << "step 5";

    ASSERT_TRUE(PressKeyUntilTitle(session, run, "n", Title(6)));
    ASSERT_TRUE(PressKeyUntilTitle(session, run, "N", Title(7)));
    ASSERT_TRUE(DialogArea(session, run, dialog));
    EXPECT_EQ(MismatchesOnScreen(session, [&](const QImage& shot) { return CrossMismatches(shot, monitor, dialog); }),
              "")
        << "step 7";

    ASSERT_TRUE(PressKeyUntilTitle(session, run, "b", Title(6)));
    EXPECT_EQ(MismatchesOnScreen(session, grating), "") << "back on step 6";

    PressKey(session, "Escape");
    EXPECT_EQ(run.WaitForExit(), 0);
}

// Closing only the dialog, through the window manager as its title bar's
// close button would, brings a working dialog back on the same step.
TEST(PatternsAndSteps, DialogClosedByWindowManagerComesBack)
{
    XSession session(SideBySide(0));
    QuorvaneRun run(session, WithLocale("C"));
    ASSERT_TRUE(DialogShowsTitle(session, run, Title(1))) << "standard error:\n" << run.Errors();
    ASSERT_TRUE(DialogHasFocus(session, run));
    ASSERT_TRUE(PressKeyUntilTitle(session, run, "n", Title(2)));
    ASSERT_TRUE(PressKeyUntilTitle(session, run, "n", Title(3)));

    PressKey(session, "alt+F4");
    EXPECT_TRUE(run.RunsFor(300ms)) << "closing the dialog ended the program";
    EXPECT_TRUE(DialogShowsTitle(session, run, Title(3)));
    ASSERT_TRUE(DialogHasFocus(session, run));
    EXPECT_TRUE(PressKeyUntilTitle(session, run, "n", Title(4)));

    PressKey(session, "Escape");
    EXPECT_EQ(run.WaitForExit(), 0);
}

}  // namespace
}  // namespace quorvane::e2e
