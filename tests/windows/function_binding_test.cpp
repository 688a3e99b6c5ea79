#include <gtest/gtest.h>

#include "platform/win32/win32_os.h"
#include "support/error_number.h"

namespace quorvane::windows_tests {
namespace {

TEST(SystemFunctions, AreBoundByLibraryAndNameAndAMissingOneIsError453)
{
    EXPECT_NE(SystemFunctionAddress("user32", "MonitorFromRect"), nullptr);
    EXPECT_NE(SystemFunctionAddress("kernel32", "GetProfileStringA"), nullptr);

    using testing::ErrorNumberOf;
    EXPECT_EQ(ErrorNumberOf([] { SystemFunctionAddress("user32", "MonitorFromRectangle"); }), kFunctionMissing);
    // Names are exact: the text form of GetMonitorInfo exists only with its A or W suffix.
    EXPECT_EQ(ErrorNumberOf([] { SystemFunctionAddress("user32", "GetMonitorInfo"); }), kFunctionMissing);
    // In its library only: GetProfileStringA lives in kernel32, not in user32.
    EXPECT_EQ(ErrorNumberOf([] { SystemFunctionAddress("user32", "GetProfileStringA"); }), kFunctionMissing);
}

}  // namespace
}  // namespace quorvane::windows_tests
