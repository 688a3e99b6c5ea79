#include "platform/win32/wide_text.h"

#include <windows.h>

namespace quorvane {

std::wstring WideFromUtf8(const std::string& utf8)
{
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string Utf8FromWide(const std::wstring& wide)
{
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::wstring WideFromText(const Text& text)
{
    std::wstring wide;
    wide.reserve(text.size());
    for (const char32_t character : text) {
        if (character >= 0x10000) {
            wide.push_back(static_cast<wchar_t>(0xD800 + ((character - 0x10000) >> 10)));
            wide.push_back(static_cast<wchar_t>(0xDC00 + ((character - 0x10000) & 0x3FF)));
        } else {
            wide.push_back(static_cast<wchar_t>(character));
        }
    }
    return wide;
}

}  // namespace quorvane
