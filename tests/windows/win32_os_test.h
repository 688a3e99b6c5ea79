#pragma once

#include <gtest/gtest.h>

#include "platform/win32/win32_os.h"

namespace quorvane::windows_tests {

// Runs each test against the real system functions.
class Win32OsTest : public ::testing::Test {
protected:
    Win32Os os_;
    ScopedOs scoped_{os_};
};

}  // namespace quorvane::windows_tests
