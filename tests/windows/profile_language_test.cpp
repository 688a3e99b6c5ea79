#include <gtest/gtest.h>

#include <vector>

#include "scratch_folder.h"
#include "startup/language_code_file.h"
#include "startup/text_catalogue.h"
#include "win32_os_test.h"

namespace quorvane::windows_tests {
namespace {

// scripts/windows-tests sets the profile value intl/sLanguage to DEU.
TEST_F(Win32OsTest, TheProfileLanguageChoosesDeutschFromTheSampleFiles)
{
    char buffer[21] = {};
    EXPECT_EQ(Os().GetProfileStringA("intl", "sLanguage", "", buffer, 20), 3);
    EXPECT_STREQ(buffer, "DEU");
    // A short buffer keeps room for the terminating zero.
    EXPECT_EQ(Os().GetProfileStringA("intl", "sLanguage", "", buffer, 3), 2);
    EXPECT_STREQ(buffer, "DE");

    const Text code = ReadLanguageCode();
    EXPECT_EQ(code, U"DEU");

    ScopedCurrentDirectory inSampleData(QUORVANE_DATA_DIR);
    ProgramState state;
    state.LanguageIndex = 1;
    const Text pattern = ReadLanguageCodeFile(state, code);
    EXPECT_EQ(state.LanguageIndex, 3);
    EXPECT_EQ(pattern, U"Deutsch");

    std::vector<Text> names;
    ReadTextCatalogue(state, pattern, [&](int16_t, const Text& name) { names.push_back(name); });
    EXPECT_EQ(state.LanguageIndex, 3);
    EXPECT_EQ(state.LanguageCount, 7);
    ASSERT_EQ(names.size(), 7u);
    EXPECT_EQ(names[2], U"Deutsch");
    EXPECT_EQ(state.StepTitle(3, 1), U"Schritt 1/8: Willkommen       ");
}

}  // namespace
}  // namespace quorvane::windows_tests
