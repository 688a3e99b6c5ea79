#include "guide/form3.h"
#include "pattern/frm_test_form.h"
#include "pattern/module11.h"
#include "platform/checked_arith.h"
#include "platform/toolkit/program.h"
#include "startup/program_state.h"
#include "startup/program_windows.h"

namespace quorvane {

namespace {

constexpr int16_t kBack = 0;
constexpr int16_t kNext = 1;
constexpr int16_t kExit = 2;

bool IsBackKey(int16_t key) { return key == 66 || key == 98; }  // B, b
bool IsNextKey(int16_t key) { return key == 78 || key == 110; }  // N, n
constexpr int16_t kEscape = 27;

}  // namespace

void Form3::auto_mode_key_Click(int16_t Index)
{
    ProgramState& state = State();
    switch (Index) {
    case kBack:
        if (state.StepIndex == 2) {
            Option2(state.LanguageIndex).Select();
        }
        // No lower bound: Back is disabled on step 1.
        StepBack();
        break;
    case kNext:
        if (state.StepIndex < 8) {
            StepForward();
        } else {
            MODULE11::DrawTestPattern(TestForm());
        }
        break;
    case kExit:
        ExitProgram();
    default:
        break;
    }
    UpdatePanel();
}

void Form3::auto_mode_key_KeyPress(int16_t, int16_t& KeyAscii) { StepKeys(KeyAscii); }

// The step keys, on a step button or a language button. A key that cannot
// move the step causes no redraw.
void Form3::StepKeys(int16_t KeyAscii)
{
    ProgramState& state = State();
    if (IsBackKey(KeyAscii) && state.StepIndex > 1) {
        StepBack();
    }
    if (IsNextKey(KeyAscii) && state.StepIndex < 8) {
        StepForward();
    }
    if (KeyAscii == kEscape) {
        ExitProgram();
    }
    UpdatePanel();
    if (state.StepIndex == 1) {
        Option2(state.LanguageIndex).Select();
    }
}

void Form3::StepBack()
{
    ProgramState& state = State();
    if (state.StepIndex == 2) {
        auto_mode_key(kBack).SetEnabled(false);
    }
    if (state.StepIndex == 8) {
        auto_mode_key(kNext).SetEnabled(true);
        auto_mode_key(kExit).SetCaption(state.ButtonText(state.LanguageIndex, 3));
    }
    state.StepIndex = arith::Sub(state.StepIndex, int16_t{1});
    MODULE11::DrawTestPattern(TestForm());
}

void Form3::StepForward()
{
    ProgramState& state = State();
    if (state.StepIndex == 1) {
        auto_mode_key(kBack).SetEnabled(true);
    }
    if (state.StepIndex == 7) {
        auto_mode_key(kNext).SetEnabled(false);
        auto_mode_key(kExit).SetCaption(state.ButtonText(state.LanguageIndex, 4));
    }
    state.StepIndex = arith::Add(state.StepIndex, int16_t{1});
    MODULE11::DrawTestPattern(TestForm());
}

void Form3::UpdatePanel()
{
    if (State().StepIndex == 1) {
        ShowLanguagePanel();
    } else {
        HideLanguagePanel();
    }
}

void Form3::ShowLanguagePanel()
{
    Frame1().SetVisible(true);
    for (int16_t i = 1; i <= State().LanguageCount; ++i) {
        Option2(i).SetVisible(true);
    }
}

void Form3::HideLanguagePanel()
{
    Frame1().SetVisible(false);
    for (int16_t i = 1; i <= 7; ++i) {
        Option2(i).SetVisible(false);
    }
}

void Form3::ExitProgram()
{
    Unload();
    TestForm().Unload();
    toolkit::End();
}

}  // namespace quorvane
