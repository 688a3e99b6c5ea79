#include "platform/win32/win32_window.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "platform/win32/create_window.h"
#include "platform/win32/display_change.h"
#include "platform/win32/keyboard.h"
#include "platform/win32/pending_captions.h"
#include "platform/win32/resource_ids.h"
#include "platform/win32/win32_widget.h"

namespace quorvane {

namespace {

// Posted on activation: the toolkit hears of it from the event loop, not
// from inside the call that showed, hid or destroyed a window.
constexpr UINT kActivated = WM_APP;

// Within the second-level cache of a current processor, and large enough
// that a 4K picture takes few calls: each costs the window system a
// round of its own (with 512 KiB bands a key took about 1 ms longer under Wine).
constexpr int kBandBytes = 1024 * 1024;

const wchar_t* WindowClass()
{
    static const ATOM atom = [] {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(QUORVANE_ICON));
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = L"Quorvane";
        return RegisterClassExW(&windowClass);
    }();
    return MAKEINTRESOURCEW(atom);
}

// Not clipped by its widgets: where an image shows nothing, the window's
// picture is seen, and the widgets paint again after the window.
DWORD StyleOf(backend::WindowStyle style)
{
    return style == backend::WindowStyle::Borderless ? WS_POPUP : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
}

backend::PixelRect FromRect(const RECT& rect)
{
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

int16_t Buttons(WPARAM keys)
{
    return static_cast<int16_t>((keys & MK_LBUTTON ? 1 : 0) | (keys & MK_RBUTTON ? 2 : 0) |
                                (keys & MK_MBUTTON ? 4 : 0));
}

int16_t ShiftState(WPARAM keys)
{
    return static_cast<int16_t>((keys & MK_SHIFT ? 1 : 0) | (keys & MK_CONTROL ? 2 : 0) |
                                (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

int16_t PressedButton(UINT message)
{
    return message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4;
}

}  // namespace

Win32Window::Win32Window(backend::WindowStyle style, backend::WindowEvents& events, Fonts& fonts)
    : events_(events), fonts_(fonts)
{
    // A first size with a client area: SetClient measures the frame around it.
    hwnd_ = CreateWindowOrFail(style == backend::WindowStyle::Borderless ? "a borderless window" : "a dialog window",
                               0, WindowClass(), StyleOf(style), 400, 300, nullptr);
    // Messages reach the events only once the window is made.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure));
}

Win32Window::~Win32Window()
{
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

int64_t Win32Window::Handle()
{
    // Whoever gets the handle may ask the system where the window is.
    handedOut_ = true;
    PlaceOnScreen();
    return reinterpret_cast<intptr_t>(hwnd_);
}

backend::PixelRect Win32Window::Frame() const
{
    return unplacedClient_ ? FrameAround(*unplacedClient_) : ScreenFrame();
}

backend::PixelRect Win32Window::Client() const { return unplacedClient_ ? *unplacedClient_ : ScreenClient(); }

void Win32Window::SetClient(const backend::PixelRect& client)
{
    // The toolkit places a window once per property, and every move costs
    // round trips to the window server: a window nobody can see yet goes to
    // its place once, when it is shown.
    unplacedClient_ = client;
    if (handedOut_ || IsWindowVisible(hwnd_)) {
        PlaceOnScreen();
    }
}

backend::PixelRect Win32Window::ScreenFrame() const
{
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    return FromRect(frame);
}

backend::PixelRect Win32Window::ScreenClient() const
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return FromRect(client);
}

backend::PixelRect Win32Window::FrameAround(const backend::PixelRect& client) const
{
    // The frame's borders as they are now, at the window's own DPI.
    const backend::PixelRect frame = ScreenFrame();
    const backend::PixelRect inner = ScreenClient();
    return {client.x - (inner.x - frame.x), client.y - (inner.y - frame.y), client.width + frame.width - inner.width,
            client.height + frame.height - inner.height};
}

void Win32Window::PlaceOnScreen()
{
    if (!unplacedClient_) {
        return;
    }
    const backend::PixelRect client = *std::exchange(unplacedClient_, std::nullopt);
    if (ScreenClient() == client) {
        return;
    }
    const backend::PixelRect frame = FrameAround(client);
    SetWindowPos(hwnd_, nullptr, frame.x, frame.y, frame.width, frame.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::SetCaption(const Text& caption) { pending_captions::Set(hwnd_, caption_, caption); }

void Win32Window::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }

void Win32Window::Show()
{
    PlaceOnScreen();
    pending_captions::ShowAll();
    ShowWindow(hwnd_, SW_SHOW);
    Activate();
}

void Win32Window::Hide() { ShowWindow(hwnd_, SW_HIDE); }

void Win32Window::Activate() { SetForegroundWindow(hwnd_); }

void Win32Window::Invalidate() { InvalidateRect(hwnd_, nullptr, FALSE); }

std::unique_ptr<backend::NativeWidget> Win32Window::CreateWidget(backend::WidgetKind kind,
                                                                 backend::NativeWidget* parent,
                                                                 const backend::Font& font,
                                                                 backend::WidgetEvents& events)
{
    HWND parentHwnd = parent != nullptr ? static_cast<Win32Widget*>(parent)->Hwnd() : hwnd_;
    return std::make_unique<Win32Widget>(kind, parentHwnd, fonts_, font, events);
}

void Win32Window::FocusOnActivation(HWND widget)
{
    auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(GetAncestor(widget, GA_ROOT), GWLP_USERDATA));
    window->focus_ = widget;
}

LRESULT CALLBACK Win32Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        pending_captions::Forget(hwnd);
        window->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return window->OnMessage(message, wParam, lParam);
}

// An event handler may destroy this window: nothing of it is used after one.
LRESULT Win32Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    HearDisplayChange(message);
    switch (message) {
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case kActivated:
        // Unless another window has become active meanwhile.
        if (GetActiveWindow() == hwnd_) {
            events_.Activated();
        }
        return 0;
    case WM_CLOSE:
        // The toolkit decides whether and when the window goes.
        events_.CloseRequested();
        return 0;
    case WM_WINDOWPOSCHANGED:
        if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & (SWP_NOMOVE | SWP_NOSIZE)) !=
            (SWP_NOMOVE | SWP_NOSIZE)) {
            events_.GeometryChanged();
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        // The picture covers the client area.
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_MOUSEMOVE:
        if (IsFree(lParam)) {
            events_.MouseMoved(Buttons(wParam), ShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (IsFree(lParam)) {
            events_.MousePressed(PressedButton(message), ShiftState(wParam), GET_X_LPARAM(lParam),
                                 GET_Y_LPARAM(lParam));
        }
        return 0;
    case WM_COMMAND:
        if (Win32Widget::Notify(wParam, lParam)) {
            return 0;
        }
        break;
    default:
        if (HandleKey(hwnd_, message, wParam, [&](int16_t key) { events_.KeyPressed(key); })) {
            return 0;
        }
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Win32Window::OnActivate(bool active)
{
    if (!active) {
        HWND focus = GetFocus();
        focus_ = IsChild(hwnd_, focus) ? focus : nullptr;
        return;
    }
    // Back to the widget that had the focus, else to the first that takes it.
    HWND focus = IsChild(hwnd_, focus_) && IsWindowVisible(focus_) && IsWindowEnabled(focus_)
                     ? focus_
                     : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    SetFocus(focus != nullptr ? focus : hwnd_);
    PostMessageW(hwnd_, kActivated, 0, 0);
}

bool Win32Window::IsFree(LPARAM point) const
{
    return ChildWindowFromPointEx(hwnd_, {GET_X_LPARAM(point), GET_Y_LPARAM(point)}, CWP_SKIPINVISIBLE) == hwnd_;
}

void Win32Window::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    const RECT& part = paint.rcPaint;
    const int width = part.right - part.left;
    // A band of the part at a time, painted and copied to the window while
    // it is still in the processor's cache: a whole 4K picture would go
    // through memory twice on its way to the screen.
    const int bandHeight = std::max(1, kBandBytes / static_cast<int>(sizeof(uint32_t)) / std::max(width, 1));
    // 32-bit DIB rows whose memory layout is 0xFFRRGGBB; a negative height
    // puts them top-down.
    BITMAPINFO bitmap{};
    bitmap.bmiHeader.biSize = sizeof(bitmap.bmiHeader);
    bitmap.bmiHeader.biWidth = width;
    bitmap.bmiHeader.biPlanes = 1;
    bitmap.bmiHeader.biBitCount = 32;
    bitmap.bmiHeader.biCompression = BI_RGB;
    for (int top = part.top; width > 0 && top < part.bottom; top += bandHeight) {
        const int height = std::min(bandHeight, static_cast<int>(part.bottom) - top);
        band_.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        if (!events_.Paint({band_.data(), part.left, top, width, height, width})) {
            FillRect(dc, &part, GetSysColorBrush(COLOR_BTNFACE));
            break;
        }
        bitmap.bmiHeader.biHeight = -height;
        SetDIBitsToDevice(dc, part.left, top, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                          static_cast<UINT>(height), band_.data(), &bitmap, DIB_RGB_COLORS);
    }
    EndPaint(hwnd_, &paint);
}

}  // namespace quorvane
