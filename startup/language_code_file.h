#pragma once

#include "platform/text.h"
#include "startup/program_state.h"

namespace quorvane {

// The user's language abbreviation from the profile (at most 19 characters).
Text ReadLanguageCode();

// Looks the language code up in LcLCFile.txt in the current directory: counts
// state.LanguageIndex up from its current value to the matching entry (1 when
// beyond 7) and returns LanguageNamePattern, the value part of the last line read.
Text ReadLanguageCodeFile(ProgramState& state, const Text& languageCode);

}  // namespace quorvane
