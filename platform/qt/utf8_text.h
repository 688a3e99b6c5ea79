#pragma once

#include <string>
#include <string_view>

#include "platform/text.h"

namespace quorvane {

// Decodes UTF-8, the system code page of every desktop but Windows. Invalid
// text is error 5 naming `where`.
Text DecodeUtf8(std::string_view bytes, const std::string& where);

}  // namespace quorvane
