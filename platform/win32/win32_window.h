#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/win32/fonts.h"
#include "platform/win32/windows_api.h"

namespace quorvane {

// A top-level window: the borderless popup or the fixed dialog. Its client
// area shows the picture of its events, and the widgets cover parts of it.
class Win32Window final : public backend::NativeWindow {
public:
    Win32Window(backend::WindowStyle style, backend::WindowEvents& events, Fonts& fonts);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    int64_t Handle() override;
    backend::PixelRect Frame() const override;
    backend::PixelRect Client() const override;
    void SetClient(const backend::PixelRect& client) override;
    void SetCaption(const Text& caption) override;
    void SetEnabled(bool enabled) override;
    void Show() override;
    void Hide() override;
    void Activate() override;
    void Invalidate() override;
    std::unique_ptr<backend::NativeWidget> CreateWidget(backend::WidgetKind kind, backend::NativeWidget* parent,
                                                        const backend::Font& font,
                                                        backend::WidgetEvents& events) override;

    // The widget to take the focus when its window is next activated.
    static void FocusOnActivation(HWND widget);

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    backend::PixelRect ScreenFrame() const;
    backend::PixelRect ScreenClient() const;
    // The frame around a client area, with the window's borders.
    backend::PixelRect FrameAround(const backend::PixelRect& client) const;
    // Puts the window where the toolkit last placed it.
    void PlaceOnScreen();
    void Paint();
    void OnActivate(bool active);
    // True when a point of the client area lies on no widget.
    bool IsFree(LPARAM point) const;

    backend::WindowEvents& events_;
    Fonts& fonts_;
    HWND hwnd_;
    // Where the toolkit has placed the window and the screen does not show yet.
    std::optional<backend::PixelRect> unplacedClient_;
    // Once the handle is out, the system is asked where the window is.
    bool handedOut_ = false;
    // The widget that had the focus when the window last lost activation, or
    // that was given it while the window was hidden.
    HWND focus_ = nullptr;
    // The title last set: the toolkit sets it again with every step.
    std::wstring caption_;
    // A band of the picture on its way to the screen, kept between paints.
    std::vector<uint32_t> band_;
};

}  // namespace quorvane
