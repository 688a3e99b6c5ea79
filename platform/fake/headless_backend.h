#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"

namespace quorvane {

// Thrown when the program ends, so that a test sees the end.
struct ProcessEnded {
    int exitCode;
};

class HeadlessWindow;

// A widget of the headless window system: its state, and what a user can do to it.
class HeadlessWidget final : public backend::NativeWidget {
public:
    HeadlessWidget(HeadlessWindow& window, backend::WidgetKind kind, HeadlessWidget* parent,
                   const backend::Font& font, backend::WidgetEvents& events);
    ~HeadlessWidget() override;

    void Place(const backend::PixelRect& rect) override { rect_ = rect; }
    void SetCaption(const Text& caption) override { caption_ = caption; }
    void SetFont(const backend::Font& font) override { font_ = font; }
    void SetVisible(bool visible) override { visible_ = visible; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    void SetChecked(bool) override {}
    void ClearPicture() override { hasPicture_ = false; }
    void Focus() override;

    // What a user does; nothing happens while the widget cannot take input.
    void Click();
    void PressKey(int16_t keyAscii);
    void PressArrow(int direction);

    backend::WidgetKind Kind() const { return kind_; }
    const backend::PixelRect& Rect() const { return rect_; }
    // The rectangle in the window's client area.
    backend::PixelRect ClientRect() const;
    const Text& Caption() const { return caption_; }
    const backend::Font& Font() const { return font_; }
    bool Visible() const { return visible_; }
    bool HasPicture() const { return hasPicture_; }
    void GivePicture() { hasPicture_ = true; }
    // Visible and enabled, as are its parent and its shown window.
    bool TakesInput() const;

private:
    HeadlessWindow& window_;
    backend::WidgetKind kind_;
    HeadlessWidget* parent_;
    backend::WidgetEvents& events_;
    backend::PixelRect rect_;
    Text caption_;
    backend::Font font_;
    bool visible_ = true;
    bool enabled_ = true;
    bool hasPicture_ = false;
};

// What a window shows: pixels 0xFFRRGGBB row by row.
struct HeadlessPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t ColourAt(int x, int y) const
    {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] & 0xFFFFFFu;
    }
};

// A window of the headless window system. A dialog gets its frame when it is
// first shown, as under a window manager.
class HeadlessWindow final : public backend::NativeWindow {
public:
    static constexpr backend::PixelRect kDialogMargins{2, 22, 2, 2};  // left, top, right, bottom

    HeadlessWindow(class HeadlessBackend& system, backend::WindowStyle style, backend::WindowEvents& events,
                   int64_t handle);
    ~HeadlessWindow() override;

    int64_t Handle() override { return handle_; }
    backend::PixelRect Frame() const override;
    backend::PixelRect Client() const override { return client_; }
    void SetClient(const backend::PixelRect& client) override;
    void SetCaption(const Text& caption) override { caption_ = caption; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    void Show() override;
    void Hide() override { shown_ = false; }
    void Activate() override;
    void Invalidate() override {}
    std::unique_ptr<backend::NativeWidget> CreateWidget(backend::WidgetKind kind, backend::NativeWidget* parent,
                                                        const backend::Font& font,
                                                        backend::WidgetEvents& events) override;

    // What a user does. Keys go to the focused widget, else to the window;
    // presses and moves over a widget go to the widget. A disabled or
    // hidden window takes nothing.
    void PressKey(int16_t keyAscii);
    void PressMouse(int x, int y);
    void MoveMouse(int x, int y);
    // The title bar's close command.
    void Close();

    // Paints the window as the window system would show it; the system's
    // own background is mid grey.
    const HeadlessPicture& Screenshot();
    static constexpr uint32_t kBackground = 0x808080;

    bool Shown() const { return shown_; }
    bool Enabled() const { return enabled_; }
    const Text& Caption() const { return caption_; }

private:
    friend class HeadlessWidget;
    HeadlessWidget* WidgetAt(int x, int y) const;
    // Reports an event from the queue, unless the window has gone by then.
    void PostEvent(std::function<void(backend::WindowEvents&)> report);

    HeadlessBackend& system_;
    backend::WindowStyle style_;
    backend::WindowEvents& events_;
    int64_t handle_;
    backend::PixelRect client_;
    bool framed_ = false;
    Text caption_;
    bool enabled_ = true;
    bool shown_ = false;
    HeadlessPicture screen_;
    std::vector<HeadlessWidget*> widgets_;
    HeadlessWidget* focus_ = nullptr;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// A window system without a display, for tests: windows and widgets keep
// their state, events wait in a queue until processed, the message box is
// recorded and the end of the program is thrown as ProcessEnded.
class HeadlessBackend final : public backend::Backend {
public:
    std::unique_ptr<backend::NativeWindow> CreateWindow(backend::WindowStyle style,
                                                        backend::WindowEvents& events) override;
    void ProcessEvents() override;
    void Post(std::function<void()> task) override { queue_.push_back(std::move(task)); }
    void Run() override { ProcessEvents(); }
    void ShowFatalMessage(const std::string& message) override { fatalMessages_.push_back(message); }

    const std::vector<std::string>& FatalMessages() const { return fatalMessages_; }

    static HeadlessWindow& Of(backend::NativeWindow& window) { return static_cast<HeadlessWindow&>(window); }
    static HeadlessWidget& Of(backend::NativeWidget& widget) { return static_cast<HeadlessWidget&>(widget); }

protected:
    void Terminate(int exitCode) override { throw ProcessEnded{exitCode}; }

private:
    std::deque<std::function<void()>> queue_;
    int64_t nextHandle_ = 0x20001;
    std::vector<std::string> fatalMessages_;
};

}  // namespace quorvane
