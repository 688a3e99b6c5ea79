#pragma once

#include <cstdint>
#include <string>

namespace quorvane {

// The profile value the program asks for: the user's language abbreviation.
bool IsLanguageProfileKey(const char* section, const char* key);

// Copies a profile value as the system call does: at most size - 1 bytes and
// a terminating zero; returns the bytes copied.
int32_t CopyProfileValue(const std::string& value, char* buffer, int32_t size);

}  // namespace quorvane
