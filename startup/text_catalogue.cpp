#include "startup/text_catalogue.h"

#include "platform/os_services.h"
#include "startup/name_pattern.h"

namespace quorvane {

namespace {

constexpr int kUnusedLinesAfterName = 4;
constexpr int16_t kButtonItems = 4;
constexpr int16_t kStepLines = 6;

void Skip(TextLines& file, int lines)
{
    for (int i = 0; i < lines; ++i) {
        file.ReadLine(0);
    }
}

}  // namespace

void ReadTextCatalogue(ProgramState& state, const Text& languageNamePattern, const LanguageCaptionWriter& writeCaption)
{
    const auto file = Os().OpenTextFile("LcdTFile.txt");
    for (int16_t language = 1; language <= kLastLanguage; ++language) {
        Skip(*file, 1);
        const Text name = file->ReadLine();
        writeCaption(language, name);
        if (!name.empty()) {
            state.LanguageCount = language;
            if (MatchesNamePattern(name, languageNamePattern)) {
                state.LanguageIndex = language;
            }
        }
        Skip(*file, kUnusedLinesAfterName);
        for (int16_t item = 1; item <= kButtonItems; ++item) {
            state.SetButtonText(language, item, file->ReadLine());
        }
        for (int16_t step = 1; step <= kLastStep; ++step) {
            Skip(*file, 1);
            state.SetStepTitle(language, step, file->ReadLine(kTitleWidth));
            for (int16_t line = 1; line <= kStepLines; ++line) {
                state.SetStepLine(language, step, line, file->ReadLine(kLineWidth));
            }
        }
    }
}

}  // namespace quorvane
