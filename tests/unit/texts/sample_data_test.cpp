#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/posix_language.h"
#include "startup/language_code_file.h"
#include "startup/text_catalogue.h"
#include "unit/texts/text_files_test.h"

namespace quorvane {
namespace {

const std::filesystem::path kDataDirectory = std::filesystem::path(__FILE__).parent_path() / "../../../data";

const std::vector<Text> kLanguageNames = {U"日本語", U"English", U"Deutsch", U"Français",
                                          U"Español", U"Italiano", U"Svenska"};

// The sample files of data/, copied into the test's current directory.
class SampleDataTest : public testing::TextFilesTest {
protected:
    SampleDataTest()
    {
        for (const char* name : {"LcLCFile.txt", "LcdTFile.txt"}) {
            std::filesystem::copy_file(kDataDirectory / name, name);
        }
    }

    // The whole start-up choice of the language for one profile value.
    int16_t StartingLanguage(const std::string& profileValue)
    {
        ProgramState state;
        state.LanguageIndex = 1;
        os_.SetProfileLanguage(profileValue);
        const Text pattern = ReadLanguageCodeFile(state, ReadLanguageCode());
        ReadTextCatalogue(state, pattern, [](int16_t, const Text&) {});
        return state.LanguageIndex;
    }

    std::vector<Text> AllLines(const std::string& name)
    {
        std::vector<Text> lines;
        const auto file = os_.OpenTextFile(name);
        while (!file->AtEnd()) {
            lines.push_back(file->ReadLine());
        }
        return lines;
    }
};

TEST_F(SampleDataTest, TheCatalogueHasSevenFullBlocksThatFitTheirSlots)
{
    const std::vector<Text> lines = AllLines("LcdTFile.txt");
    ASSERT_EQ(lines.size(), 518u);
    for (size_t language = 0; language < 7; ++language) {
        const auto block = lines.begin() + static_cast<std::ptrdiff_t>(74 * language);
        EXPECT_EQ(block[1], kLanguageNames[language]);
        for (int item = 6; item < 10; ++item) {
            EXPECT_FALSE(block[item].empty()) << "language " << language + 1 << " button " << item - 5;
        }
        for (int step = 0; step < 8; ++step) {
            const auto title = block + 11 + 8 * step;
            const std::string where = "language " + std::to_string(language + 1) + " step " + std::to_string(step + 1);
            EXPECT_FALSE(title->empty()) << where;
            EXPECT_LE(title->size(), 30u) << where;
            // Step 1 shows lines 1 to 3, and line 4 on step 5 of a portrait monitor.
            const int shownLines = step == 0 ? 4 : 6;
            for (int line = 1; line <= 6; ++line) {
                EXPECT_LE(title[line].size(), 70u) << where << " line " << line;
                if (line <= shownLines) {
                    EXPECT_FALSE(title[line].empty()) << where << " line " << line;
                }
            }
        }
    }
}

TEST_F(SampleDataTest, TheCatalogueFillsEveryLanguage)
{
    ProgramState state;
    std::vector<Text> captions;
    ReadTextCatalogue(state, U"English", [&](int16_t, const Text& name) { captions.push_back(name); });
    EXPECT_EQ(captions, kLanguageNames);
    EXPECT_EQ(state.LanguageCount, 7);
    EXPECT_EQ(state.LanguageIndex, 2);
}

TEST_F(SampleDataTest, EveryLocaleStartsInItsLanguage)
{
    const std::vector<std::pair<std::string, int16_t>> cases = {
        {"ja_JP.UTF-8", 1}, {"ja", 1},
        {"en_US.UTF-8", 2}, {"en_GB.UTF-8", 2}, {"en_AU", 2}, {"en_CA", 2}, {"en_NZ", 2}, {"en_IE@euro", 2},
        {"en_ZA", 2}, {"en_JM", 2}, {"en_BZ", 2}, {"en_TT", 2}, {"en_ZW", 2}, {"en_PH", 2}, {"en_IN", 2},
        {"en_MY", 2}, {"en_SG", 2}, {"en", 2}, {"en_XX", 2},
        {"de_DE.UTF-8", 3}, {"de_AT", 3}, {"de_CH@euro", 3}, {"de_LU", 3}, {"de_LI", 3}, {"de", 3}, {"de_BE", 3},
        {"fr_FR.UTF-8", 4}, {"fr_CA", 4}, {"fr_BE", 4}, {"fr_CH", 4}, {"fr_LU", 4}, {"fr_MC", 4}, {"fr", 4},
        {"es_ES.UTF-8", 5}, {"es_MX", 5}, {"es_GT", 5}, {"es_CR", 5}, {"es_PA", 5}, {"es_DO", 5}, {"es_VE", 5},
        {"es_CO", 5}, {"es_PE", 5}, {"es_AR", 5}, {"es_EC", 5}, {"es_CL", 5}, {"es_UY", 5}, {"es_PY", 5},
        {"es_BO", 5}, {"es_SV", 5}, {"es_HN", 5}, {"es_NI", 5}, {"es_PR", 5}, {"es_US", 5}, {"es", 5},
        {"it_IT.UTF-8", 6}, {"it_CH", 6}, {"it", 6},
        {"sv_SE.UTF-8", 7}, {"sv_FI", 7}, {"sv", 7},
        {"C", 2}, {"POSIX", 2}, {"", 2}, {"C.UTF-8", 2}, {"nl_NL.UTF-8", 2},
    };
    for (const auto& [locale, language] : cases) {
        EXPECT_EQ(StartingLanguage(LanguageAbbreviation(locale)), language) << locale;
    }
    // Windows' own abbreviations, any letter case, and the traditional Spanish sort.
    EXPECT_EQ(StartingLanguage("esp"), 5);
    EXPECT_EQ(StartingLanguage("Deu"), 3);
    EXPECT_EQ(StartingLanguage("XYZ"), 2);
}

}  // namespace
}  // namespace quorvane
