#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "scratch_folder.h"
#include "startup/language_code_file.h"
#include "startup/text_catalogue.h"
#include "win32_os_test.h"

// Last: the system header's macros carry the names of the program's own constants.
#include <windows.h>

namespace quorvane::windows_tests {
namespace {

// A catalogue in Windows-1252: seven blocks of 74 lines, the fourth named
// "Français" with the step-1 title "Étape 1/8". The step-2 titles happen
// to be valid UTF-8 as well.
std::string Windows1252Catalogue()
{
    const std::vector<std::string> names = {"Nihongo", "English", "Deutsch", "Fran\xE7" "ais",
                                            "Espa\xF1" "ol", "Italiano", "Svenska"};
    std::string text;
    const auto line = [&](const std::string& content) { text += content + "\r\n"; };
    for (const std::string& name : names) {
        line("heading");
        line(name);
        for (int i = 0; i < 4; ++i) {
            line("unused");
        }
        for (const char* button : {"<", ">", "x", "ok"}) {
            line(button);
        }
        for (int step = 1; step <= 8; ++step) {
            line("comment");
            line(step == 1 && name == names[3] ? "\xC9tape 1/8"
                 : step == 2                 ? "\xC3\xA9tape 2/8"
                                             : "Step " + std::to_string(step));
            for (int i = 1; i <= 6; ++i) {
                line("\x80 \x9C \xFF");
            }
        }
    }
    return text;
}

TEST_F(Win32OsTest, TextIsReadInTheAnsiCodePage)
{
    ASSERT_EQ(GetACP(), 1252u) << "Wine's ANSI code page follows the Unix locale; run under LC_ALL=C.UTF-8";

    EXPECT_EQ(Os().DecodeSystemText("Fran\xE7" "ais \x80\x9F\xFF", "test"), U"Français €Ÿÿ");

    ScratchFolder folder;
    WriteBytes("LcLCFile.txt", "heading\r\nJPN=Nihongo\r\nENU=English\r\nDEU=Deutsch\r\nFRA=Fran\xE7" "ais\r\n");
    WriteBytes("LcdTFile.txt", Windows1252Catalogue());

    ProgramState state;
    state.LanguageIndex = 1;
    const Text pattern = ReadLanguageCodeFile(state, U"FRA");
    EXPECT_EQ(state.LanguageIndex, 4);
    EXPECT_EQ(pattern, U"Français");

    std::vector<Text> names;
    ReadTextCatalogue(state, pattern, [&](int16_t, const Text& name) { names.push_back(name); });
    ASSERT_EQ(names.size(), 7u);
    EXPECT_EQ(names[3], U"Français");
    EXPECT_EQ(names[4], U"Español");
    EXPECT_EQ(state.LanguageIndex, 4);
    EXPECT_EQ(state.StepTitle(4, 1), U"Étape 1/8                     ");
    // The file as a whole is no UTF-8, so none of its lines is read as such.
    EXPECT_EQ(state.StepTitle(4, 2), U"Ã©tape 2/8                    ");
    EXPECT_EQ(state.StepLine(4, 1, 1).substr(0, 5), U"€ œ ÿ");
}

TEST_F(Win32OsTest, AFileOfUtf8LinesIsReadAsUtf8WithOrWithoutAByteOrderMark)
{
    ScratchFolder folder;
    WriteBytes("LcLCFile.txt", "\xEF\xBB\xBFheading\r\nJPN=\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\r\nFRA=Fran\xC3\xA7" "ais\r\n");
    std::filesystem::copy_file(QUORVANE_DATA_DIR "/LcdTFile.txt", "LcdTFile.txt");

    ProgramState state;
    state.LanguageIndex = 1;
    const Text pattern = ReadLanguageCodeFile(state, U"FRA");
    EXPECT_EQ(state.LanguageIndex, 2);
    EXPECT_EQ(pattern, U"Français");

    std::vector<Text> names;
    ReadTextCatalogue(state, pattern, [&](int16_t, const Text& name) { names.push_back(name); });
    ASSERT_EQ(names.size(), 7u);
    EXPECT_EQ(names[0], U"日本語");
    EXPECT_EQ(names[3], U"Français");
    EXPECT_EQ(state.LanguageIndex, 4);
}

}  // namespace
}  // namespace quorvane::windows_tests
