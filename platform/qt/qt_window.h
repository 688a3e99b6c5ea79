#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/backend.h"

class QScreen;

namespace quorvane::qt {

// A top-level window on Qt Widgets. Where the window system places windows
// itself (Wayland), a borderless window is made fullscreen on the screen
// under its rectangle, a dialog stays above it as its transient child, and a
// dialog is taken to lie at the top-left corner of its screen.
class QtWindow final : public backend::NativeWindow {
public:
    QtWindow(backend::WindowStyle style, backend::WindowEvents& events);
    ~QtWindow() override;

    // The window of a handle given out by Handle(); null when unknown.
    static QtWindow* WindowOf(int64_t handle);
    // The dialog that takes the keys a disabled window is given; null when none is up.
    static QWidget* KeyTarget();

    void KeepOnTop();

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

private:
    bool Fullscreen() const;
    void FollowWantedScreen();
    void ShowFullScreenOn(QScreen* screen);
    // A dialog on a window system that places windows itself: shown as the
    // fullscreen window's transient child once that window is on screen, or
    // has shown its next picture.
    void ShowAboveBorderlessWindow(bool afterNextPicture);

    backend::WindowStyle style_;
    QPointer<QWidget> window_;
    int64_t handle_ = 0;
    // Where a fullscreen window was asked to be, in device pixels.
    backend::PixelRect wanted_;
    bool placementPending_ = false;
    // A dialog's show may wait for the fullscreen window's first picture.
    bool showWanted_ = false;
};

}  // namespace quorvane::qt
