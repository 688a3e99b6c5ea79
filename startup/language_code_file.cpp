#include "startup/language_code_file.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/checked_arith.h"
#include "platform/os_services.h"
#include "platform/run_time_error.h"

namespace quorvane {

namespace {

// Upper- and lower-case letters of ASCII and Latin-1 compare equal; the
// abbreviations in use are ASCII, the rest is for hand-written files.
char32_t FoldCase(char32_t c)
{
    const bool asciiUpper = c >= U'A' && c <= U'Z';
    const bool latin1Upper = c >= 0xC0 && c <= 0xDE && c != 0xD7;
    return asciiUpper || latin1Upper ? c + 0x20 : c;
}

bool EqualIgnoringCase(std::u32string_view a, std::u32string_view b)
{
    return std::ranges::equal(a, b, [](char32_t x, char32_t y) { return FoldCase(x) == FoldCase(y); });
}

// The text before an entry's first "=", when the line has one.
bool EntryMatches(const Text& line, const Text& languageCode)
{
    const size_t equals = line.find(U'=');
    return equals != Text::npos && EqualIgnoringCase(std::u32string_view(line).substr(0, equals), languageCode);
}

// Cut in place: a line may be megabytes long.
Text ValuePart(Text line)
{
    const size_t equals = line.find(U'=');
    if (equals != Text::npos) {
        line.erase(0, equals + 1);
    }
    return line;
}

}  // namespace

Text ReadLanguageCode()
{
    // The profile call writes at most 19 characters and the terminating zero.
    char buffer[21] = {};
    const int16_t copied = arith::ToInt16(Os().GetProfileStringA("intl", "sLanguage", "", buffer, 20));
    if (copied < 0) {
        throw RunTimeError(kInvalidCall, "the profile returned a negative length for intl/sLanguage");
    }
    const size_t length = std::min(static_cast<size_t>(copied), sizeof buffer);
    return Os().DecodeSystemText(std::string_view(buffer, length), "the profile value intl/sLanguage");
}

Text ReadLanguageCodeFile(ProgramState& state, const Text& languageCode)
{
    Text lastLine;
    {
        const auto file = Os().OpenTextFile("LcLCFile.txt");
        file->ReadLine(0);  // a heading, not an entry
        for (;;) {
            lastLine = file->ReadLine();
            if (EntryMatches(lastLine, languageCode)) {
                break;
            }
            state.LanguageIndex = arith::Add(state.LanguageIndex, int16_t{1});
            if (file->AtEnd()) {
                break;
            }
        }
    }  // closed before the text catalogue is opened

    if (state.LanguageIndex > kLastLanguage) {
        state.LanguageIndex = 1;
    }
    return ValuePart(std::move(lastLine));
}

}  // namespace quorvane
