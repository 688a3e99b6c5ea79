#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace quorvane {

// Decodes UTF-8, giving the first `keep` characters; nothing when the bytes
// are not valid UTF-8. A byte-order mark stays a character: lines are taken
// whole.
std::optional<Text> TryDecodeUtf8(std::string_view bytes, size_t keep = Text::npos);

// The same for the system code page of every desktop but Windows: invalid
// text anywhere is error 5 naming `where`.
Text DecodeUtf8(std::string_view bytes, const std::string& where, size_t keep = Text::npos);

}  // namespace quorvane
