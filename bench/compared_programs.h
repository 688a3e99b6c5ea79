#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::bench {

// What a benchmark compares: Quorvane and the bare program that is its
// floor, each a command (the program's path, then its arguments), both
// started in one working folder.
struct ComparedPrograms {
    std::string folder;
    std::vector<std::string> quorvane;
    std::vector<std::string> floor;
    std::optional<double> goal;  // the ratio of the times not to exceed
};

// Reads "[--goal RATIO] [FOLDER QUORVANE_COMMAND... -- FLOOR_COMMAND...]" from
// the command line; what is not given comes from `builtIn`. Throws
// std::invalid_argument with the usage when the arguments do not fit it.
ComparedPrograms ReadComparedPrograms(int argc, char* argv[], ComparedPrograms builtIn);

// The main of a comparing benchmark: reads the programs as above and runs
// `compare` on them. Usage errors end with 2, failures with 1, both told on
// stderr under `name`.
int RunComparison(const char* name, int argc, char* argv[], ComparedPrograms builtIn,
                  const std::function<int(const ComparedPrograms&)>& compare);

// The name a command's times are reported under: its last word, without
// the folder.
std::string NameOf(const std::vector<std::string>& command);

}  // namespace quorvane::bench
