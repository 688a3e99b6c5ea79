#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvane::testing {

// A fresh temporary folder as the current directory for the object's lifetime.
class ScopedWorkDir {
public:
    ScopedWorkDir() : previous_(std::filesystem::current_path())
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quorvane-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary directory in " + pattern);
        }
        path_ = pattern;
        std::filesystem::current_path(path_);
    }
    ~ScopedWorkDir()
    {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// Writes the lines as they are, each followed by lineEnd.
inline void WriteLines(const std::string& name, const std::vector<std::string>& lines, const std::string& lineEnd = "\r\n")
{
    std::ofstream file(name, std::ios::binary);
    for (const std::string& line : lines) {
        file << line << lineEnd;
    }
}

}  // namespace quorvane::testing
