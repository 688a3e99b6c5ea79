#include "platform/posix_language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvane {
namespace {

// Codeset and modifier are ignored; a bare language or an unknown country
// takes the main country; no language or an unknown one gives nothing.
TEST(PosixLanguageTest, AbbreviationOfEveryLocale)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"ja_JP", "JPN"}, {"en_US", "ENU"}, {"en_GB", "ENG"}, {"en_AU", "ENA"}, {"en_CA", "ENC"},
        {"en_NZ", "ENZ"}, {"en_IE", "ENI"}, {"en_ZA", "ENS"}, {"de_DE", "DEU"}, {"de_AT", "DEA"},
        {"de_CH", "DES"}, {"de_LU", "DEL"}, {"de_LI", "DEC"}, {"fr_FR", "FRA"}, {"fr_CA", "FRC"},
        {"fr_BE", "FRB"}, {"fr_CH", "FRS"}, {"fr_LU", "FRL"}, {"es_ES", "ESN"}, {"es_MX", "ESM"},
        {"es_AR", "ESS"}, {"it_IT", "ITA"}, {"it_CH", "ITS"}, {"sv_SE", "SVE"}, {"sv_FI", "SVF"},
        {"de_CH.UTF-8", "DES"}, {"de_CH@euro", "DES"}, {"sv_FI.ISO-8859-15@euro", "SVF"}, {"ja_JP.eucJP", "JPN"},
        {"FR_ca.utf8", "FRC"}, {"ja", "JPN"}, {"en", "ENU"}, {"de", "DEU"}, {"fr", "FRA"}, {"es", "ESN"},
        {"it", "ITA"}, {"sv", "SVE"}, {"de_BE.UTF-8", "DEU"}, {"en_XX", "ENU"}, {"it_SM", "ITA"},
        {"sv_AX", "SVE"}, {"es_", "ESN"}, {"C", ""}, {"POSIX", ""}, {"", ""}, {"C.UTF-8", ""},
        {"nl_NL.UTF-8", ""}, {"pt", ""}, {"xx_YY", ""}, {"_DE", ""}, {".UTF-8", ""},
    };
    for (const auto& [locale, abbreviation] : cases) {
        EXPECT_EQ(LanguageAbbreviation(locale), abbreviation) << locale;
    }
}

// Sets the locale variables for one test and puts the old values back.
class LocaleEnvironment {
public:
    LocaleEnvironment()
    {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value == nullptr ? std::nullopt : std::optional<std::string>(value));
            unsetenv(name);
        }
    }
    ~LocaleEnvironment()
    {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }

private:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(PosixLanguageTest, TheMessagesLocaleIsTheFirstNonEmptyVariable)
{
    LocaleEnvironment environment;
    EXPECT_EQ(UserMessagesLocale(), "");
    setenv("LANG", "sv_SE.UTF-8", 1);
    EXPECT_EQ(UserMessagesLocale(), "sv_SE.UTF-8");
    setenv("LC_MESSAGES", "de_AT.UTF-8", 1);
    EXPECT_EQ(UserMessagesLocale(), "de_AT.UTF-8");
    setenv("LC_ALL", "", 1);
    EXPECT_EQ(UserMessagesLocale(), "de_AT.UTF-8");
    setenv("LC_ALL", "fr_CA.UTF-8", 1);
    EXPECT_EQ(UserMessagesLocale(), "fr_CA.UTF-8");
}

}  // namespace
}  // namespace quorvane
