#include "startup/program_state.h"

#include <string>

#include "platform/run_time_error.h"

namespace quorvane {

namespace {

size_t Checked(int16_t index, int16_t last, const char* table)
{
    if (index < 0 || index > last) {
        throw RunTimeError(kSubscriptOutOfRange, std::string(table) + " index " + std::to_string(index));
    }
    return static_cast<size_t>(index);
}

Text FixedWidth(const Text& text, size_t width)
{
    Text fixed = text.substr(0, width);
    fixed.resize(width, U' ');
    return fixed;
}

}  // namespace

const Text& ProgramState::ButtonText(int16_t language, int16_t item) const
{
    return buttonTexts_[Checked(language, kLastLanguage, "ButtonTexts language")][Checked(item, 4, "ButtonTexts item")];
}

void ProgramState::SetButtonText(int16_t language, int16_t item, const Text& text)
{
    buttonTexts_[Checked(language, kLastLanguage, "ButtonTexts language")][Checked(item, 4, "ButtonTexts item")] = text;
}

const Text& ProgramState::StepTitle(int16_t language, int16_t step) const
{
    return stepTexts_[Checked(language, kLastLanguage, "StepTexts language")][Checked(step, kLastStep, "StepTexts step")]
        .title;
}

const Text& ProgramState::StepLine(int16_t language, int16_t step, int16_t line) const
{
    return stepTexts_[Checked(language, kLastLanguage, "StepTexts language")][Checked(step, kLastStep, "StepTexts step")]
        .lines[Checked(static_cast<int16_t>(line - 1), 5, "StepTexts line")];
}

void ProgramState::SetStepTitle(int16_t language, int16_t step, const Text& text)
{
    stepTexts_[Checked(language, kLastLanguage, "StepTexts language")][Checked(step, kLastStep, "StepTexts step")]
        .title = FixedWidth(text, kTitleWidth);
}

void ProgramState::SetStepLine(int16_t language, int16_t step, int16_t line, const Text& text)
{
    stepTexts_[Checked(language, kLastLanguage, "StepTexts language")][Checked(step, kLastStep, "StepTexts step")]
        .lines[Checked(static_cast<int16_t>(line - 1), 5, "StepTexts line")] = FixedWidth(text, kLineWidth);
}

ProgramState& State()
{
    static ProgramState state;
    return state;
}

}  // namespace quorvane
