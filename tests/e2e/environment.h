#pragma once

#include <map>
#include <string>
#include <vector>

namespace quorvane::e2e {

// A set of environment variables for a child process, starting from a copy
// of this process's own environment.
class Environment {
public:
    static Environment OfThisProcess();

    void Set(const std::string& name, const std::string& value);
    void Unset(const std::string& name);

    // "NAME=value" entries, as execve wants them.
    std::vector<std::string> Entries() const;

private:
    std::map<std::string, std::string> values_;
};

}  // namespace quorvane::e2e
