#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/backend.h"

namespace quorvane::qt {

// A top-level window on Qt Widgets.
class QtWindow final : public backend::NativeWindow {
public:
    QtWindow(backend::WindowStyle style, backend::WindowEvents& events);
    ~QtWindow() override;

    // The window of a handle given out by Handle(); null when unknown.
    static QWidget* WidgetOf(int64_t handle);
    // Where the primary monitor's top-left corner lies in Qt's coordinates.
    static QPoint DesktopOrigin();

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
    backend::WindowStyle style_;
    QPointer<QWidget> window_;
    int64_t handle_ = 0;
};

}  // namespace quorvane::qt
