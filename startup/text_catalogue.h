#pragma once

#include <cstdint>
#include <functional>

#include "platform/text.h"
#include "startup/program_state.h"

namespace quorvane {

// Called with each language's name, right after it is read (also when empty).
using LanguageCaptionWriter = std::function<void(int16_t language, const Text& name)>;

// Reads the seven language blocks of LcdTFile.txt in the current directory
// into the text tables, sets LanguageCount and, where a name matches the
// pattern, LanguageIndex.
void ReadTextCatalogue(ProgramState& state, const Text& languageNamePattern, const LanguageCaptionWriter& writeCaption);

}  // namespace quorvane
