#include "platform/win32/keyboard.h"

namespace quorvane {

namespace {

// `from` is a widget, or its window for the first widget.
HWND NextTabStop(HWND from, bool backwards)
{
    HWND window = GetAncestor(from, GA_ROOT);
    return GetNextDlgTabItem(window, from == window ? nullptr : from, backwards);
}

}  // namespace

void PassFocusOn(HWND widget)
{
    HWND focus = GetFocus();
    if (focus != widget && !IsChild(widget, focus)) {
        return;
    }
    HWND next = NextTabStop(widget, false);
    if (next == nullptr || next == widget || IsChild(widget, next)) {
        next = GetAncestor(widget, GA_ROOT);
    }
    SetFocus(next);
}

bool HandleKey(HWND focused, UINT message, WPARAM wParam, const std::function<void(int16_t)>& keyPressed)
{
    if (message == WM_KEYDOWN && wParam == VK_TAB) {
        if (HWND next = NextTabStop(focused, GetKeyState(VK_SHIFT) < 0)) {
            SetFocus(next);
        }
        return true;
    }
    if (message != WM_CHAR || wParam > INT16_MAX) {
        return false;
    }
    if (wParam != L'\t') {
        keyPressed(static_cast<int16_t>(wParam));
    }
    return true;
}

}  // namespace quorvane
