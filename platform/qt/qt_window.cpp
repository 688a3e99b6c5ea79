#include "platform/qt/qt_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <map>
#include <vector>

#include "platform/qt/qt_keys.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_widgets.h"
#include "platform/qt/screen_layout.h"

namespace quorvane::qt {

namespace {

std::vector<QtWindow*> windows;
std::map<int64_t, QtWindow*> windowsByHandle;

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

backend::PixelRect ToPixelRect(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

// Where the primary screen's top-left corner lies in Qt's coordinates.
QPoint PrimaryOrigin()
{
    const QScreen* primary = PrimaryScreen();
    return primary != nullptr ? primary->geometry().topLeft() : QPoint();
}

// The widget that takes a window's keys: its focus widget; in a window none
// of whose widgets has been chosen yet (it has never had the focus, or has
// only just got it), the first in the tab order, chosen as on activation.
QWidget* KeyTakerIn(QWidget& window)
{
    for (QWidget* next = window.nextInFocusChain(); window.focusWidget() == nullptr && next != &window;
         next = next->nextInFocusChain()) {
        if (next->isEnabled() && next->isVisible() && (next->focusPolicy() & Qt::TabFocus) != 0) {
            next->setFocus(Qt::TabFocusReason);
        }
    }
    QWidget* focus = window.focusWidget();
    return focus != nullptr ? focus : &window;
}

void SendKey(QWidget& to, const QKeyEvent& key)
{
    QKeyEvent copy(key.type(), key.key(), key.modifiers(), key.text(), key.isAutoRepeat(), key.count());
    QCoreApplication::sendEvent(&to, &copy);
}

// Turns window-system events into the window's events.
class EventWindow final : public QWidget {
public:
    // `picture`: for a fullscreen window, the size in device pixels that the
    // picture is drawn for, that of the output.
    EventWindow(backend::WindowEvents& events, const backend::PixelRect* picture) : events_(events), picture_(picture)
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
        // A key that comes as the window gets the focus, before Qt has chosen
        // the widget to take it, would reach the window itself and be lost.
        // A key its widget leaves comes here too, with the focus chosen.
        if (focusWidget() == nullptr) {
            if (QWidget* taker = KeyTakerIn(*this); taker != this) {
                SendKey(*taker, *event);
                return;
            }
        }
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

    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        // One picture pixel to one device pixel, also on a scaled screen.
        const qreal ratio = devicePixelRatioF();
        if (picture_ != nullptr && picture_->width > 0 && picture_->height > 0 &&
            QSize(picture_->width, picture_->height) != (QSizeF(size()) * ratio).toSize()) {
            PaintStretched(painter);
            return;
        }
        const QRect part = QRectF(QRectF(event->rect()).topLeft() * ratio, QRectF(event->rect()).size() * ratio)
                               .toAlignedRect();
        const QPoint origin = painter.deviceTransform().map(QPointF(0, 0)).toPoint();
        auto* shown = dynamic_cast<QImage*>(painter.paintEngine()->paintDevice());
        if (shown != nullptr && shown->depth() == 32 &&
            QRect(QPoint(), shown->size()).contains(part.translated(origin))) {
            // Straight into the window's buffer: the picture is written once.
            const QPoint at = part.topLeft() + origin;
            auto* pixels = reinterpret_cast<uint32_t*>(shown->scanLine(at.y())) + at.x();
            const auto stride = static_cast<int>(shown->bytesPerLine() / 4);
            if (!events_.Paint({pixels, part.x(), part.y(), part.width(), part.height(), stride})) {
                painter.fillRect(event->rect(), palette().window());
            }
            return;
        }
        QImage image(part.size(), QImage::Format_RGB32);
        const auto stride = static_cast<int>(image.bytesPerLine() / 4);
        if (events_.Paint({reinterpret_cast<uint32_t*>(image.bits()), part.x(), part.y(), part.width(),
                           part.height(), stride})) {
            image.setDevicePixelRatio(ratio);
            painter.drawImage(QRectF(part.topLeft() / ratio, part.size() / ratio), image);
        } else {
            painter.fillRect(event->rect(), palette().window());
        }
    }

private:
    // A toolkit that draws only at whole scales paints a window on an output
    // scaled by a fraction at the next whole scale, and the compositor shrinks
    // it to the output: the output's picture is stretched over the window.
    void PaintStretched(QPainter& painter)
    {
        QImage image(picture_->width, picture_->height, QImage::Format_RGB32);
        const auto stride = static_cast<int>(image.bytesPerLine() / 4);
        if (!events_.Paint({reinterpret_cast<uint32_t*>(image.bits()), 0, 0, image.width(), image.height(), stride})) {
            painter.fillRect(rect(), palette().window());
            return;
        }
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(rect()), image);
    }

