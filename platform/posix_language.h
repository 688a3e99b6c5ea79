#pragma once

#include <string>

namespace quorvane {

// The Windows three-letter language abbreviation of a POSIX locale name such
// as "de_CH.UTF-8" ("DES"); a bare language takes its main country; C, POSIX
// or an unknown locale give "".
std::string LanguageAbbreviation(const std::string& locale);

// The user's locale for messages: LC_ALL, then LC_MESSAGES, then LANG.
std::string UserMessagesLocale();

}  // namespace quorvane
