#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace quorvane::testing {

// A fresh temporary folder as the current directory, where the program looks
// for its text files; the old directory comes back and the folder goes.
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

    ScopedWorkDir(const ScopedWorkDir&) = delete;
    ScopedWorkDir& operator=(const ScopedWorkDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// Writes the lines as UTF-8, each followed by lineEnd except perhaps the last.
inline void WriteLines(const std::string& name, const std::vector<std::string>& lines,
                       const std::string& lineEnd = "\r\n", bool endLastLine = true)
{
    std::ofstream file(name, std::ios::binary);
    for (size_t i = 0; i < lines.size(); ++i) {
        file << lines[i];
        if (i + 1 < lines.size() || endLastLine) {
            file << lineEnd;
        }
    }
}

}  // namespace quorvane::testing
