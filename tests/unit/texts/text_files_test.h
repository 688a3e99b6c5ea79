#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/fake/fake_os.h"
#include "platform/run_time_error.h"
#include "startup/program_state.h"

namespace quorvane::testing {

// Runs each test in a fresh temporary directory as the current directory,
// where the text files are looked for, with the fake services installed.
class TextFilesTest : public ::testing::Test {
protected:
    TextFilesTest() : previousDirectory_(std::filesystem::current_path())
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quorvane-texts-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary directory");
        }
        directory_ = pattern;
        std::filesystem::current_path(directory_);
        state_.LanguageIndex = 1;
    }

    ~TextFilesTest() override
    {
        std::filesystem::current_path(previousDirectory_);
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }

    // Writes the lines as UTF-8, each followed by lineEnd except perhaps the last.
    static void WriteLines(const std::string& name, const std::vector<std::string>& lines,
                           const std::string& lineEnd = "\r\n", bool endLastLine = true)
    {
        std::ofstream file(name, std::ios::binary);
        for (size_t i = 0; i < lines.size(); ++i) {
            file << lines[i];
            if (i + 1 < lines.size() || endLastLine) {
                file << lineEnd;
            }
        }
    }

    FakeOs os_;
    ScopedOs scopedOs_{os_};
    ProgramState state_;

private:
    std::filesystem::path previousDirectory_;
    std::filesystem::path directory_;
};

// The number of the run-time error that `action` raises, 0 when none.
template <typename Action>
int32_t ErrorNumberOf(Action&& action)
{
    try {
        action();
    } catch (const RunTimeError& error) {
        return error.Number();
    }
    return 0;
}

}  // namespace quorvane::testing
