#include "guide/form3.h"
#include "startup/program_state.h"

namespace quorvane {

void Form3::Option2_Click(int16_t Index)
{
    ProgramState& state = State();
    state.LanguageIndex = Index;
    for (int16_t i = 0; i <= 2; ++i) {
        auto_mode_key(i).SetCaption(state.ButtonText(state.LanguageIndex, static_cast<int16_t>(i + 1)));
    }
    SetCaption(state.StepTitle(state.LanguageIndex, state.StepIndex));
    Test2(0).SetCaption(state.StepLine(state.LanguageIndex, state.StepIndex, 1));
    Test2(1).SetCaption(U"");
    Test2(2).SetCaption(state.StepLine(state.LanguageIndex, state.StepIndex, 3));
    Test2(3).SetCaption(U"");
    Test2(4).SetCaption(U"");
    Test2(5).SetCaption(U"");
}

void Form3::Option2_KeyPress(int16_t, int16_t& KeyAscii) { StepKeys(KeyAscii); }

}  // namespace quorvane
