// The input is LcdTFile.txt. A run-time error is a sound end; anything else
// is a finding, and so is a complete read that leaves the tables out of shape.
#include "platform/run_time_error.h"
#include "startup/text_catalogue.h"
#include "tests/fuzz/fuzz_support.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzzing::InputFile file("LcdTFile.txt", data, size);
    static ProgramState state;
    state.LanguageIndex = 1;
    state.LanguageCount = 0;
    int16_t captions = 0;
    try {
        ReadTextCatalogue(state, U"[A-Z]*[!#]", [&](int16_t language, const Text&) {
            fuzzing::Require(language == ++captions, "the captions come in language order");
        });
    } catch (const RunTimeError&) {
        return 0;
    }
    fuzzing::Require(captions == kLastLanguage, "every language gets its caption");
    fuzzing::Require(state.LanguageCount >= 0 && state.LanguageCount <= kLastLanguage && state.LanguageIndex >= 1 &&
                         state.LanguageIndex <= kLastLanguage,
                     "LanguageCount is 0 to 7, LanguageIndex 1 to 7");
    for (int i = 0; i < kLastLanguage * kLastStep; ++i) {
        const auto language = static_cast<int16_t>(1 + i / kLastStep), step = static_cast<int16_t>(1 + i % kLastStep);
        fuzzing::Require(state.StepTitle(language, step).size() == kTitleWidth
                && state.StepLine(language, step, 6).size() == kLineWidth,
            "titles are 30 characters, lines 70");
    }
    return 0;
}
