#include "child_environment.h"

#include <algorithm>
#include <iterator>
#include <string_view>

extern char** environ;

namespace quorvane::bench {

std::vector<std::string> ChildEnvironment()
{
    static constexpr std::string_view kDropped[] = {"QT_", "LC_", "LANG=", "LANGUAGE=", "WAYLAND_DISPLAY="};
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view variable(*entry);
        if (std::none_of(std::begin(kDropped), std::end(kDropped),
                         [&](std::string_view prefix) { return variable.starts_with(prefix); })) {
            environment.emplace_back(variable);
        }
    }
    environment.emplace_back("LANG=C");
    return environment;
}

}  // namespace quorvane::bench
