#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/text.h"

// The window system beneath the toolkit: top-level windows, a few native
// widgets, their events, the event loop and the fatal message box. One
// implementation per window system (Qt, Win32) and a headless one for tests;
// everything a form does is decided above this interface.
namespace quorvane::backend {

// Device pixels. A window's rectangles are in desktop coordinates with the
// primary monitor's top-left corner at (0, 0); a widget's are relative to
// its parent's client area.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

// Where a part of a window's picture is painted: the rectangle (x, y,
// width, height) of the client area, as opaque 32-bit pixels 0xFFRRGGBB,
// rows top-down, `stride` pixels apart, `pixels` pointing at (x, y). The
// window system's own buffer where it has one, so that a picture is written
// once on its way to the screen.
struct PixelTarget {
    uint32_t* pixels = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int stride = 0;
};

enum class WindowStyle {
    Borderless,   // no frame and no title bar: the client area is the window
    FixedDialog,  // title bar with a close command, no minimize or maximize box, not resizable
};

enum class WidgetKind { Label, Frame, PushButton, OptionButton, PictureBox, Image };

struct Font {
    std::string face;  // UTF-8
    double points = 0;
    bool bold = false;
    bool italic = false;
    bool operator==(const Font&) const = default;
};

// What a window reports, always on the user-interface thread.
class WindowEvents {
public:
    // The window became the program's active window.
    virtual void Activated() = 0;
    // The title bar's close command, or the window system closing the window.
    virtual void CloseRequested() = 0;
    // A character key while the window itself has the focus.
    virtual void KeyPressed(int16_t keyAscii) = 0;
    // Buttons 1 left, 2 right, 4 middle; shift 1, control 2, alt 4. Only
    // over client area that no widget covers, in client pixels.
    virtual void MousePressed(int16_t button, int16_t shift, int x, int y) = 0;
    virtual void MouseMoved(int16_t button, int16_t shift, int x, int y) = 0;
    // The window's frame or client area changed, or its frame became known.
    virtual void GeometryChanged() = 0;
    // Paints a part of the client area, whenever it is to be shown; false
    // when the program has drawn nothing there and the window system's own
    // background shows.
    virtual bool Paint(const PixelTarget& target) = 0;

protected:
    ~WindowEvents() = default;
};

class WidgetEvents {
public:
    // A push button clicked, an option button chosen by the user (the backend
    // does not check it itself), an image pressed.
    virtual void Clicked() = 0;
    // A character key while the widget has the focus.
    virtual void KeyPressed(int16_t keyAscii) = 0;
    // An arrow key on an option button: -1 up or left, +1 down or right.
    virtual void ArrowPressed(int direction) = 0;

protected:
    ~WidgetEvents() = default;
};

class NativeWidget {
public:
    virtual ~NativeWidget() = default;
    virtual void Place(const PixelRect& rect) = 0;
    virtual void SetCaption(const Text& caption) = 0;
    virtual void SetFont(const Font& font) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    // Option buttons only.
    virtual void SetChecked(bool checked) = 0;
    // Images only: the picture goes, the area stays.
    virtual void ClearPicture() = 0;
    virtual void Focus() = 0;
};

class NativeWindow {
public:
    virtual ~NativeWindow() = default;
    // The handle the system functions take; asked for only when needed.
    virtual int64_t Handle() = 0;
    // The outer rectangle, frame included, and the client area.
    virtual PixelRect Frame() const = 0;
    virtual PixelRect Client() const = 0;
    // Places the client area; a dialog keeps that size fixed.
    virtual void SetClient(const PixelRect& client) = 0;
    virtual void SetCaption(const Text& caption) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    // Shows the window and makes it active.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void Activate() = 0;
    // The picture changed: the window paints it again soon, once however
    // often it is asked before that.
    virtual void Invalidate() = 0;
    // `parent` null: the window's client area.
    virtual std::unique_ptr<NativeWidget> CreateWidget(WidgetKind kind, NativeWidget* parent,
                                                       const Font& font, WidgetEvents& events) = 0;
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual std::unique_ptr<NativeWindow> CreateWindow(WindowStyle style, WindowEvents& events) = 0;
    // Handles every pending event.
    virtual void ProcessEvents() = 0;
    // Runs `task` from the event loop once the pending events are handled.
    virtual void Post(std::function<void()> task) = 0;
    // Handles events until the program ends.
    virtual void Run() = 0;
    // Tells the user and waits until the message is dismissed.
    virtual void ShowFatalMessage(const std::string& message) = 0;
    // Ends the process at once; no further handler runs.
    [[noreturn]] void Quit(int exitCode);

protected:
    // Must not return.
    virtual void Terminate(int exitCode) = 0;
};

// The backend of this run.
Backend& Current();

// Installs a backend for its own lifetime.
class ScopedBackend {
public:
    explicit ScopedBackend(Backend& backend);
    ~ScopedBackend();
    ScopedBackend(const ScopedBackend&) = delete;
    ScopedBackend& operator=(const ScopedBackend&) = delete;

private:
    Backend* previous_;
};

}  // namespace quorvane::backend
