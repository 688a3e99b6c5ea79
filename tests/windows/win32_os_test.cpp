#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "monitors/cls_monitors.h"
#include "platform/monitor_layout.h"
#include "platform/win32/win32_os.h"
#include "support/error_number.h"

// Last: the system header's macros carry the names of the program's own constants.
#include <windows.h>

namespace quorvane {
namespace {

using testing::ErrorNumberOf;

// Against the real system functions; files in the temporary folder.
struct Win32OsTest : ::testing::Test {
    std::vector<Text> LinesOf(const std::string& bytes)
    {
        const auto path = std::filesystem::temp_directory_path() / "quorvane-lines.txt";
        std::ofstream(path, std::ios::binary) << bytes;
        const auto file = os.OpenTextFile(path.string());
        std::vector<Text> lines{file->ReadLine(5)};
        while (!file->AtEnd()) {
            lines.push_back(file->ReadLine());
        }
        return lines;
    }

    Win32Os os;
    ScopedOs scoped{os};
};

// A Windows-1252 file is read in the ANSI code page even where a line happens
// to be valid UTF-8: the whole file decides. A file of UTF-8 lines is UTF-8.
TEST_F(Win32OsTest, TextIsUtf8OnlyWhenTheWholeFileIs)
{
    ASSERT_EQ(GetACP(), 1252u) << "Wine's ANSI code page follows the Unix locale; run under LC_ALL=C.UTF-8";
    EXPECT_EQ(LinesOf("\xC3\xA9tape 2/8\r\n\xC3\xA9\r\nFran\xE7" "ais\r\n\x80 \x9C \xFF"),
              (std::vector<Text>{U"Ã©tap", U"Ã©", U"Français", U"€ œ ÿ"}));
    EXPECT_EQ(LinesOf("\xC3\xA9tape 2/8\r\n\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\r\nFran\xC3\xA7" "ais"),
              (std::vector<Text>{U"étape", U"日本語", U"Français"}));
}

TEST(SystemFunctions, AreBoundByLibraryAndNameAndAMissingOneIsError453)
{
    EXPECT_NE(SystemFunctionAddress("kernel32", "GetProfileStringA"), nullptr);
    EXPECT_EQ(ErrorNumberOf([] { SystemFunctionAddress("user32", "MonitorFromRectangle"); }), kFunctionMissing);
    // Exact names, each in its library: GetMonitorInfo has an A or W suffix.
    EXPECT_EQ(ErrorNumberOf([] { SystemFunctionAddress("user32", "GetMonitorInfo"); }), kFunctionMissing);
    EXPECT_EQ(ErrorNumberOf([] { SystemFunctionAddress("user32", "GetProfileStringA"); }), kFunctionMissing);
}

// scripts/windows-tests gives Wine a primary 1024 x 768 at (0, 0), 1280 x 1024 to its
// right. Points at negative coordinates, in the gap and far away: the fake's answers.
TEST_F(Win32OsTest, PointQueriesAnswerAsTheFakeDoes)
{
    clsMonitors list;
    ASSERT_EQ(list.Monitors().Count(), 2);
    const int32_t primary = list.Monitors().Item(1)->Handle();
    const int32_t second = list.Monitors().Item(2)->Handle();
    const std::vector<MonitorDesc> fake{{primary, {0, 0, 1024, 768}, {0, 0, 1024, 768}, true},
                                        {second, {1024, 0, 2304, 1024}, {1024, 0, 2304, 1024}, false}};
    const int32_t points[][2]
        = {{1023, 767}, {1024, 0}, {500, 900}, {-10, 100}, {-3000, -5}, {2400, -2000}, {5000, 5000}};
    for (const auto& [x, y] : points) {
        for (int32_t flags : {MONITOR_DEFAULTTONULL, MONITOR_DEFAULTTOPRIMARY, MONITOR_DEFAULTTONEAREST}) {
            EXPECT_EQ(list.GetMonitorFromXYPoint(x, y, flags), MonitorFromRectIn(fake, {x, y, x + 1, y + 1}, flags))
                << x << ", " << y << ", flags " << flags;
        }
    }
    EXPECT_NE(primary, second);
}

}  // namespace
}  // namespace quorvane
