#pragma once

#include <string>
#include <string_view>

#include "platform/text.h"

namespace quorvane {

// Decodes UTF-8, the system code page of every desktop but Windows, giving
// the first `keep` characters. Invalid text anywhere is error 5 naming `where`.
Text DecodeUtf8(std::string_view bytes, const std::string& where, size_t keep = Text::npos);

}  // namespace quorvane
