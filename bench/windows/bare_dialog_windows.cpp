// What any Windows program with Quorvane's windows pays to start: linked with
// its resources (the manifest asks for the version 6 controls), it shows a
// popup titled "Form2" over the primary monitor and a dialog holding as many
// standard controls as Quorvane's two windows, and does nothing else. Set
// beside the bare window, it tells how much of Quorvane's start-up is the
// system's.
#include "bare_window_class.h"

#include <commctrl.h>

namespace {

constexpr int kControls = 19;

}  // namespace

int main()
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const wchar_t* windowClass = RegisterBareWindowClass(L"bare_dialog_windows");
    HWND popup = CreateWindowExW(WS_EX_TOPMOST, windowClass, L"Form2", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                 GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
    HWND dialog = CreateWindowExW(0, windowClass, L"bare_dialog_windows", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 480, 32 + 24 * kControls, nullptr, nullptr, instance,
                                  nullptr);
    for (int i = 0; i < kControls; ++i) {
        CreateWindowExW(0, i % 2 == 0 ? L"STATIC" : L"BUTTON", L"Control", WS_CHILD | WS_VISIBLE, 8, 8 + 24 * i, 200,
                        20, dialog, nullptr, instance, nullptr);
    }
    ShowWindow(popup, SW_SHOW);
    ShowWindow(dialog, SW_SHOW);
    return RunBareMessageLoop();
}
