#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "quorvane_run.h"
#include "scenario.h"

namespace quorvane::e2e {
namespace {

void CheckStepOneTitle(const QString& locale, Language language)
{
    XSession session(SideBySide());
    QuorvaneRun run(session, locale);
    EXPECT_TRUE(run.DialogShows(StepTitle(1, language)));
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
    const QRect primary(1024, 100, 1280, 1024);
    XSession session(MonitorLayout{{kSmallMonitor, primary}, 1});
    QuorvaneRun run(session, "C");
    ASSERT_TRUE(run.DialogShows(StepTitle(1)));

    // 20 twips are 1.33 pixels at 96 dpi. Centred with the design width, then
    // widened by a few pixels.
    WindowGeometry dialog;
    auto centreOffset = [&] {
        return (dialog.outer.x() + dialog.outer.width() / 2) - (primary.x() + primary.width() / 2);
    };
    WaitUntil([&] {
        return run.DialogGeometry(dialog) && dialog.outer.y() == primary.y() + 1 && std::abs(centreOffset()) <= 8;
    });
    EXPECT_EQ(dialog.outer.y(), primary.y() + 1) << "dialog at " << dialog.outer;
    EXPECT_LE(std::abs(centreOffset()), 8) << "dialog at " << dialog.outer;
}

// A start-up that fails on the text catalogue: a message box, the file named
// on standard error, nothing else on screen, and a failure status once the
// box is dismissed.
void CheckCatalogueFailure(const std::function<bool(const QString& catalogue)>& spoil)
{
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    std::filesystem::copy(QUORVANE_DATA_DIR, data.path().toStdString(), std::filesystem::copy_options::recursive);
    const QString catalogue = data.filePath("LcdTFile.txt");
    ASSERT_TRUE(QFile::exists(catalogue)) << "the sample data folder has no LcdTFile.txt";
    ASSERT_TRUE(spoil(catalogue)) << "cannot change " << catalogue.toStdString();
    XSession session(SideBySide());
    QuorvaneRun run(session, "C", data.path());

    std::optional<WindowId> messageBox;
    WaitUntil([&] { return (messageBox = run.MessageBox()).has_value(); });
    ASSERT_TRUE(messageBox) << "no message box; standard error:\n" << run.Errors();
    EXPECT_FALSE(run.TestWindow()) << "the test window is on screen";
    EXPECT_FALSE(run.Dialog()) << "the dialog is on screen";
    EXPECT_EQ(run.Windows().size(), 1u);

    EXPECT_TRUE(run.DismissMessageBoxAndFail(*messageBox));
    EXPECT_NE(run.Errors().find("LcdTFile.txt"), std::string::npos) << "standard error:\n" << run.Errors();
}

TEST(TextsAndDialog, MissingCatalogueIsReported)
{
    CheckCatalogueFailure([](const QString& catalogue) { return QFile::remove(catalogue); });
}

// Cut after its first 100 lines, line ends kept.
TEST(TextsAndDialog, ShortCatalogueIsReported)
{
    CheckCatalogueFailure([](const QString& catalogue) {
        QFile file(catalogue);
        if (!file.open(QIODevice::ReadWrite)) {
            return false;
        }
        qint64 size = 0;
        for (int line = 0; line < 100 && !file.atEnd(); ++line) {
            size += file.readLine().size();
        }
        return file.resize(size);
    });
}

}  // namespace
}  // namespace quorvane::e2e
