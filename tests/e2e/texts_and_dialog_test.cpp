#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "quorvane_run.h"
#include "sample_data.h"
#include "scenario.h"
#include "temp_dir.h"
#include "x_input.h"
#include "x_session.h"
#include "x_windows.h"

namespace quorvane::e2e {
namespace {

void CheckStepOneTitle(const std::string& locale, Language language)
{
    XSession session(SideBySide(0));
    QuorvaneRun run(session, WithLocale(locale));
    EXPECT_TRUE(DialogShowsTitle(session, run, StepTitle(language, 1))) << "standard error:\n" << run.Errors();
}

TEST(TextsAndDialog, GermanLocaleGivesGermanTitle)
{
    CheckStepOneTitle("de_DE.UTF-8", Language::Deutsch);
}

TEST(TextsAndDialog, CLocaleFallsBackToEnglish)
{
    CheckStepOneTitle("C", Language::English);
}

TEST(TextsAndDialog, JapaneseLocaleGivesJapaneseTitle)
{
    CheckStepOneTitle("ja_JP.UTF-8", Language::Japanese);
}

// The primary monitor lies right of the other one and lower, so that both of
// its desktop coordinates differ from the screen's.
TEST(TextsAndDialog, DialogSitsCentredAtTopOfPrimaryMonitor)
{
    const Rect primary{1024, 100, 1280, 1024};
    XSession session(MonitorLayout{{kSmallMonitor, primary}, 1});
    QuorvaneRun run(session, WithLocale("C"));
    ASSERT_TRUE(DialogShowsTitle(session, run, StepTitle(Language::English, 1)));

    // 20 twips are 1.33 pixels at 96 dpi. Centred with the design width, then
    // widened by a few pixels.
    Rect dialog;
    auto centreOffset = [&] { return (dialog.x + dialog.width / 2) - (primary.x + primary.width / 2); };
    WaitUntil([&] {
        return DialogArea(session, run, dialog) && dialog.y == primary.y + 1 && std::abs(centreOffset()) <= 8;
    });
    EXPECT_EQ(dialog.y, primary.y + 1) << "dialog at " << dialog;
    EXPECT_LE(std::abs(centreOffset()), 8) << "dialog at " << dialog;
}

// A start-up that fails on the text catalogue: a message box, the file named
// on standard error, nothing else on screen, and a failure status once the
// box is dismissed.
void CheckCatalogueFailure(const std::function<void(const std::filesystem::path& catalogue)>& spoil)
{
    TempDir data("quorvane-data");
    CopySampleData(data.Path());
    spoil(data.Path() / "LcdTFile.txt");
    XSession session(SideBySide(0));
    ProgramOptions options = WithLocale("C");
    options.workingDirectory = data.Path();
    QuorvaneRun run(session, options);

    const auto messageBox = run.WaitForMessageBox();
    ASSERT_TRUE(messageBox) << "no message box; standard error:\n" << run.Errors();
    EXPECT_FALSE(run.TestWindow()) << "the test window is on screen";
    EXPECT_FALSE(run.Dialog()) << "the dialog is on screen";
    EXPECT_EQ(run.Windows().size(), 1u);

    ActivateWindow(session, *messageBox);
    PressKey(session, "Return");
    const auto status = run.WaitForExit();
    ASSERT_TRUE(status) << "the program still ran after the message box was dismissed";
    EXPECT_GT(*status, 0);
    EXPECT_LT(*status, 128) << "the program was killed by a signal";
    EXPECT_NE(run.Errors().find("LcdTFile.txt"), std::string::npos) << "standard error:\n" << run.Errors();
}

TEST(TextsAndDialog, MissingCatalogueIsReported)
{
    CheckCatalogueFailure([](const std::filesystem::path& catalogue) { std::filesystem::remove(catalogue); });
}

TEST(TextsAndDialog, ShortCatalogueIsReported)
{
    CheckCatalogueFailure([](const std::filesystem::path& catalogue) { KeepFirstLines(catalogue, 100); });
}

}  // namespace
}  // namespace quorvane::e2e
