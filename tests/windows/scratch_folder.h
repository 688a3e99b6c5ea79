#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace quorvane::windows_tests {

// Makes a folder the current directory, where the program looks for its text
// files; the old current directory comes back at the end.
class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const std::filesystem::path& folder) : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~ScopedCurrentDirectory() { std::filesystem::current_path(previous_); }
    ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;

private:
    std::filesystem::path previous_;
};

// A new folder under the system's temporary folder as the current directory;
// the old current directory comes back and the folder goes at the end.
class ScratchFolder {
public:
    ScratchFolder() : previous_(std::filesystem::current_path()), path_(NewFolder())
    {
        std::filesystem::current_path(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

private:
    static std::filesystem::path NewFolder()
    {
        std::random_device random;
        for (;;) {
            const auto path = std::filesystem::temp_directory_path() / ("quorvane-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(path)) {
                return path;
            }
        }
    }

    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// Writes bytes as they are, with no conversion of line ends.
inline void WriteBytes(const std::string& name, const std::string& bytes)
{
    std::ofstream(name, std::ios::binary) << bytes;
}

}  // namespace quorvane::windows_tests
