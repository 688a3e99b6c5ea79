#include "platform/profile_string.h"

#include <algorithm>
#include <cstring>

namespace quorvane {

bool IsLanguageProfileKey(const char* section, const char* key)
{
    return std::strcmp(section, "intl") == 0 && std::strcmp(key, "sLanguage") == 0;
}

int32_t CopyProfileValue(const std::string& value, char* buffer, int32_t size)
{
    if (size <= 0) {
        return 0;
    }
    const size_t copied = std::min(value.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, value.data(), copied);
    buffer[copied] = '\0';
    return static_cast<int32_t>(copied);
}

}  // namespace quorvane
