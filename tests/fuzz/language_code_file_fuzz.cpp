// The input is LcLCFile.txt, read for a code that the sample file holds and
// for the empty code. A run-time error (a short file, invalid text, too many
// lines for the 16-bit count) is a sound end; anything else is a finding.
#include <cstddef>
#include <cstdint>

#include "platform/run_time_error.h"
#include "startup/language_code_file.h"
#include "startup/program_state.h"
#include "tests/fuzz/fuzz_support.h"

using namespace quorvane;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzing::SetUpReaderFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzzing::InputFile file("LcLCFile.txt", data, size);
    static ProgramState state;
    for (const Text& code : {Text(U"DEU"), Text()}) {
        state.LanguageIndex = 1;
        try {
            ReadLanguageCodeFile(state, code);
        } catch (const RunTimeError&) {
            continue;
        }
        fuzzing::Require(state.LanguageIndex >= 1 && state.LanguageIndex <= kLastLanguage,
                         "the starting language is one of the seven");
    }
    return 0;
}
