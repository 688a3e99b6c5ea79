#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quorvane {

// Error numbers the program raises or tests for. They follow the classic
// run-time error numbering so that files and habits from the original
// platform keep their meaning.
enum ErrorNumber : int32_t {
    kInvalidCall = 5,
    kOverflow = 6,
    kOutOfMemory = 7,
    kSubscriptOutOfRange = 9,
    kDivisionByZero = 11,
    kFileNotFound = 53,
    kInputPastEnd = 62,
    kPathFileAccess = 75,
    kFunctionMissing = 453,
    kDuplicateKey = 457,
};

// A run-time error: a number the error handlers test, and a message that
// names what failed. Everything the monitor list does not catch itself ends
// the program through the top-level handler.
class RunTimeError : public std::runtime_error {
public:
    RunTimeError(int32_t number, const std::string& what);
    int32_t Number() const { return number_; }

private:
    int32_t number_;
};

}  // namespace quorvane
