#pragma once

#include <string>

#include "platform/text.h"

namespace quorvane {

// UTF-16 for the wide-character system functions.
std::wstring WideFromUtf8(const std::string& utf8);
std::wstring WideFromText(const Text& text);
// UTF-8 from what the system functions return.
std::string Utf8FromWide(const std::wstring& wide);

}  // namespace quorvane
