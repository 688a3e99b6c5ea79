#pragma once

#include <filesystem>
#include <string>

namespace quorvane::e2e {

// Language numbers: the order of the blocks of the text catalogue.
enum class Language { Japanese = 1, English = 2, Deutsch = 3 };

// The title of a step as the dialog shows it: the step's title line in the
// language's block of the sample catalogue, cut or padded with blanks to
// exactly 30 characters, as UTF-8.
std::string StepTitle(Language language, int step);

// Copies the sample data folder's files into `folder`.
void CopySampleData(const std::filesystem::path& folder);

// Cuts a text file after its first `count` lines, line ends kept.
void KeepFirstLines(const std::filesystem::path& file, int count);

}  // namespace quorvane::e2e
