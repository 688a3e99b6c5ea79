#include "platform/fake/headless_backend.h"

#include <algorithm>

namespace quorvane {

namespace {

bool Contains(const backend::PixelRect& rect, int x, int y)
{
    return x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height;
}

}  // namespace

HeadlessWidget::HeadlessWidget(HeadlessWindow& window, backend::WidgetKind kind, HeadlessWidget* parent,
                               const backend::Font& font, backend::WidgetEvents& events)
    : window_(window), kind_(kind), parent_(parent), events_(events), font_(font)
{
    window_.widgets_.push_back(this);
}

HeadlessWidget::~HeadlessWidget()
{
    auto& widgets = window_.widgets_;
    widgets.erase(std::remove(widgets.begin(), widgets.end(), this), widgets.end());
    if (window_.focus_ == this) {
        window_.focus_ = nullptr;
    }
}

void HeadlessWidget::Focus() { window_.focus_ = this; }

backend::PixelRect HeadlessWidget::ClientRect() const
{
    backend::PixelRect rect = rect_;
    for (const HeadlessWidget* parent = parent_; parent != nullptr; parent = parent->parent_) {
        rect.x += parent->rect_.x;
        rect.y += parent->rect_.y;
    }
    return rect;
}

bool HeadlessWidget::TakesInput() const
{
    for (const HeadlessWidget* widget = this; widget != nullptr; widget = widget->parent_) {
        if (!widget->visible_ || !widget->enabled_) {
            return false;
        }
    }
    return window_.shown_ && window_.enabled_;
}

void HeadlessWidget::Click()
{
    const bool clickable = kind_ == backend::WidgetKind::PushButton ||
                           kind_ == backend::WidgetKind::OptionButton || kind_ == backend::WidgetKind::Image;
    if (clickable && TakesInput()) {
        Focus();
        events_.Clicked();
    }
}

void HeadlessWidget::PressKey(int16_t keyAscii)
{
    if (TakesInput()) {
        events_.KeyPressed(keyAscii);
    }
}

void HeadlessWidget::PressArrow(int direction)
{
    if (kind_ == backend::WidgetKind::OptionButton && TakesInput()) {
        events_.ArrowPressed(direction);
    }
}

HeadlessWindow::HeadlessWindow(HeadlessBackend& system, backend::WindowStyle style, backend::WindowEvents& events,
                               int64_t handle)
    : system_(system), style_(style), events_(events), handle_(handle)
{
}

HeadlessWindow::~HeadlessWindow() = default;

backend::PixelRect HeadlessWindow::Frame() const
{
    if (!framed_) {
        return client_;
    }
    const backend::PixelRect& m = kDialogMargins;
    return {client_.x - m.x, client_.y - m.y, client_.width + m.x + m.width, client_.height + m.y + m.height};
}

void HeadlessWindow::PostEvent(std::function<void(backend::WindowEvents&)> report)
{
    system_.Post([alive = std::weak_ptr<bool>(alive_), &events = events_, report = std::move(report)] {
        if (!alive.expired()) {
            report(events);
        }
    });
}

void HeadlessWindow::SetClient(const backend::PixelRect& client)
{
    client_ = client;
    PostEvent([](backend::WindowEvents& events) { events.GeometryChanged(); });
}

void HeadlessWindow::Show()
{
    if (!framed_ && style_ == backend::WindowStyle::FixedDialog) {
        // The frame goes around the window where it was placed.
        framed_ = true;
        client_.x += kDialogMargins.x;
        client_.y += kDialogMargins.y;
    }
    shown_ = true;
    PostEvent([](backend::WindowEvents& events) { events.GeometryChanged(); });
    Activate();
}

void HeadlessWindow::Activate()
{
    PostEvent([this](backend::WindowEvents& events) {
        if (shown_) {
            events.Activated();
        }
    });
}

std::unique_ptr<backend::NativeWidget> HeadlessWindow::CreateWidget(backend::WidgetKind kind,
                                                                    backend::NativeWidget* parent,
                                                                    const backend::Font& font,
                                                                    backend::WidgetEvents& events)
{
    return std::make_unique<HeadlessWidget>(*this, kind, static_cast<HeadlessWidget*>(parent), font, events);
}

HeadlessWidget* HeadlessWindow::WidgetAt(int x, int y) const
{
    // Later widgets lie above earlier ones.
    for (auto widget = widgets_.rbegin(); widget != widgets_.rend(); ++widget) {
        if (Contains((*widget)->ClientRect(), x, y) && (*widget)->Visible()) {
            return *widget;
        }
    }
    return nullptr;
}

const HeadlessPicture& HeadlessWindow::Screenshot()
{
    const size_t area = static_cast<size_t>(client_.width) * static_cast<size_t>(client_.height);
    screen_.width = client_.width;
    screen_.height = client_.height;
    screen_.pixels.resize(area);
    if (!events_.Paint({screen_.pixels.data(), 0, 0, client_.width, client_.height, client_.width})) {
        std::fill(screen_.pixels.begin(), screen_.pixels.end(), 0xFF000000u | kBackground);
    }
    return screen_;
}

void HeadlessWindow::PressKey(int16_t keyAscii)
{
    if (!shown_ || !enabled_) {
        return;
    }
    if (focus_ != nullptr && focus_->TakesInput()) {
        focus_->PressKey(keyAscii);
    } else {
        events_.KeyPressed(keyAscii);
    }
}

void HeadlessWindow::PressMouse(int x, int y)
{
    if (!shown_ || !enabled_) {
        return;
    }
    if (HeadlessWidget* widget = WidgetAt(x, y)) {
        widget->Click();
    } else {
        events_.MousePressed(1, 0, x, y);
    }
}

void HeadlessWindow::MoveMouse(int x, int y)
{
    if (shown_ && enabled_ && WidgetAt(x, y) == nullptr) {
        events_.MouseMoved(0, 0, x, y);
    }
}

void HeadlessWindow::Close()
{
    if (shown_) {
        events_.CloseRequested();
    }
}

std::unique_ptr<backend::NativeWindow> HeadlessBackend::CreateWindow(backend::WindowStyle style,
                                                                     backend::WindowEvents& events)
{
    return std::make_unique<HeadlessWindow>(*this, style, events, nextHandle_++);
}

void HeadlessBackend::ProcessEvents()
{
    // Events that handlers post meanwhile wait for the next round, as in an
    // event loop's pass.
    std::deque<std::function<void()>> pending;
    pending.swap(queue_);
    for (auto& task : pending) {
        task();
    }
}

}  // namespace quorvane
