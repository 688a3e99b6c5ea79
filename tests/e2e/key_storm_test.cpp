#include <gtest/gtest.h>

#include <QStringList>

#include <random>
#include <thread>

#include "pattern_checks.h"
#include "quorvane_run.h"
#include "scenario.h"

namespace quorvane::e2e {
namespace {

constexpr int kKeyPresses = 1000;
constexpr int kKeysPerCall = 250;
constexpr int kFirstStep = 1;
constexpr int kLastStep = 8;
// This seed's walk ends on step 7, coming up from the gratings of steps 5
// and 6 in its last keys.
constexpr unsigned kSeed = 14;

// B and N in both cases, in an order fixed by the seed.
QStringList StormKeys()
{
    static const char* const kKeys[] = {"b", "B", "n", "N"};
    std::mt19937 random(kSeed);
    QStringList keys;
    for (int i = 0; i < kKeyPresses; ++i) {
        keys << kKeys[random() % 4];
    }
    return keys;
}

// B goes one step back and N one step on; neither goes past the first or
// the last step.
int StepAfter(int step, const QString& key)
{
    if (key.compare("b", Qt::CaseInsensitive) == 0 && step > kFirstStep) {
        return step - 1;
    }
    if (key.compare("n", Qt::CaseInsensitive) == 0 && step < kLastStep) {
        return step + 1;
    }
    return step;
}

PatternCheck PatternOfStep(int step)
{
    return step <= 4 ? WhiteField() : step <= 6 ? LandscapeGrating() : Cross();
}

// The title stays on `title` for a second: the program has worked through
// every key it was sent, and the title did not only pass by.
::testing::AssertionResult SettlesOn(const QuorvaneRun& run, const std::string& title)
{
    for (int check = 0; check < 5; ++check) {
        if (auto shown = run.DialogShows(title); !shown) {
            return shown;
        }
        std::this_thread::sleep_for(200ms);
    }
    return ::testing::AssertionSuccess();
}

// A thousand B and N keys at full speed. On steps 5 to 8 the renderer yields
// between its two passes, so keys are handled nested inside the redraw of
// the keys before them: each must still move the step once, and the picture
// must be the final step's alone.
TEST(KeyStorm, ThousandStepKeysEndOnTheFinalStepsPattern)
{
    XSession session(SideBySide());
    QuorvaneRun run(session, "C");
    const QRect monitor = session.Layout().Primary();
    ASSERT_TRUE(run.DialogShows(StepTitle(1)));
    // On step 1 the keys may go to a language button, which steps alike.
    ASSERT_TRUE(run.DialogHasFocus());

    const QStringList keys = StormKeys();
    int step = kFirstStep;
    for (qsizetype first = 0; first < keys.size(); first += kKeysPerCall) {
        const QStringList batch = keys.mid(first, kKeysPerCall);
        session.RunChecked(QStringList{"xdotool", "key", "--delay", "0"} + batch);
        for (const QString& key : batch) {
            step = StepAfter(step, key);
        }
    }
    ASSERT_EQ(step, 7) << "the seed no longer gives the walk described above";
    ASSERT_TRUE(SettlesOn(run, StepTitle(step))) << "after " << kKeyPresses << " keys";
    ASSERT_TRUE(run.RunsFor(0ms));

    WindowGeometry dialog;
    ASSERT_TRUE(run.DialogGeometry(dialog));
    EXPECT_EQ(PatternOfStep(step)(session.Screenshot(), monitor, dialog.outer), "") << "step " << step;
    ASSERT_TRUE(run.DialogShows(StepTitle(step))) << "after the screenshot";

    ASSERT_TRUE(run.DialogHasFocus());
    session.PressKey("Escape");
    EXPECT_EQ(run.WaitForExit(), 0);
}

}  // namespace
}  // namespace quorvane::e2e
