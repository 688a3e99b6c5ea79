#include "platform/win32/win32_widget.h"

#include <utility>

#include "platform/win32/create_window.h"
#include "platform/win32/keyboard.h"
#include "platform/win32/pending_captions.h"
#include "platform/win32/win32_window.h"

namespace quorvane {

namespace {

using backend::WidgetKind;

struct ControlKind {
    // What the user reads when the control cannot be made.
    const char* name;
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

// Labels, the picture box and the frame let the mouse through to their
// window, which ignores it over any widget. Option buttons are not checked
// by the control: the toolkit checks the one chosen. The frame is an etched
// rectangle: a group box would draw its top line half a text height down,
// across an option button placed just below the top.
ControlKind ControlOf(WidgetKind kind)
{
    switch (kind) {
    case WidgetKind::Label: return {"a label", L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case WidgetKind::Frame: return {"a frame", L"STATIC", SS_ETCHEDFRAME, WS_EX_CONTROLPARENT};
    case WidgetKind::PushButton: return {"a push button", L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case WidgetKind::OptionButton: return {"an option button", L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0};
    case WidgetKind::PictureBox: return {"a picture box", L"STATIC", WS_TABSTOP, WS_EX_CLIENTEDGE};
    case WidgetKind::Image: return {"an image", L"STATIC", SS_NOTIFY, 0};
    }
    return {};
}

// An arrow key: -1 up or left, +1 down or right, 0 for any other key.
int ArrowDirection(WPARAM key)
{
    switch (key) {
    case VK_UP:
    case VK_LEFT: return -1;
    case VK_DOWN:
    case VK_RIGHT: return 1;
    default: return 0;
    }
}

}  // namespace

Win32Widget::Win32Widget(WidgetKind kind, HWND parent, Fonts& fonts, const backend::Font& font,
                         backend::WidgetEvents& events)
    : kind_(kind), fonts_(fonts), events_(events)
{
    const ControlKind control = ControlOf(kind);
    hwnd_ = CreateWindowOrFail(control.name, control.exStyle, control.className,
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | control.style, 0, 0, parent);
    // Found again from the handle by the parent that hears of a click and by
    // the procedure put in front of the control's. Window slots, unlike the
    // properties of a comctl32 subclass, are read without a round trip to
    // Wine's server on every message.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    control_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));
    if (kind == WidgetKind::OptionButton) {
        // An option button taking the focus is no choice: only a click or Space is.
        SendMessageW(hwnd_, BM_SETDONTCLICK, TRUE, 0);
    }
    SetFont(font);
}

Win32Widget::~Win32Widget()
{
    // The window may have taken its widgets with it already.
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

void Win32Widget::Place(const backend::PixelRect& rect)
{
    if (rect == place_) {
        return;
    }
    place_ = rect;
    SetWindowPos(hwnd_, nullptr, rect.x, rect.y, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Widget::SetCaption(const Text& caption) { pending_captions::Set(hwnd_, caption_, caption); }

void Win32Widget::SetFont(const backend::Font& font)
{
    HFONT handle = fonts_.Get(font);
    if (handle == font_) {
        return;
    }
    font_ = handle;
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(handle), TRUE);
}

void Win32Widget::SetVisible(bool visible)
{
    if (visible == visible_) {
        return;
    }
    visible_ = visible;
    if (!visible) {
        PassFocusOn(hwnd_);
    }
    ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

void Win32Widget::SetEnabled(bool enabled)
{
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (!enabled) {
        PassFocusOn(hwnd_);
    }
    EnableWindow(hwnd_, enabled);
}

void Win32Widget::SetChecked(bool checked)
{
    SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// An image here never shows a picture: there is none to take away.
void Win32Widget::ClearPicture() {}

void Win32Widget::Focus()
{
    // Focus in a hidden window would activate it, at the cost of round trips
    // to the window server: it is given when the window is activated.
    if (!IsWindowVisible(GetAncestor(hwnd_, GA_ROOT))) {
        Win32Window::FocusOnActivation(hwnd_);
        return;
    }
    SetFocus(hwnd_);
}

bool Win32Widget::Notify(WPARAM wParam, LPARAM lParam)
{
    auto* widget = reinterpret_cast<Win32Widget*>(GetWindowLongPtrW(reinterpret_cast<HWND>(lParam), GWLP_USERDATA));
    if (HIWORD(wParam) != BN_CLICKED || widget == nullptr ||
        (widget->kind_ != WidgetKind::PushButton && widget->kind_ != WidgetKind::OptionButton)) {
        return false;
    }
    widget->events_.Clicked();
    return true;
}

LRESULT CALLBACK Win32Widget::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* widget = reinterpret_cast<Win32Widget*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        pending_captions::Forget(hwnd);
        widget->hwnd_ = nullptr;
        return CallWindowProcW(widget->control_, hwnd, message, wParam, lParam);
    }
    return widget->OnMessage(message, wParam, lParam);
}

// An event handler may destroy this widget: nothing of it is used after one.
LRESULT Win32Widget::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        if (const int direction = ArrowDirection(wParam); direction != 0 && kind_ == WidgetKind::OptionButton) {
            events_.ArrowPressed(direction);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (kind_ == WidgetKind::Image) {
            events_.Clicked();
            return 0;
        }
        break;
    case WM_COMMAND:
        // The option buttons of a frame.
        if (Notify(wParam, lParam)) {
            return 0;
        }
        break;
    case WM_ERASEBKGND:
    case WM_PAINT:
        // An image without a picture shows what lies beneath it.
        if (kind_ == WidgetKind::Image) {
            ValidateRect(hwnd_, nullptr);
            return 1;
        }
        break;
    default: break;
    }
    if (HandleKey(hwnd_, message, wParam, [&](int16_t key) { events_.KeyPressed(key); })) {
        return 0;
    }
    return CallWindowProcW(control_, hwnd_, message, wParam, lParam);
}

}  // namespace quorvane
