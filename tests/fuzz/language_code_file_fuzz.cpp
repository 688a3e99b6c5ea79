// The input is LcLCFile.txt, read for a code of the sample file and the empty
// code. A run-time error (a short file, invalid text, a count beyond 16 bits)
// is a sound end; anything else is a finding.
#include "platform/run_time_error.h"
#include "startup/language_code_file.h"
#include "tests/fuzz/fuzz_support.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzzing::InputFile file("LcLCFile.txt", data, size);
    for (const Text& code : {Text(U"DEU"), Text()}) {
        ProgramState state;
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
