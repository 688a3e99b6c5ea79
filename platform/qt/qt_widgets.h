#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/backend.h"

namespace quorvane::qt {

// Where a native widget sends its events; cut off when the widget is let go,
// since the window system may still deliver events to it afterwards.
struct EventTarget {
    backend::WidgetEvents* events = nullptr;
};

// A standard widget on Qt Widgets, a child of its window or of a frame.
class QtWidget final : public backend::NativeWidget {
public:
    QtWidget(backend::WidgetKind kind, QWidget* parent, const backend::Font& font, backend::WidgetEvents& events);
    ~QtWidget() override;

    QWidget* Widget() const { return widget_.data(); }

    void Place(const backend::PixelRect& rect) override;
    void SetCaption(const Text& caption) override;
    void SetFont(const backend::Font& font) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void SetChecked(bool checked) override;
    void ClearPicture() override;
    void Focus() override;

private:
    EventTarget* target_ = nullptr;
    QPointer<QWidget> widget_;
};

}  // namespace quorvane::qt
