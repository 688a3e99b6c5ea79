#include "platform/toolkit/widgets.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "platform/checked_arith.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/program.h"

namespace quorvane::toolkit {

namespace {

// Delivers a character key to a key handler; true when the key carried one.
bool DeliverKeyPress(const KeyPressHandler& handler, const QKeyEvent& event)
{
    const int ascii = KeyAscii(event);
    if (ascii < 0) {
        return false;
    }
    if (handler) {
        RunHandler([&] {
            auto keyAscii = static_cast<int16_t>(ascii);
            handler(keyAscii);
        });
    }
    return true;
}

class NativeButton final : public QPushButton {
public:
    NativeButton(QWidget* parent, CommandButton& owner) : QPushButton(parent), owner_(owner)
    {
        setAutoDefault(false);
        connect(this, &QPushButton::clicked, this, [this] {
            if (owner_.onClick) {
                RunHandler(owner_.onClick);
            }
        });
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        DeliverKeyPress(owner_.onKeyPress, *event);
        QPushButton::keyPressEvent(event);
    }

private:
    CommandButton& owner_;
};

class NativeOption final : public QRadioButton {
public:
    NativeOption(QWidget* parent, OptionButton& owner, OptionGroup& group)
        : QRadioButton(parent), owner_(owner), group_(group)
    {
        setAutoExclusive(false);
    }

protected:
    // A click selects; the group, not Qt, keeps the buttons exclusive.
    void nextCheckState() override
    {
        RunHandler([this] { group_.Select(owner_); });
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left: RunHandler([this] { group_.Step(owner_, -1); }); return;
        case Qt::Key_Down:
        case Qt::Key_Right: RunHandler([this] { group_.Step(owner_, +1); }); return;
        default: break;
        }
        DeliverKeyPress(owner_.onKeyPress, *event);
        QRadioButton::keyPressEvent(event);
    }

private:
    OptionButton& owner_;
    OptionGroup& group_;
};

class NativePicture final : public QWidget {
public:
    NativePicture(QWidget* parent, PictureBox& owner) : QWidget(parent), owner_(owner)
    {
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!DeliverKeyPress(owner_.onKeyPress, *event)) {
            QWidget::keyPressEvent(event);
        }
    }

private:
    PictureBox& owner_;
};

class NativeImage final : public QLabel {
public:
    NativeImage(QWidget* parent, Image& owner) : QLabel(parent), owner_(owner) {}

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        if (owner_.onMouseDown) {
            RunHandler(owner_.onMouseDown);
        }
    }

private:
    Image& owner_;
};

QWidget* Prepared(QWidget* native)
{
    // Mouse events over a widget stay with it: the form's own mouse handlers
    // only see its free client area.
    native->setAttribute(Qt::WA_NoMousePropagation);
    return native;
}

}  // namespace

Widget::Widget(Form& form, QWidget* native, double left, double top, double width, double height)
    : form_(form), native_(Prepared(native)), leftTwips_(left), topTwips_(top), widthTwips_(width),
      heightTwips_(height)
{
    Place();
}

double Widget::Left() const { return leftTwips_ / form_.ScaleFactorX(); }
double Widget::Top() const { return topTwips_ / form_.ScaleFactorY(); }
double Widget::Width() const { return widthTwips_ / form_.ScaleFactorX(); }
double Widget::Height() const { return heightTwips_ / form_.ScaleFactorY(); }

void Widget::SetLeft(double left)
{
    leftTwips_ = left * form_.ScaleFactorX();
    Place();
}

void Widget::SetTop(double top)
{
    topTwips_ = top * form_.ScaleFactorY();
    Place();
}

void Widget::SetWidth(double width)
{
    widthTwips_ = width * form_.ScaleFactorX();
    Place();
}

void Widget::Place()
{
    const double tppX = TwipsPerPixelX();
    const double tppY = TwipsPerPixelY();
    native_->setGeometry(arith::ToInt32(leftTwips_ / tppX), arith::ToInt32(topTwips_ / tppY),
                         arith::ToInt32(widthTwips_ / tppX), arith::ToInt32(heightTwips_ / tppY));
}

QWidget* Widget::Native() const { return native_.data(); }
void Widget::SetFocus() { native_->setFocus(Qt::OtherFocusReason); }

