#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/error_number.h"
#include "support/scoped_work_dir.h"
#include "platform/fake/fake_os.h"

namespace quorvane {
namespace {

using testing::ErrorNumberOf;
using testing::ScopedWorkDir;

// A scratch folder of its own for each test, removed afterwards.
class TextFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes)
    {
        const auto path = workDir_.Path() / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    // Every line of the file, read as the program reads it.
    std::vector<Text> LinesOf(const std::string& bytes)
    {
        auto file = os_.OpenTextFile(Write("lines.txt", bytes));
        std::vector<Text> lines;
        while (!file->AtEnd()) {
            lines.push_back(file->ReadLine());
        }
        return lines;
    }

    ScopedWorkDir workDir_;
    FakeOs os_;
};

TEST_F(TextFileTest, SplitsLinesAtCrLfOrLf)
{
    EXPECT_EQ(LinesOf("ENU\r\nDEU\r\n"), (std::vector<Text>{U"ENU", U"DEU"}));
    EXPECT_EQ(LinesOf("ENU\nDEU\n"), (std::vector<Text>{U"ENU", U"DEU"}));
    EXPECT_EQ(LinesOf("ENU\r\nDEU"), (std::vector<Text>{U"ENU", U"DEU"}));  // no final line end
    EXPECT_EQ(LinesOf("ENU\r\n\r\n\nDEU\r\n"), (std::vector<Text>{U"ENU", U"", U"", U"DEU"}));
    EXPECT_EQ(LinesOf("\r\n"), (std::vector<Text>{U""}));
    EXPECT_EQ(LinesOf(""), (std::vector<Text>{}));
    EXPECT_EQ(LinesOf("Fran\xC3\xA7" "ais\r\n\xE6\x97\xA5\xE6\x9C\xAC\r\n"), (std::vector<Text>{U"Fran\u00E7ais", U"\u65E5\u672C"}));
}

TEST_F(TextFileTest, ReadsAVeryLongLine)
{
    const std::string line(10 * 1024 * 1024, 'x');
    const auto lines = LinesOf(line + "\r\nend\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), line.size());
    EXPECT_EQ(lines[1], U"end");
}

TEST_F(TextFileTest, ReportsMissingFoldersReadingPastTheEndAndBadText)
{
    EXPECT_EQ(ErrorNumberOf([&] { os_.OpenTextFile((workDir_.Path() / "absent.txt").string()); }), kFileNotFound);
    EXPECT_EQ(ErrorNumberOf([&] { os_.OpenTextFile(workDir_.Path().string()); }), kPathFileAccess);

    auto file = os_.OpenTextFile(Write("short.txt", "one\r\n"));
    EXPECT_EQ(file->ReadLine(), U"one");
    EXPECT_TRUE(file->AtEnd());
    EXPECT_EQ(ErrorNumberOf([&] { file->ReadLine(); }), kInputPastEnd);

    const std::string path = Write("bad.txt", "good\r\nba\xFF" "d\r\n");
    auto bad = os_.OpenTextFile(path);
    EXPECT_EQ(bad->ReadLine(), U"good");
    try {
        bad->ReadLine();
        ADD_FAILURE() << "invalid UTF-8 was accepted";
    } catch (const RunTimeError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(path), std::string::npos) << message;
        EXPECT_NE(message.find("line 2"), std::string::npos) << message;
    }
}

// Lines that are ignored or stored cut come back short; every byte of them
// is checked all the same.
TEST_F(TextFileTest, KeepsTheStartOfALineAndChecksAllOfIt)
{
    auto file = os_.OpenTextFile(
        Write("keep.txt", "English\r\nFran\xC3\xA7" "ais\r\n\xF0\x9F\x98\x80x\r\nok\r\nok\xFF\r\n"));
    EXPECT_EQ(file->ReadLine(3), U"Eng");
    EXPECT_EQ(file->ReadLine(5), U"Fran\u00E7");
    EXPECT_EQ(file->ReadLine(1), U"\U0001F600");
    EXPECT_EQ(file->ReadLine(70), U"ok");
    EXPECT_EQ(ErrorNumberOf([&] { file->ReadLine(0); }), kInvalidCall);
}

// Neither waits for a writer that never comes nor takes a failing read for
// the end of the file.
TEST_F(TextFileTest, RefusesPipesAndReportsFailingReads)
{
    const auto pipe = workDir_.Path() / "pipe.txt";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(ErrorNumberOf([&] { os_.OpenTextFile(pipe.string()); }), kPathFileAccess);

    // Reading this process's memory from offset 0 fails, for root too.
    const auto failing = workDir_.Path() / "failing.txt";
    std::filesystem::create_symlink("/proc/self/mem", failing);
    auto file = os_.OpenTextFile(failing.string());
    EXPECT_EQ(ErrorNumberOf([&] { file->AtEnd(); }), kPathFileAccess);
    EXPECT_EQ(ErrorNumberOf([&] { file->ReadLine(); }), kPathFileAccess);
}

}  // namespace
}  // namespace quorvane
