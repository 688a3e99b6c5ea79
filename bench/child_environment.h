#pragma once

#include <string>
#include <vector>

namespace quorvane::bench {

// This process's environment, each entry "NAME=value", without what would
// take Qt elsewhere or change the language; English texts.
std::vector<std::string> ChildEnvironment();

}  // namespace quorvane::bench
