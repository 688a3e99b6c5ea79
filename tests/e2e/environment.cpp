#include "environment.h"

#include <unistd.h>

namespace quorvane::e2e {

Environment Environment::OfThisProcess()
{
    Environment environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text(*entry);
        const auto equals = text.find('=');
        if (equals != std::string::npos) {
            environment.values_[text.substr(0, equals)] = text.substr(equals + 1);
        }
    }
    return environment;
}

void Environment::Set(const std::string& name, const std::string& value)
{
    values_[name] = value;
}

void Environment::Unset(const std::string& name)
{
    values_.erase(name);
}

std::vector<std::string> Environment::Entries() const
{
    std::vector<std::string> entries;
    entries.reserve(values_.size());
    for (const auto& [name, value] : values_) {
        entries.push_back(name + "=" + value);
    }
    return entries;
}

}  // namespace quorvane::e2e
