#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "guide/form3.h"
#include "pattern/frm_test_form.h"
#include "platform/fake/fake_os.h"
#include "startup/program_state.h"
#include "startup/program_windows.h"
#include "support/scoped_work_dir.h"

namespace quorvane::testing {

// The whole program on Qt's offscreen platform with the fake services: the
// sample text files in a scratch current directory, fresh shared state and
// fresh windows for every test.
class ProgramTest : public ::testing::Test {
protected:
    ProgramTest()
    {
        State() = ProgramState{};
        for (const char* name : {"LcLCFile.txt", "LcdTFile.txt"}) {
            std::filesystem::copy_file(std::filesystem::path(QUORVANE_DATA_DIR) / name, workDir_.Path() / name);
        }
    }

    // What the program does first: load the start-up window, then show it.
    void StartProgram()
    {
        TestForm().Load();
        TestForm().Show();
    }

    // The exit code when `action` ends the program, nothing when it returns.
    static std::optional<int> ExitCodeOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const ProcessEnded& ended) {
            return ended.exitCode;
        }
        return std::nullopt;
    }

    ScopedWorkDir workDir_;
    FakeOs os_;
    ScopedOs scopedOs_{os_};
    ProgramWindows windows_;
};

}  // namespace quorvane::testing
