// The floor of a Win32 program's start-up: one empty window, nothing else.
#include "bare_window_class.h"

int main()
{
    const wchar_t* windowClass = RegisterBareWindowClass(L"bare_window");
    HWND window = CreateWindowExW(0, windowClass, L"bare_window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    return RunBareMessageLoop();
}
