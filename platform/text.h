#pragma once

#include <string>

namespace quorvane {

// Texts are sequences of characters (code points): lengths, cutting and
// padding of the catalogue count characters, never bytes.
using Text = std::u32string;

}  // namespace quorvane
