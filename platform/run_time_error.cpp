#include "platform/run_time_error.h"

namespace quorvane {

namespace {

const char* Description(int32_t number)
{
    switch (number) {
    case kInvalidCall: return "Invalid procedure call or argument";
    case kOverflow: return "Overflow";
    case kOutOfMemory: return "Out of memory";
    case kSubscriptOutOfRange: return "Subscript out of range";
    case kDivisionByZero: return "Division by zero";
    case kFileNotFound: return "File not found";
    case kInputPastEnd: return "Input past end of file";
    case kPathFileAccess: return "Path/File access error";
    case kFunctionMissing: return "Can't find DLL entry point";
    case kDuplicateKey: return "This key is already associated with an element of this collection";
    default: return "Application-defined error";
    }
}

}  // namespace

RunTimeError::RunTimeError(int32_t number, const std::string& what)
    : std::runtime_error("Run-time error '" + std::to_string(number) + "': " + Description(number) +
                         (what.empty() ? std::string() : " (" + what + ")")),
      number_(number)
{
}

}  // namespace quorvane
