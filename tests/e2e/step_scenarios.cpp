#include <random>

#include "actions.h"

namespace quorvane::e2e {
namespace {

// A thousand B and N keys in both cases, in an order fixed by the seed: the
// walk ends on step 7, coming up from the gratings of steps 5 and 6 in its
// last keys. Neither key goes past the first or the last step.
QStringList StormKeys()
{
    static const char* const kKeys[] = {"b", "B", "n", "N"};
    std::mt19937 random(14);
    QStringList keys;
    for (int i = 0; i < 1000; ++i) {
        keys << kKeys[random() % 4];
    }
    return keys;
}

// Output 1 at scale 2: 1024 x 768 device pixels.
DesktopLayout ScaledSideBySide()
{
    return DesktopLayout{{{QRect(0, 0, 512, 384), 2}, {QRect(512, 0, 1280, 1024)}}};
}

DesktopLayout HighDpi()
{
    DesktopLayout layout = SideBySide();
    layout.dpi = 144;
    return layout;
}

const Language kEnglish = Language::English;

const bool added = AddScenarios({
    Script("GermanLocaleGivesGermanTitle", SideBySide(), kGerman, Language::Deutsch, {}),
    Script("JapaneseLocaleGivesJapaneseTitle", SideBySide(), kJapanese, Language::Japanese, {}),
    Script("NoLanguageFallsBackToEnglish", SideBySide(), kNoLanguage, kEnglish, {}),
    Script("StepKeysChangeTitleAndEscEnds", SideBySide(), kNoLanguage, kEnglish,
           {Key("n", 2), Key("N", 3), Key("b", 2), Key("B", 1), Key("b", 1), ExitsWithEsc()}),
    Script("PointerClicksReachDialog", SideBySide(), kNoLanguage, kEnglish,
           {DialogScaledBy(1), Click(Button::Next, 2), Click(Button::Next, 3), Click(Button::Back, 2), ExitsWithEsc()}),
    // Where the desktop puts the test window, the white field fills it.
    Script("WhiteFieldFillsTestWindow", SideBySide(), kNoLanguage, kEnglish, {PatternFillsTestWindow()}),
    Script("WhiteFieldFillsTestWindowOnScaledOutput", ScaledSideBySide(), kNoLanguage, kEnglish,
           {PatternFillsTestWindow()}),
    // While the dialog is up, clicks on the test window change nothing.
    Script("StartUpWindowCoversLeftPrimary", SideBySide(0), kNoLanguage, kEnglish,
           {Covers(0), IgnoresClicksOnTestWindow(0), ExitsWithEsc()}),
    // The left monitor then lies at negative desktop coordinates.
    Script("StartUpWindowCoversRightPrimary", SideBySide(1), kNoLanguage, kEnglish,
           {Covers(1), IgnoresClicksOnTestWindow(1), ExitsWithEsc()}),
    // The primary monitor lies right of the other one and lower, so that both
    // of its desktop coordinates differ from the screen's.
    Script("DialogSitsCentredAtTopOfPrimary", DesktopLayout{{{kSmallMonitor}, {QRect(1024, 100, 1280, 1024)}}, 1},
           kNoLanguage, kEnglish, {DialogAtTopCentreOf(1)}, {Capability::WindowPlacement}),
    Script("StepsDrawWhiteFieldGratingAndCross", SideBySide(), kNoLanguage, kEnglish,
           {Covers(0), ShowsPattern(0), Key("n", 2), ShowsPattern(0), Key("n", 3), ShowsPattern(0), Key("n", 4),
            ShowsPattern(0), Key("n", 5), ShowsPattern(0), Key("n", 6), ShowsPattern(0), Key("N", 7), ShowsPattern(0),
            Key("n", 8), ShowsPattern(0), Key("b", 7), Key("b", 6), ShowsPattern(0), ExitsWithEsc()}),
    // On steps 5 to 8 the renderer yields between its two passes, so keys are
    // handled nested inside the redraw of the keys before them: each must
    // still move the step once, and the picture must be the final step's.
    Script("ThousandStepKeysEndOnFinalStepsPattern", SideBySide(), kNoLanguage, kEnglish,
           {Keys(StormKeys(), 7), ShowsPattern(0), ExitsWithEsc()}),
    // A working dialog comes back on the same step.
    Script("DialogClosedByTitleBarComesBack", SideBySide(), kNoLanguage, kEnglish,
           {Key("n", 2), Key("n", 3), CloseDialog(), Key("n", 4), ExitsWithEsc()}),
    // The toolkit scales the dialog by 1.5, while the test pattern keeps to
    // device pixels.
    Script("HighDpiDialogGrowsWhileGratingStaysOnePixel", HighDpi(), kNoLanguage, kEnglish,
           {DialogScaledBy(1.5), Covers(0), Key("n", 2), Key("n", 3), Key("n", 4), Key("n", 5), ShowsPattern(0)}),
    // The gratings and the cross in device pixels on a scaled output.
    Script("ScaledOutputPatternsInDevicePixels", ScaledSideBySide(), kNoLanguage, kEnglish,
           {Covers(0), Key("n", 2), Key("n", 3), Key("n", 4), Key("n", 5), ShowsPattern(0), Key("n", 6), Key("n", 7),
            ShowsPattern(0), ExitsWithEsc()}),
});

}  // namespace
}  // namespace quorvane::e2e