    backend::WindowEvents& events_;
    const backend::PixelRect* picture_;
};

// A compositor may give the focus to a window that the dialog keeps disabled:
// the dialog takes its keys all the same.
class KeysToDialog final : public QObject {
public:
    KeysToDialog(QWidget& window) : QObject(&window), window_(window) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if ((event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) || window_.isEnabled()) {
            return false;
        }
        QWidget* target = QtWindow::KeyTarget();
        if (target == nullptr) {
            return false;
        }
        SendKey(*target, *static_cast<QKeyEvent*>(event));
        return true;
    }

private:
    QWidget& window_;
};

// Runs `then` once the window has shown its first picture. A compositor may
// take a window for another's child only once that one has a picture on
// screen (sway 1.10 drops the link before), and Qt sends the link when the
// child is shown.
class AfterFirstPicture final : public QObject {
public:
    AfterFirstPicture(QWindow& window, std::function<void()> then) : QObject(&window), then_(std::move(then))
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            // Queued: this expose is what paints the picture and hands it over.
            QTimer::singleShot(0, parent(), then_);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> then_;
};

}  // namespace

QtWindow::QtWindow(backend::WindowStyle style, backend::WindowEvents& events)
    : style_(style), window_(new EventWindow(events, Fullscreen() ? &wanted_ : nullptr))
{
    if (style == backend::WindowStyle::Borderless) {
        window_->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    } else {
        window_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    }
    windows.push_back(this);
}

QtWindow::~QtWindow()
{
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    windowsByHandle.erase(handle_);
    delete window_.data();
}

QtWindow* QtWindow::WindowOf(int64_t handle)
{
    const auto found = windowsByHandle.find(handle);
    return found == windowsByHandle.end() ? nullptr : found->second;
}

QWidget* QtWindow::KeyTarget()
{
    for (const QtWindow* window : windows) {
        if (window->style_ == backend::WindowStyle::FixedDialog && window->window_->isVisible() &&
            window->window_->isEnabled()) {
            return KeyTakerIn(*window->window_);
        }
    }
    return nullptr;
}

bool QtWindow::Fullscreen() const
{
    return style_ == backend::WindowStyle::Borderless && !WindowsHavePositions();
}

int64_t QtWindow::Handle()
{
    if (handle_ == 0) {
        // The native window's own handle, which the system functions
        // understand. Asked for only when needed: a window created before it
        // is placed would be placed without its frame.
        handle_ = static_cast<int32_t>(window_->winId());
        windowsByHandle[handle_] = this;
    }
    return handle_;
}

void QtWindow::KeepOnTop()
{
    // Changed on the native window, so that a shown window is not hidden and re-shown.
    window_->winId();
    window_->windowHandle()->setFlag(Qt::WindowStaysOnTopHint, true);
    window_->raise();
}

backend::PixelRect QtWindow::Frame() const
{
    if (Fullscreen()) {
        return wanted_;
    }
    const QRect frame = window_->frameGeometry();
    if (!WindowsHavePositions()) {
        // The window system will not tell: the window is taken to lie at the
        // top-left corner of its screen, which is all the monitor look-up needs.
        const QPoint corner = DeviceRect(*window_->screen()).topLeft();
        return {corner.x(), corner.y(), frame.width(), frame.height()};
    }
    return ToPixelRect(frame.translated(-PrimaryOrigin()));
}

