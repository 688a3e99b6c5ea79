#include "pattern/module11.h"

#include <cstdint>

#include "guide/form3.h"
#include "platform/checked_arith.h"
#include "platform/toolkit/colour.h"
#include "platform/toolkit/program.h"
#include "startup/program_state.h"
#include "startup/program_windows.h"

namespace quorvane::MODULE11 {

namespace {

using toolkit::QBColor;
using toolkit::RGB;

constexpr int kBlack = 0;
constexpr int kLightCyan = 11;
constexpr int kBrightWhite = 15;

// Counts the calls, so that a call can tell whether another one ran nested
// inside its yield.
uint64_t drawCalls = 0;

void DrawCross(frmTestForm& window, int16_t W, int16_t H)
{
    const int last = W - 1;
    const int bottom = H - 1;
    window.Box(0, 0, last, bottom, QBColor(kBrightWhite));
    window.Line(0, 0, last, bottom, QBColor(kBrightWhite));
    window.Line(last, 0, 0, bottom, QBColor(kBrightWhite));
}

void DrawGrating(frmTestForm& window, int16_t W, int16_t H)
{
    window.Box(0, 0, W - 1, H - 1, QBColor(kLightCyan));
    // A 16-bit counter compared inclusively: with an even size the last line
    // lies one pixel outside the window.
    if (W > H) {
        for (int16_t x = 0; x <= W; x = arith::Add(x, int16_t{2})) {
            window.Line(x, 0, x, H, QBColor(kLightCyan));
            if (x > INT16_MAX - 2) {
                break;
            }
        }
    } else {
        for (int16_t y = 0; y <= H; y = arith::Add(y, int16_t{2})) {
            window.Line(0, y, W, y, QBColor(kLightCyan));
            if (y > INT16_MAX - 2) {
                break;
            }
        }
    }
}

void WriteGuideTexts(int16_t s, int16_t l)
{
    const ProgramState& state = State();
    Form3& dialog = Guide();
    dialog.SetCaption(state.StepTitle(l, s));
    if (s == 1) {
        dialog.Test2(0).SetCaption(state.StepLine(l, 1, 1));
        dialog.Test2(1).SetCaption(state.StepLine(l, 1, 2));
        dialog.Test2(2).SetCaption(state.StepLine(l, 1, 3));
        dialog.Test2(3).SetCaption(U"");
        dialog.Test2(4).SetCaption(U"");
        dialog.Test2(5).SetCaption(U"");
    } else {
        for (int16_t k = 0; k <= 5; ++k) {
            dialog.Test2(k).SetCaption(state.StepLine(l, s, static_cast<int16_t>(k + 1)));
        }
    }
    if (s == 5 && state.PatternWidth < state.PatternHeight) {
        // On a portrait monitor the grating runs across: step 1's line 4 says so.
        dialog.Test2(0).SetCaption(state.StepLine(l, 1, 4));
    }
}

}  // namespace

void DrawTestPattern(frmTestForm& window)
{
    const ProgramState& state = State();
    const uint64_t call = ++drawCalls;
    const int16_t s = state.StepIndex;
    const int16_t W = arith::ToInt16(state.TargetWidth);
    const int16_t H = arith::ToInt16(state.TargetHeight);

    window.SetForeColor(RGB(255, 255, 255));
    window.SetBackColor(RGB(0, 0, 0));
    window.Image1().ClearPicture();
    window.Cls();

    if (s <= 4) {
        window.SetBackColor(RGB(255, 255, 255));
    }
    if (s == 7 || s == 8) {
        window.SetForeColor(QBColor(kBlack));
        window.SetBackColor(QBColor(kBlack));
        DrawCross(window, W, H);
        toolkit::DoEvents();
        // A step change handled during the yield has drawn its own pattern:
        // drawing on would mix two patterns.
        if (drawCalls == call) {
            DrawCross(window, W, H);
        }
    }
    if (s == 5 || s == 6) {
        DrawGrating(window, W, H);
        toolkit::DoEvents();
        if (drawCalls == call) {
            DrawGrating(window, W, H);
        }
    }
    WriteGuideTexts(State().StepIndex, State().LanguageIndex);
}

}  // namespace quorvane::MODULE11
