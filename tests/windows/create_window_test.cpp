#include <gtest/gtest.h>

#include <regex>

#include "platform/run_time_error.h"
#include "platform/win32/create_window.h"

namespace quorvane {
namespace {

// The message names the window and gives the system's number and text.
TEST(CreateWindowOrFail, AWindowTheSystemCannotMakeIsError7WithTheSystemsReason)
{
    try {
        CreateWindowOrFail("a window of no class", 0, L"QuorvaneNoSuchClass", WS_POPUP, 10, 10, nullptr);
        FAIL() << "the window was made";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.Number(), kOutOfMemory);
        EXPECT_TRUE(std::regex_match(error.what(), std::regex("Run-time error '7': Out of memory \\(a window of no "
                                                              "class could not be made: system error \\d+: .+\\)")))
            << error.what();
    }
}

}  // namespace
}  // namespace quorvane
