#include "platform/qt/qt_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <map>

#include "platform/qt/qt_keys.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_widgets.h"

namespace quorvane::qt {

namespace {

std::map<int64_t, QWidget*> windowsByHandle;

int16_t ButtonCode(Qt::MouseButtons buttons)
{
    return static_cast<int16_t>(((buttons & Qt::LeftButton) ? 1 : 0) | ((buttons & Qt::RightButton) ? 2 : 0) |
                                ((buttons & Qt::MiddleButton) ? 4 : 0));
}

int16_t ShiftCode(Qt::KeyboardModifiers modifiers)
{
    return static_cast<int16_t>(((modifiers & Qt::ShiftModifier) ? 1 : 0) |
                                ((modifiers & Qt::ControlModifier) ? 2 : 0) | ((modifiers & Qt::AltModifier) ? 4 : 0));
}

backend::PixelRect ToPixelRect(const QRect& rect)
{
    const QRect moved = rect.translated(-QtWindow::DesktopOrigin());
    return {moved.x(), moved.y(), moved.width(), moved.height()};
}

// Turns window-system events into the window's events.
class EventWindow final : public QWidget {
public:
    explicit EventWindow(backend::WindowEvents& events) : events_(events)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_DeleteOnClose, false);
        // The picture covers the whole window: no background fill under it.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate) {
            events_.Activated();
        }
        const bool result = QWidget::event(event);
        if (event->type() == QEvent::Show || event->type() == QEvent::Move || event->type() == QEvent::Resize) {
            events_.GeometryChanged();
        }
        return result;
    }

    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        events_.CloseRequested();
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        const int ascii = KeyAscii(*event);
        if (ascii < 0) {
            QWidget::keyPressEvent(event);
            return;
        }
        events_.KeyPressed(static_cast<int16_t>(ascii));
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        events_.MousePressed(ButtonCode(event->button()), ShiftCode(event->modifiers()), at.x(), at.y());
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        events_.MouseMoved(ButtonCode(event->buttons()), ShiftCode(event->modifiers()), at.x(), at.y());
    }

    void paintEvent(QPaintEvent*) override
    {
        const backend::PictureView picture = events_.Picture();
        QPainter painter(this);
        if (picture.solid) {
            // A plain field is painted without a full-size image.
            painter.fillRect(0, 0, picture.width, picture.height, QColor::fromRgb(*picture.solid));
        } else if (picture.pixels != nullptr) {
            const QImage image(reinterpret_cast<const uchar*>(picture.pixels), picture.width, picture.height,
                               static_cast<qsizetype>(picture.stride) * 4, QImage::Format_RGB32);
            painter.drawImage(0, 0, image);
        } else {
            painter.fillRect(rect(), palette().window());
        }
    }

private:
    backend::WindowEvents& events_;
};

}  // namespace

QtWindow::QtWindow(backend::WindowStyle style, backend::WindowEvents& events)
    : style_(style), window_(new EventWindow(events))
{
    if (style == backend::WindowStyle::Borderless) {
        window_->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    } else {
        window_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    }
}

QtWindow::~QtWindow()
{
    windowsByHandle.erase(handle_);
    delete window_.data();
}

QWidget* QtWindow::WidgetOf(int64_t handle)
{
    const auto found = windowsByHandle.find(handle);
    return found == windowsByHandle.end() ? nullptr : found->second;
}

QPoint QtWindow::DesktopOrigin()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary != nullptr ? primary->geometry().topLeft() : QPoint();
}

int64_t QtWindow::Handle()
{
    if (handle_ == 0) {
        // The native window's own handle, which the system functions
        // understand. Asked for only when needed: a window created before it
        // is placed would be placed without its frame.
        handle_ = static_cast<int32_t>(window_->winId());
        windowsByHandle[handle_] = window_;
    }
    return handle_;
}

backend::PixelRect QtWindow::Frame() const { return ToPixelRect(window_->frameGeometry()); }
backend::PixelRect QtWindow::Client() const { return ToPixelRect(window_->geometry()); }

void QtWindow::SetClient(const backend::PixelRect& client)
{
    if (client.width != window_->width() || client.height != window_->height()) {
        if (style_ == backend::WindowStyle::FixedDialog) {
            window_->setFixedSize(client.width, client.height);
        } else {
            window_->resize(client.width, client.height);
        }
    }
    // A top-level window moves by its frame.
    const QRect frame = window_->frameGeometry();
    const QPoint margin = window_->geometry().topLeft() - frame.topLeft();
    const QPoint wanted = QPoint(client.x, client.y) + DesktopOrigin() - margin;
    if (wanted != frame.topLeft()) {
        window_->move(wanted);
    }
}

void QtWindow::SetCaption(const Text& caption) { window_->setWindowTitle(ToQString(caption)); }
void QtWindow::SetEnabled(bool enabled) { window_->setEnabled(enabled); }

void QtWindow::Show()
{
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void QtWindow::Hide() { window_->hide(); }
void QtWindow::Activate() { window_->activateWindow(); }
void QtWindow::Invalidate() { window_->update(); }

std::unique_ptr<backend::NativeWidget> QtWindow::CreateWidget(backend::WidgetKind kind, backend::NativeWidget* parent,
                                                              const backend::Font& font,
                                                              backend::WidgetEvents& events)
{
    QWidget* parentWidget = parent != nullptr ? static_cast<QtWidget*>(parent)->Widget() : window_.data();
    return std::make_unique<QtWidget>(kind, parentWidget, font, events);
}

}  // namespace quorvane::qt