bool Widget::Visible() const { return !native_->isHidden(); }
void Widget::SetVisible(bool visible) { native_->setVisible(visible); }
bool Widget::Enabled() const { return native_->isEnabled(); }
void Widget::SetEnabled(bool enabled) { native_->setEnabled(enabled); }

std::string Widget::FontName() const { return native_->font().family().toStdString(); }

void Widget::SetFontName(const std::string& name)
{
    QFont font = native_->font();
    font.setFamily(QString::fromStdString(name));
    native_->setFont(font);
}

void Widget::SetFontSize(double points)
{
    QFont font = native_->font();
    font.setPointSizeF(points);
    native_->setFont(font);
}

void Widget::SetFontBold(bool bold)
{
    QFont font = native_->font();
    font.setBold(bold);
    native_->setFont(font);
}

void Widget::SetFontItalic(bool italic)
{
    QFont font = native_->font();
    font.setItalic(italic);
    native_->setFont(font);
}

Label::Label(Form& form, QWidget* parent, double left, double top, double width, double height, const Text& caption)
    : Widget(form, new QLabel(parent), left, top, width, height)
{
    auto* label = static_cast<QLabel*>(native_.data());
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetCaption(caption);
}

void Label::SetCaption(const Text& caption) { static_cast<QLabel*>(native_.data())->setText(ToQString(caption)); }
Text Label::Caption() const { return FromQString(static_cast<QLabel*>(native_.data())->text()); }

Frame::Frame(Form& form, QWidget* parent, double left, double top, double width, double height)
    : Widget(form, new QFrame(parent), left, top, width, height)
{
    static_cast<QFrame*>(native_.data())->setFrameStyle(QFrame::Box | QFrame::Plain);
}

CommandButton::CommandButton(Form& form, QWidget* parent, double left, double top, double width, double height)
    : Widget(form, new NativeButton(parent, *this), left, top, width, height)
{
}

void CommandButton::SetCaption(const Text& caption)
{
    static_cast<QPushButton*>(native_.data())->setText(ToQString(caption));
}

Text CommandButton::Caption() const { return FromQString(static_cast<QPushButton*>(native_.data())->text()); }

OptionButton::OptionButton(Form& form, OptionGroup& group, QWidget* parent, double left, double top, double width,
                           double height, const Text& caption)
    : Widget(form, new NativeOption(parent, *this, group), left, top, width, height), group_(group)
{
    group_.Add(*this);
    SetCaption(caption);
}

void OptionButton::SetCaption(const Text& caption)
{
    static_cast<QRadioButton*>(native_.data())->setText(ToQString(caption));
}

Text OptionButton::Caption() const { return FromQString(static_cast<QRadioButton*>(native_.data())->text()); }
bool OptionButton::Value() const { return static_cast<QRadioButton*>(native_.data())->isChecked(); }
void OptionButton::Select() { group_.Select(*this); }
void OptionButton::Deselect() { static_cast<QRadioButton*>(native_.data())->setChecked(false); }

void OptionGroup::Select(OptionButton& button)
{
    if (button.Value()) {
        return;
    }
    for (OptionButton* other : buttons_) {
        if (other != &button) {
            other->Deselect();
        }
    }
    static_cast<QRadioButton*>(button.Native())->setChecked(true);
    if (button.onClick) {
        button.onClick();
    }
}

void OptionGroup::Step(OptionButton& from, int direction)
{
    const auto start = std::find(buttons_.begin(), buttons_.end(), &from);
    if (start == buttons_.end()) {
        return;
    }
    const auto count = static_cast<long>(buttons_.size());
    long index = start - buttons_.begin();
    for (long tried = 1; tried < count; ++tried) {
        index = (index + direction + count) % count;
        OptionButton& next = *buttons_[static_cast<size_t>(index)];
        if (next.Visible() && next.Enabled()) {
            next.Native()->setFocus(Qt::OtherFocusReason);
            Select(next);
            return;
        }
    }
}

PictureBox::PictureBox(Form& form, QWidget* parent, double left, double top, double width, double height)
    : Widget(form, new NativePicture(parent, *this), left, top, width, height)
{
}

Image::Image(Form& form, QWidget* parent, double left, double top, double width, double height)
    : Widget(form, new NativeImage(parent, *this), left, top, width, height)
{
}

void Image::ClearPicture() { static_cast<QLabel*>(native_.data())->clear(); }

}  // namespace quorvane::toolkit
