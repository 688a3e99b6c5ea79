#include "platform/posix_language.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

namespace quorvane {

namespace {

struct Abbreviation {
    std::string_view language;  // ISO 639-1, lower case
    std::string_view country;   // ISO 3166-1, upper case
    std::string_view windows;
};

// The first entry of each language is its main country, taken for a bare
// language and for countries not listed.
constexpr Abbreviation kAbbreviations[] = {
    {"ja", "JP", "JPN"},

    {"en", "US", "ENU"}, {"en", "GB", "ENG"}, {"en", "AU", "ENA"}, {"en", "CA", "ENC"},
    {"en", "NZ", "ENZ"}, {"en", "IE", "ENI"}, {"en", "ZA", "ENS"}, {"en", "JM", "ENJ"},
    {"en", "BZ", "ENL"}, {"en", "TT", "ENT"}, {"en", "ZW", "ENW"}, {"en", "PH", "ENP"},
    {"en", "IN", "ENN"}, {"en", "MY", "ENM"}, {"en", "SG", "ENE"},

    {"de", "DE", "DEU"}, {"de", "AT", "DEA"}, {"de", "CH", "DES"}, {"de", "LU", "DEL"},
    {"de", "LI", "DEC"},

    {"fr", "FR", "FRA"}, {"fr", "CA", "FRC"}, {"fr", "BE", "FRB"}, {"fr", "CH", "FRS"},
    {"fr", "LU", "FRL"}, {"fr", "MC", "FRM"},

    {"es", "ES", "ESN"}, {"es", "MX", "ESM"}, {"es", "GT", "ESG"}, {"es", "CR", "ESC"},
    {"es", "PA", "ESA"}, {"es", "DO", "ESD"}, {"es", "VE", "ESV"}, {"es", "CO", "ESO"},
    {"es", "PE", "ESR"}, {"es", "AR", "ESS"}, {"es", "EC", "ESF"}, {"es", "CL", "ESL"},
    {"es", "UY", "ESY"}, {"es", "PY", "ESZ"}, {"es", "BO", "ESB"}, {"es", "SV", "ESE"},
    {"es", "HN", "ESH"}, {"es", "NI", "ESI"}, {"es", "PR", "ESU"}, {"es", "US", "EST"},

    {"it", "IT", "ITA"}, {"it", "CH", "ITS"},

    {"sv", "SE", "SVE"}, {"sv", "FI", "SVF"},
};

std::string Lower(std::string_view text)
{
    std::string result(text);
    std::ranges::transform(result, result.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::string Upper(std::string_view text)
{
    std::string result(text);
    std::ranges::transform(result, result.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return result;
}

}  // namespace

std::string LanguageAbbreviation(const std::string& locale)
{
    // language[_COUNTRY][.codeset][@modifier]
    const std::string_view name = std::string_view(locale).substr(0, locale.find_first_of(".@"));
    const size_t separator = name.find('_');
    const std::string language = Lower(name.substr(0, separator));
    const std::string country = separator == std::string_view::npos ? std::string() : Upper(name.substr(separator + 1));

    const Abbreviation* mainCountry = nullptr;
    for (const Abbreviation& entry : kAbbreviations) {
        if (entry.language != language) {
            continue;
        }
        if (entry.country == country) {
            return std::string(entry.windows);
        }
        if (mainCountry == nullptr) {
            mainCountry = &entry;
        }
    }
    return mainCountry == nullptr ? std::string() : std::string(mainCountry->windows);
}

std::string UserMessagesLocale()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

}  // namespace quorvane
