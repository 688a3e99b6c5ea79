#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/text.h"
#include "platform/utf8_text.h"
#include "support/scoped_work_dir.h"

namespace quorvane::testing {

// The text catalogue is seven blocks of 74 lines: a heading, the language's
// name, four unused lines, the four button texts, then per step a comment
// line, the title and six instruction lines.
constexpr int kCatalogueBlockLines = 74;

// Zero-based line numbers inside a block (language 1 to 7, step 1 to 8, k 1 to 6).
inline size_t NameLine(int language) { return static_cast<size_t>((language - 1) * kCatalogueBlockLines + 1); }
inline size_t ButtonLine(int language, int item)
{
    return static_cast<size_t>((language - 1) * kCatalogueBlockLines + 5 + item);
}
inline size_t TitleLine(int language, int step)
{
    return static_cast<size_t>((language - 1) * kCatalogueBlockLines + 10 + (step - 1) * 8 + 1);
}
inline size_t InstructionLine(int language, int step, int k) { return TitleLine(language, step) + static_cast<size_t>(k); }

// The lines of a sample text file, without their line ends.
inline std::vector<std::string> SampleLines(const std::string& name)
{
    std::ifstream file(std::filesystem::path(QUORVANE_DATA_DIR) / name, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// Replaces the text catalogue in the current directory.
inline void WriteCatalogue(const std::vector<std::string>& lines) { WriteLines("LcdTFile.txt", lines); }

inline Text ToText(const std::string& utf8) { return DecodeUtf8(utf8, "a test text"); }

// A catalogue text as the dialog shows it: cut or padded with blanks to its slot.
inline Text Padded(const std::string& utf8, size_t width)
{
    Text text = ToText(utf8).substr(0, width);
    text.resize(width, U' ');
    return text;
}

}  // namespace quorvane::testing