backend::PixelRect QtWindow::Client() const
{
    if (Fullscreen()) {
        return wanted_;
    }
    const backend::PixelRect frame = Frame();
    const QPoint margin = window_->geometry().topLeft() - window_->frameGeometry().topLeft();
    return {frame.x + margin.x(), frame.y + margin.y(), window_->width(), window_->height()};
}

void QtWindow::SetClient(const backend::PixelRect& client)
{
    if (Fullscreen()) {
        wanted_ = client;
        // The window goes fullscreen on its screen once the handler has placed it.
        if (!placementPending_) {
            placementPending_ = true;
            QTimer::singleShot(0, window_, [this] { FollowWantedScreen(); });
        }
        return;
    }
    if (client.width != window_->width() || client.height != window_->height()) {
        if (style_ == backend::WindowStyle::FixedDialog) {
            window_->setFixedSize(client.width, client.height);
        } else {
            window_->resize(client.width, client.height);
        }
    }
    // A top-level window moves by its frame.
    const backend::PixelRect current = Client();
    const QPoint moveBy(client.x - current.x, client.y - current.y);
    if (!moveBy.isNull()) {
        window_->move(window_->frameGeometry().topLeft() + moveBy);
    }
}

void QtWindow::FollowWantedScreen()
{
    placementPending_ = false;
    QScreen* screen = ScreenFor(wanted_);
    if (window_->isVisible() && window_->screen() != screen) {
        ShowFullScreenOn(screen);
    }
}

void QtWindow::ShowFullScreenOn(QScreen* screen)
{
    // A compositor honours a fullscreen request that names the output, but
    // only from a window it maps afresh; the dialogs above go and come back.
    std::vector<QtWindow*> dialogs;
    for (QtWindow* window : windows) {
        if (window->style_ == backend::WindowStyle::FixedDialog && window->window_->isVisible()) {
            dialogs.push_back(window);
            window->window_->hide();
        }
    }
    window_->hide();
    window_->winId();
    window_->windowHandle()->setScreen(screen);
    window_->showFullScreen();
    for (QtWindow* dialog : dialogs) {
        // The window may still count as exposed from before it was hidden.
        dialog->ShowAboveBorderlessWindow(true);
    }
}

void QtWindow::ShowAboveBorderlessWindow(bool afterNextPicture)
{
    showWanted_ = true;
    QWindow* parent = nullptr;
    for (const QtWindow* window : windows) {
        if (window->Fullscreen()) {
            window->window_->winId();
            parent = window->window_->windowHandle();
        }
    }
    // The window goes with its widget, which the pointer watches.
    const auto show = [this, alive = window_, parent] {
        if (alive == nullptr || !showWanted_) {
            return;
        }
        // Without the link the dialog would be hidden behind the fullscreen window.
        window_->winId();
        window_->windowHandle()->setTransientParent(parent);
        window_->show();
        window_->raise();
        window_->activateWindow();
    };
    if (parent != nullptr && (afterNextPicture || !parent->isExposed())) {
        new AfterFirstPicture(*parent, show);
    } else {
        show();
    }
}

void QtWindow::SetCaption(const Text& caption) { window_->setWindowTitle(ToQString(caption)); }
void QtWindow::SetEnabled(bool enabled) { window_->setEnabled(enabled); }

void QtWindow::Show()
{
    if (window_->windowHandle() == nullptr) {
        window_->winId();
        window_->windowHandle()->installEventFilter(new KeysToDialog(*window_));
    }
    if (!Fullscreen() && !WindowsHavePositions()) {
        ShowAboveBorderlessWindow(false);
        return;
    }
    if (Fullscreen()) {
        ShowFullScreenOn(ScreenFor(wanted_));
    } else {
        window_->show();
    }
    window_->raise();
    window_->activateWindow();
}

void QtWindow::Hide()
{
    showWanted_ = false;
    window_->hide();
}
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
