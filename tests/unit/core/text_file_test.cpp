#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/fake/fake_os.h"
#include "platform/utf8_text.h"
#include "support/error_number.h"
#include "support/scoped_work_dir.h"

namespace quorvane {
namespace {

using testing::ErrorNumberOf;

// Only the shortest form of a scalar value is text; every byte is checked,
// also beyond the characters kept.
TEST(Utf8Text, DecodesShortestFormsOfScalarValuesOnly)
{
    const std::pair<std::string, std::optional<Text>> cases[] = {
        {"a\xC2\xA9", U"a\u00A9"}, {"\xDF\xBF", U"\u07FF"}, {"\xE0\xA0\x80", U"\u0800"}, {"\xED\x9F\xBF", U"\uD7FF"},
        {"\xEE\x80\x80", U"\uE000"}, {"\xF0\x90\x80\x80", U"\U00010000"}, {"\xF4\x8F\xBF\xBF", U"\U0010FFFF"},
        {"\xC1\xBF", std::nullopt}, {"\xE0\x9F\xBF", std::nullopt}, {"\xF0\x8F\xBF\xBF", std::nullopt},
        {"\xED\xA0\x80", std::nullopt}, {"\xED\xBF\xBF", std::nullopt}, {"\xF4\x90\x80\x80", std::nullopt},
        {"\xF5\x80\x80\x80", std::nullopt}, {"\x80", std::nullopt}, {"\xE6\x97", std::nullopt}, {"\xC3(", std::nullopt},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(TryDecodeUtf8(bytes), text) << ::testing::PrintToString(bytes);
    }
    EXPECT_EQ(TryDecodeUtf8("Fran\xC3\xA7" "ais", 5), U"Fran\u00E7");
    EXPECT_EQ(TryDecodeUtf8("ok\xFF", 1), std::nullopt);
}

class TextFileTest : public ::testing::Test {
protected:
    std::unique_ptr<TextLines> Open(const std::string& bytes)
    {
        std::ofstream("lines.txt", std::ios::binary) << bytes;
        return os_.OpenTextFile("lines.txt");
    }

    testing::ScopedWorkDir workDir_;
    FakeOs os_;
};

// Lines end at CR LF or LF; a line cut short by `keep` is still checked whole.
TEST_F(TextFileTest, SplitsLinesKeepsTheirStartAndReportsReadingPastTheEnd)
{
    const auto file = Open("English\r\n\xF0\x9F\x98\x80x\n\r\na\rb\r\r\nok\xFF\r\n\xE6\x97\xA5\xE6\x9C\xAC");
    EXPECT_EQ(file->ReadLine(3), U"Eng");
    EXPECT_EQ(file->ReadLine(1), U"\U0001F600");
    EXPECT_EQ(file->ReadLine(), U"");
    EXPECT_EQ(file->ReadLine(70), U"a\rb\r");
    EXPECT_EQ(ErrorNumberOf([&] { file->ReadLine(0); }), kInvalidCall);
    EXPECT_FALSE(file->AtEnd());
    EXPECT_EQ(file->ReadLine(), U"\u65E5\u672C");
    EXPECT_TRUE(file->AtEnd());
    EXPECT_EQ(ErrorNumberOf([&] { file->ReadLine(); }), kInputPastEnd);
    EXPECT_TRUE(Open("")->AtEnd());
}

// Neither waits for a writer that never comes nor takes a failing read for
// the end of the file.
TEST_F(TextFileTest, RefusesWhatIsNoReadableFile)
{
    EXPECT_EQ(ErrorNumberOf([&] { os_.OpenTextFile("absent.txt"); }), kFileNotFound);
    ASSERT_EQ(ErrorNumberOf([&] { os_.OpenTextFile(workDir_.Path().string()); }), kPathFileAccess);
    ASSERT_EQ(::mkfifo("pipe.txt", 0600), 0);
    EXPECT_EQ(ErrorNumberOf([&] { os_.OpenTextFile("pipe.txt"); }), kPathFileAccess);
    // Reading this process's memory from offset 0 fails, for root too.
    std::filesystem::create_symlink("/proc/self/mem", "failing.txt");
    const auto file = os_.OpenTextFile("failing.txt");
    EXPECT_EQ(ErrorNumberOf([&] { file->AtEnd(); }), kPathFileAccess);
    EXPECT_EQ(ErrorNumberOf([&] { file->ReadLine(); }), kPathFileAccess);
}

}  // namespace
}  // namespace quorvane
