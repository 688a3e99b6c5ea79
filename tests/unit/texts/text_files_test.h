#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/fake/fake_os.h"
#include "platform/run_time_error.h"
#include "support/error_number.h"
#include "support/scoped_work_dir.h"
#include "startup/program_state.h"

namespace quorvane::testing {

// Runs each test in a fresh temporary directory as the current directory,
// where the text files are looked for, with the fake services installed.
class TextFilesTest : public ::testing::Test {
protected:
    TextFilesTest() { state_.LanguageIndex = 1; }

    static void WriteLines(const std::string& name, const std::vector<std::string>& lines,
                           const std::string& lineEnd = "\r\n", bool endLastLine = true)
    {
        testing::WriteLines(name, lines, lineEnd, endLastLine);
    }

    ScopedWorkDir workDir_;
    FakeOs os_;
    ScopedOs scopedOs_{os_};
    ProgramState state_;
};

}  // namespace quorvane::testing
