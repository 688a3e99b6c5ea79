// What any Windows program with Quorvane's windows pays to start: linked with
// its resources (the manifest asks for the version 6 controls), it shows a
// topmost popup titled "Form2" over the primary monitor holding two empty
// statics, and in front of it a dialog with step 1's caption, six labels,
// seven option buttons on an etched frame and three push buttons, in the
// fonts and sizes Quorvane gives them. It does nothing else: set beside
// Quorvane, it tells how much of the start-up is the system's.
#include "bare_window_class.h"

#include <commctrl.h>

#include <cmath>

namespace {

struct Place {
    int x, y, width, height;
};

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

HWND Control(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle, const wchar_t* text, Place place,
             HFONT font)
{
    HWND control = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                                   place.x, place.y, place.width, place.height, parent, nullptr, Instance(), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return control;
}

HFONT Gothic(double points)
{
    HDC screen = GetDC(nullptr);
    const int height = -static_cast<int>(std::lround(points * GetDeviceCaps(screen, LOGPIXELSY) / 72.0));
    ReleaseDC(nullptr, screen);
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS UI Gothic");
}

HWND PatternWindow(const wchar_t* windowClass)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HWND popup = CreateWindowExW(WS_EX_TOPMOST, windowClass, L"Form2", WS_POPUP, 0, 0, width, height, nullptr,
                                 nullptr, Instance(), nullptr);
    HFONT font = Gothic(12);
    // Out of sight, as Quorvane keeps them.
    Control(popup, L"STATIC", WS_TABSTOP, WS_EX_CLIENTEDGE, L"", {height, width, 65, 49}, font);
    Control(popup, L"STATIC", SS_NOTIFY, 0, L"", {8, 8, 61, 48}, font);
    return popup;
}

HWND GuideDialog(const wchar_t* windowClass)
{
    RECT outer{0, 0, 516, 167};
    AdjustWindowRect(&outer, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, FALSE);
    HWND dialog = CreateWindowExW(WS_EX_TOPMOST, windowClass, L"Step 1/8: Welcome",
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 258, 1, outer.right - outer.left,
                                  outer.bottom - outer.top, nullptr, nullptr, Instance(), nullptr);

    const wchar_t* const lines[] = {L"This guide helps you adjust your flat-panel monitor in 8 steps.",
                                    L"Choose your language with the buttons on the left.",
                                    L"Keys: N = next step, B = step back, Esc = end the guide.",
                                    L"",
                                    L"",
                                    L""};
    HFONT labelFont = Gothic(9);
    for (int i = 0; i < 6; ++i) {
        Control(dialog, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, lines[i], {139, 8 + 16 * i, 369, 17}, labelFont);
    }

    HFONT optionFont = Gothic(10);
    HWND frame = Control(dialog, L"STATIC", SS_ETCHEDFRAME, WS_EX_CONTROLPARENT, L"", {2, 0, 137, 129}, optionFont);
    const wchar_t* const languages[] = {L"日本語",   L"English",  L"Deutsch", L"Français",
                                        L"Español", L"Italiano", L"Svenska"};
    for (int i = 0; i < 7; ++i) {
        HWND option = Control(frame, L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0, languages[i],
                              {16, 8 + 16 * i, 93, 17}, optionFont);
        SendMessageW(option, BM_SETCHECK, i == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    HFONT buttonFont = Gothic(10.5);
    const wchar_t* const buttons[] = {L"< Back", L"Next >", L"Exit"};
    const int buttonLefts[] = {80, 205, 331};
    for (int i = 0; i < 3; ++i) {
        HWND button = Control(dialog, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, buttons[i],
                              {buttonLefts[i], 136, 97, 25}, buttonFont);
        EnableWindow(button, i != 0);
    }
    return dialog;
}

}  // namespace

int main()
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const wchar_t* windowClass = RegisterBareWindowClass(L"bare_dialog_windows");
    HWND popup = PatternWindow(windowClass);
    HWND dialog = GuideDialog(windowClass);
    ShowWindow(popup, SW_SHOW);
    ShowWindow(dialog, SW_SHOW);
    return RunBareMessageLoop();
}
