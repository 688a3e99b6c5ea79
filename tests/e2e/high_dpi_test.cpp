#include <gtest/gtest.h>

#include <QImage>

#include "pattern_checks.h"
#include "quorvane_run.h"
#include "sample_data.h"
#include "scenario.h"
#include "x_session.h"
#include "x_windows.h"

namespace quorvane::e2e {
namespace {

// The dialog's client area once it shows step 1.
::testing::AssertionResult DialogClientArea(const XSession& session, const QuorvaneRun& run, Rect& area)
{
    const auto dialog = run.WaitForDialogTitled(StepTitle(Language::English, 1));
    const auto geometry = dialog ? GeometryOf(session, *dialog) : std::nullopt;
    if (!geometry) {
        return ::testing::AssertionFailure() << "no dialog showing step 1; standard error:\n" << run.Errors();
    }
    area = geometry->client;
    return ::testing::AssertionSuccess();
}

// At 144 dpi the toolkit scales by 1.5: the dialog grows with it, while the
// test pattern keeps to device pixels.
TEST(HighDpi, DialogGrowsWhileGratingLinesStayOnePixelWide)
{
    Rect normalDialog;
    {
        XSession session(SideBySide(0));
        QuorvaneRun run(session, WithLocale("C"));
        ASSERT_TRUE(DialogClientArea(session, run, normalDialog));
    }

    SessionOptions options;
    options.xftDpi = 144;
    XSession session(SideBySide(0), options);
    QuorvaneRun run(session, WithLocale("C"));
    Rect largeDialog;
    ASSERT_TRUE(DialogClientArea(session, run, largeDialog));
    const double widthRatio = static_cast<double>(largeDialog.width) / normalDialog.width;
    const double heightRatio = static_cast<double>(largeDialog.height) / normalDialog.height;
    EXPECT_NEAR(widthRatio, 1.5, 0.1) << normalDialog << " at 96 dpi, " << largeDialog << " at 144 dpi";
    EXPECT_NEAR(heightRatio, 1.5, 0.1) << normalDialog << " at 96 dpi, " << largeDialog << " at 144 dpi";

    const Rect monitor = session.Layout().Primary();
    const auto testWindow = run.WaitForTestWindow();
    ASSERT_TRUE(testWindow);
    EXPECT_TRUE(WaitUntil([&] {
        const auto geometry = GeometryOf(session, *testWindow);
        return geometry && geometry->outer == monitor;
    })) << "the test window does not cover the monitor " << monitor;

    ASSERT_TRUE(DialogHasFocus(session, run));
    for (int step = 2; step <= 5; ++step) {
        ASSERT_TRUE(PressKeyUntilTitle(session, run, "n", StepTitle(Language::English, step)));
    }
    Rect dialog;
    ASSERT_TRUE(DialogArea(session, run, dialog));
    EXPECT_EQ(MismatchesOnScreen(session,
                                 [&](const QImage& shot) {
                                     return Mismatches(shot, monitor, dialog,
                                                       LandscapeGrating(monitor.width, monitor.height));
                                 }),
              "");
}

}  // namespace
}  // namespace quorvane::e2e
