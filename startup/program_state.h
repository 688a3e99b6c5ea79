#pragma once

#include <array>
#include <cstdint>

#include "platform/text.h"

namespace quorvane {

constexpr int kTitleWidth = 30;
constexpr int kLineWidth = 70;
constexpr int16_t kLastLanguage = 7;
constexpr int16_t kLastStep = 8;

// The program state shared by both windows for the whole run.
struct ProgramState {
    // The target monitor, in virtual-desktop pixels.
    int32_t TargetMonitor = 0;
    int32_t TargetLeft = 0;
    int32_t TargetTop = 0;
    int32_t TargetRight = 0;
    int32_t TargetBottom = 0;
    int32_t TargetWidth = 0;
    int32_t TargetHeight = 0;
    int16_t PatternWidth = 0;
    int16_t PatternHeight = 0;

    int16_t LanguageIndex = 0;
    int16_t StepIndex = 0;
    int16_t LanguageCount = 0;

    // Button texts 1 to 4 by language 0 to 7; item 0 and language 0 stay empty.
    const Text& ButtonText(int16_t language, int16_t item) const;
    void SetButtonText(int16_t language, int16_t item, const Text& text);

    // Titles are 30 and lines 70 characters, cut or padded with blanks when
    // stored; a slot never stored holds zero characters.
    const Text& StepTitle(int16_t language, int16_t step) const;
    const Text& StepLine(int16_t language, int16_t step, int16_t line) const;
    void SetStepTitle(int16_t language, int16_t step, const Text& text);
    void SetStepLine(int16_t language, int16_t step, int16_t line, const Text& text);

private:
    struct StepText {
        Text title = Text(kTitleWidth, U'\0');
        std::array<Text, 6> lines = {Text(kLineWidth, U'\0'), Text(kLineWidth, U'\0'), Text(kLineWidth, U'\0'),
                                     Text(kLineWidth, U'\0'), Text(kLineWidth, U'\0'), Text(kLineWidth, U'\0')};
    };
    std::array<std::array<Text, 5>, kLastLanguage + 1> buttonTexts_;
    std::array<std::array<StepText, kLastStep + 1>, kLastLanguage + 1> stepTexts_;
};

// The one instance of this run.
ProgramState& State();

}  // namespace quorvane
