#include "platform/qt/qt_widgets.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/qt_keys.h"
#include "platform/qt/qt_text.h"

namespace quorvane::qt {

namespace {

// Hands a character key to the widget's events; true when the key carried one.
bool DeliverKey(const EventTarget& target, const QKeyEvent& event)
{
    const int ascii = KeyAscii(event);
    if (ascii < 0) {
        return false;
    }
    if (target.events != nullptr) {
        target.events->KeyPressed(static_cast<int16_t>(ascii));
    }
    return true;
}

class Button final : public QPushButton, public EventTarget {
public:
    explicit Button(QWidget* parent) : QPushButton(parent)
    {
        setAutoDefault(false);
        connect(this, &QPushButton::clicked, this, [this] {
            if (events != nullptr) {
                events->Clicked();
            }
        });
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool character = DeliverKey(*this, *event);
        QPushButton::keyPressEvent(event);
        // The key belongs to the button: the window does not see it as well.
        if (character) {
            event->accept();
        }
    }
};

class Option final : public QRadioButton, public EventTarget {
public:
    explicit Option(QWidget* parent) : QRadioButton(parent) { setAutoExclusive(false); }

protected:
    // A click chooses; the toolkit, not Qt, checks the button.
    void nextCheckState() override
    {
        if (events != nullptr) {
            events->Clicked();
        }
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left: Arrow(-1); return;
        case Qt::Key_Down:
        case Qt::Key_Right: Arrow(+1); return;
        default: break;
        }
        const bool character = DeliverKey(*this, *event);
        QRadioButton::keyPressEvent(event);
        if (character) {
            event->accept();
        }
    }

private:
    void Arrow(int direction)
    {
        if (events != nullptr) {
            events->ArrowPressed(direction);
        }
    }
};

class Picture final : public QWidget, public EventTarget {
public:
    explicit Picture(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!DeliverKey(*this, *event)) {
            QWidget::keyPressEvent(event);
        }
    }
};

class ImageArea final : public QLabel, public EventTarget {
public:
    explicit ImageArea(QWidget* parent) : QLabel(parent) {}

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        if (events != nullptr) {
            events->Clicked();
        }
    }
};

class TextLabel final : public QLabel, public EventTarget {
public:
    explicit TextLabel(QWidget* parent) : QLabel(parent)
    {
        setTextFormat(Qt::PlainText);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
};

class Box final : public QFrame, public EventTarget {
public:
    explicit Box(QWidget* parent) : QFrame(parent) { setFrameStyle(QFrame::Box | QFrame::Plain); }
};

template <typename Native>
Native* Create(QWidget* parent, EventTarget*& target)
{
    auto* native = new Native(parent);
    target = native;
    return native;
}

QWidget* CreateNative(backend::WidgetKind kind, QWidget* parent, EventTarget*& target)
{
    switch (kind) {
    case backend::WidgetKind::Label: return Create<TextLabel>(parent, target);
    case backend::WidgetKind::Frame: return Create<Box>(parent, target);
    case backend::WidgetKind::PushButton: return Create<Button>(parent, target);
    case backend::WidgetKind::OptionButton: return Create<Option>(parent, target);
    case backend::WidgetKind::PictureBox: return Create<Picture>(parent, target);
    case backend::WidgetKind::Image: return Create<ImageArea>(parent, target);
    }
    return Create<Box>(parent, target);
}

}  // namespace

QtWidget::QtWidget(backend::WidgetKind kind, QWidget* parent, const backend::Font& font,
                   backend::WidgetEvents& events)
    : widget_(CreateNative(kind, parent, target_))
{
    target_->events = &events;
    // Mouse events over a widget stay with it: the window's own mouse
    // handlers only see its free client area.
    widget_->setAttribute(Qt::WA_NoMousePropagation);
    SetFont(font);
}

QtWidget::~QtWidget()
{
    if (widget_) {
        target_->events = nullptr;
        widget_->deleteLater();
    }
}

void QtWidget::Place(const backend::PixelRect& rect) { widget_->setGeometry(rect.x, rect.y, rect.width, rect.height); }

void QtWidget::SetCaption(const Text& caption)
{
    const QString text = ToQString(caption);
    if (auto* button = qobject_cast<QAbstractButton*>(widget_.data())) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget_.data())) {
        label->setText(text);
    }
}

void QtWidget::SetFont(const backend::Font& font)
{
    QFont native(QString::fromStdString(font.face));
    native.setPointSizeF(font.points);
    native.setBold(font.bold);
    native.setItalic(font.italic);
    widget_->setFont(native);
}

void QtWidget::SetVisible(bool visible) { widget_->setVisible(visible); }
void QtWidget::SetEnabled(bool enabled) { widget_->setEnabled(enabled); }

void QtWidget::SetChecked(bool checked)
{
    if (auto* option = qobject_cast<QRadioButton*>(widget_.data())) {
        option->setChecked(checked);
    }
}

void QtWidget::ClearPicture()
{
    // Clearing an empty label would still repaint the window behind it.
    auto* image = qobject_cast<QLabel*>(widget_.data());
    if (image != nullptr && !image->pixmap().isNull()) {
        image->clear();
    }
}

void QtWidget::Focus() { widget_->setFocus(Qt::OtherFocusReason); }

}  // namespace quorvane::qt
