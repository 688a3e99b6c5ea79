#include "tests/fuzz/fuzz_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "platform/fake/fake_os.h"

namespace quorvane::fuzzing {

namespace {

std::filesystem::path workFolder;
int workFolderFd = -1;
int fuzzerFolderFd = -1;

[[noreturn]] void Fail(const std::string& what)
{
    std::perror(what.c_str());
    std::exit(2);
}

void RemoveWorkFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(workFolder, ignored);
}

// tmpfs where there is one: every input is written and read back.
std::string FolderTemplate()
{
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm"
                                                                                 : std::filesystem::temp_directory_path();
    return (base / "quorvane-fuzz-XXXXXX").string();
}

void ChangeDirectory(int folderFd)
{
    if (fchdir(folderFd) != 0) {
        Fail("fchdir");
    }
}

}  // namespace

void SetUpReaderFuzzing()
{
    static FakeOs os;
    static ScopedOs services(os);

    std::string folder = FolderTemplate();
    if (mkdtemp(folder.data()) == nullptr) {
        Fail(folder);
    }
    workFolder = folder;
    std::atexit(RemoveWorkFolder);
    workFolderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    fuzzerFolderFd = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (workFolderFd < 0 || fuzzerFolderFd < 0) {
        Fail("open " + folder + " or .");
    }
}

InputFile::InputFile(const char* name, const uint8_t* data, size_t size)
{
    std::ofstream file(workFolder / name, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!file.flush()) {
        Fail((workFolder / name).string());
    }
    ChangeDirectory(workFolderFd);
}

InputFile::~InputFile() { ChangeDirectory(fuzzerFolderFd); }

void Require(bool condition, const char* promise)
{
    if (!condition) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
}

}  // namespace quorvane::fuzzing
