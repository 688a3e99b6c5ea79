#pragma once

#include <windows.h>

// The system's default behaviour, and the program ends when the window is closed.
inline LRESULT CALLBACK BareWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The window class of the bare programs.
inline const wchar_t* RegisterBareWindowClass(const wchar_t* name)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = BareWindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
    return name;
}

// Dispatches the messages until the program is to end.
inline int RunBareMessageLoop()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}
