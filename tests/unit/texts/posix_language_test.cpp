#include "platform/posix_language.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quorvane {
namespace {

// Codeset and modifier are ignored; a bare language or an unknown country
// takes the main country; no language or an unknown one gives nothing.
TEST(PosixLanguageTest, AbbreviationOfTheLocale)
{
    const std::pair<const char*, const char*> cases[] = {
        {"ja_JP", "JPN"}, {"en_GB", "ENG"}, {"de_CH.UTF-8", "DES"}, {"sv_FI.ISO-8859-15@euro", "SVF"},
        {"FR_ca.utf8", "FRC"}, {"es_US", "EST"}, {"it_CH@euro", "ITS"}, {"en", "ENU"}, {"de_BE.UTF-8", "DEU"},
        {"es_", "ESN"}, {"C.UTF-8", ""}, {"POSIX", ""}, {"", ""}, {"nl_NL", ""}, {"_DE", ""}, {"english", ""}};
    for (const auto& [locale, abbreviation] : cases) {
        EXPECT_EQ(LanguageAbbreviation(locale), abbreviation) << locale;
    }
}

// No other test reads these variables: they are not restored.
TEST(PosixLanguageTest, TheMessagesLocaleIsTheFirstNonEmptyVariable)
{
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    setenv("LANG", "", 1);
    EXPECT_EQ(UserMessagesLocale(), "");
    setenv("LANG", "sv_SE.UTF-8", 1);
    EXPECT_EQ(UserMessagesLocale(), "sv_SE.UTF-8");
    setenv("LC_ALL", "", 1);
    setenv("LC_MESSAGES", "de_AT.UTF-8", 1);
    EXPECT_EQ(UserMessagesLocale(), "de_AT.UTF-8");
    setenv("LC_ALL", "fr_CA.UTF-8", 1);
    EXPECT_EQ(UserMessagesLocale(), "fr_CA.UTF-8");
}

}  // namespace
}  // namespace quorvane
