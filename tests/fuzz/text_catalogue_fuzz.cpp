// The input is LcdTFile.txt. A run-time error (a short file, invalid text)
// is a sound end; anything else is a finding, and so is a complete read that
// leaves the tables out of shape.
#include <cstddef>
#include <cstdint>

#include "platform/run_time_error.h"
#include "startup/program_state.h"
#include "startup/text_catalogue.h"
#include "tests/fuzz/fuzz_support.h"

using namespace quorvane;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzing::SetUpReaderFuzzing();
    return 0;
}

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
    fuzzing::Require(state.LanguageCount >= 0 && state.LanguageCount <= kLastLanguage, "LanguageCount is 0 to 7");
    fuzzing::Require(state.LanguageIndex >= 1 && state.LanguageIndex <= kLastLanguage, "LanguageIndex is 1 to 7");
    for (int16_t language = 1; language <= kLastLanguage; ++language) {
        for (int16_t step = 1; step <= kLastStep; ++step) {
            fuzzing::Require(state.StepTitle(language, step).size() == kTitleWidth, "titles are 30 characters");
            for (int16_t line = 1; line <= 6; ++line) {
                fuzzing::Require(state.StepLine(language, step, line).size() == kLineWidth, "lines are 70 characters");
            }
        }
    }
    return 0;
}
