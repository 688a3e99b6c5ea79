#include "platform/win32/create_window.h"

#include <iterator>

#include "platform/run_time_error.h"
#include "platform/win32/wide_text.h"

namespace quorvane {

namespace {

std::string SystemErrorText(DWORD error)
{
    // As Wine without a display driver fails.
    if (error == 0) {
        return "the system gave no reason";
    }
    wchar_t text[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                      FORMAT_MESSAGE_MAX_WIDTH_MASK,
                                  nullptr, error, 0, text, std::size(text), nullptr);
    // The width mask leaves a space where the line ended.
    while (length > 0 && text[length - 1] == L' ') {
        --length;
    }
    return "system error " + std::to_string(error) + (length > 0 ? ": " + Utf8FromWide({text, length}) : "");
}

}  // namespace

HWND CreateWindowOrFail(const std::string& what, DWORD exStyle, const wchar_t* className, DWORD style, int width,
                        int height, HWND parent)
{
    HWND hwnd = CreateWindowExW(exStyle, className, L"", style, 0, 0, width, height, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (hwnd == nullptr) {
        const DWORD error = GetLastError();
        throw RunTimeError(kOutOfMemory, what + " could not be made: " + SystemErrorText(error));
    }
    return hwnd;
}

}  // namespace quorvane
