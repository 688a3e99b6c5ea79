#pragma once

#include <cstddef>
#include <cstdint>

namespace quorvane::fuzzing {

// Installs the fake services, whose text files are real files decoded as
// UTF-8, and makes a fresh folder on tmpfs; the folder goes at exit. Call
// once, from LLVMFuzzerInitialize.
void SetUpReaderFuzzing();

// Writes one input as the file `name` of that folder and makes the folder the
// current directory, where the readers look, for the object's lifetime. The
// fuzzer's own directory comes back afterwards: its corpus and artifact
// paths may be relative.
class InputFile {
public:
    InputFile(const char* name, const uint8_t* data, size_t size);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
};

// A broken promise of the code under test: reported and fatal, so that
// libFuzzer keeps the input.
void Require(bool condition, const char* promise);

}  // namespace quorvane::fuzzing
