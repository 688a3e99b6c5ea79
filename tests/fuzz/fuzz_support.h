#pragma once

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/fake/fake_os.h"

namespace quorvane::fuzzing {

// A broken promise: fatal, so that libFuzzer keeps the input.
inline void Require(bool condition, const char* promise)
{
    if (!condition) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
}

// Writes the input as the file `name` of a folder of its own and makes that
// the current directory, where the readers look, for the object's lifetime;
// the fake services read it as UTF-8. The fuzzer's own directory comes back
// afterwards: its corpus and artifact paths may be relative.
class InputFile {
public:
    InputFile(const char* name, const uint8_t* data, size_t size)
    {
        static FakeOs os;
        static ScopedOs services(os);
        static const std::filesystem::path folder = [] {
            std::string path = (std::filesystem::temp_directory_path() / "quorvane-fuzz-XXXXXX").string();
            if (mkdtemp(path.data()) == nullptr) std::perror(path.c_str()), std::exit(2);
            std::atexit([] { std::filesystem::remove_all(folder); });
            return std::filesystem::path(path);
        }();
        std::ofstream(folder / name, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        std::filesystem::current_path(folder);
    }
    ~InputFile() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_ = std::filesystem::current_path();
};

}  // namespace quorvane::fuzzing
