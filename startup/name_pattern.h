#pragma once

#include "platform/text.h"

namespace quorvane {

// Whole-text, case-sensitive match of a name against a pattern with the
// special forms ? * # [list] [!list] and ranges such as [a-z]. A malformed
// pattern (an unclosed bracket, a range running backwards) matches no name.
bool MatchesNamePattern(const Text& name, const Text& pattern);

}  // namespace quorvane
