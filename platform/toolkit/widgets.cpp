#include "platform/toolkit/widgets.h"

#include <algorithm>

#include "platform/checked_arith.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/program.h"

namespace quorvane::toolkit {

namespace {

backend::Font DesignFont(const Form& form)
{
    const Form::Design& design = form.DesignOf();
    return {design.fontName, design.fontSize, design.fontBold, false};
}

}  // namespace

Widget::Widget(Form& form, backend::WidgetKind kind, Widget* parent, double left, double top, double width,
               double height)
    : form_(form), font_(DesignFont(form)),
      native_(form.Native().CreateWidget(kind, parent != nullptr ? parent->native_.get() : nullptr, font_, *this)),
      leftTwips_(left), topTwips_(top), widthTwips_(width), heightTwips_(height)
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
    native_->Place({arith::ToInt32(leftTwips_ / tppX), arith::ToInt32(topTwips_ / tppY),
                    arith::ToInt32(widthTwips_ / tppX), arith::ToInt32(heightTwips_ / tppY)});
}

void Widget::SetVisible(bool visible)
{
    visible_ = visible;
    native_->SetVisible(visible);
}

void Widget::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    native_->SetEnabled(enabled);
}

void Widget::SetFontName(const std::string& name)
{
    font_.face = name;
    ApplyFont();
}

void Widget::SetFontSize(double points)
{
    font_.points = points;
    ApplyFont();
}

void Widget::SetFontBold(bool bold)
{
    font_.bold = bold;
    ApplyFont();
}

void Widget::SetFontItalic(bool italic)
{
    font_.italic = italic;
    ApplyFont();
}

void Widget::ApplyFont() { native_->SetFont(font_); }

void Widget::SetFocus() { native_->Focus(); }

void Widget::Deliver(const KeyPressHandler& handler, int16_t keyAscii)
{
    if (handler) {
        RunHandler([&] { handler(keyAscii); });
    }
}

CaptionedWidget::CaptionedWidget(Form& form, backend::WidgetKind kind, Widget* parent, double left, double top,
                                 double width, double height, const Text& caption)
    : Widget(form, kind, parent, left, top, width, height)
{
    SetCaption(caption);
}

void CaptionedWidget::SetCaption(const Text& caption)
{
    caption_ = ShownText(caption);
    Native().SetCaption(caption_);
}

Label::Label(Form& form, double left, double top, double width, double height, const Text& caption)
    : CaptionedWidget(form, backend::WidgetKind::Label, nullptr, left, top, width, height, caption)
{
}

Frame::Frame(Form& form, double left, double top, double width, double height)
    : Widget(form, backend::WidgetKind::Frame, nullptr, left, top, width, height)
{
}

CommandButton::CommandButton(Form& form, double left, double top, double width, double height)
    : CaptionedWidget(form, backend::WidgetKind::PushButton, nullptr, left, top, width, height, U"")
{
}

void CommandButton::Clicked()
{
    if (onClick) {
        RunHandler(onClick);
    }
}

void CommandButton::KeyPressed(int16_t keyAscii) { Deliver(onKeyPress, keyAscii); }

OptionButton::OptionButton(Form& form, OptionGroup& group, Widget* parent, double left, double top, double width,
                           double height, const Text& caption)
    : CaptionedWidget(form, backend::WidgetKind::OptionButton, parent, left, top, width, height, caption),
      group_(group)
{
    group_.Add(*this);
}

void OptionButton::Select() { group_.Select(*this); }

void OptionButton::SetChecked(bool checked)
{
    checked_ = checked;
    Native().SetChecked(checked);
}

// A click selects; the group, not the window system, keeps the buttons exclusive.
void OptionButton::Clicked()
{
    RunHandler([this] { group_.Select(*this); });
}

void OptionButton::KeyPressed(int16_t keyAscii) { Deliver(onKeyPress, keyAscii); }

void OptionButton::ArrowPressed(int direction)
{
    RunHandler([this, direction] { group_.Step(*this, direction); });
}

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
    button.SetChecked(true);
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
            next.SetFocus();
            Select(next);
            return;
        }
    }
}

PictureBox::PictureBox(Form& form, double left, double top, double width, double height)
    : Widget(form, backend::WidgetKind::PictureBox, nullptr, left, top, width, height)
{
}

void PictureBox::KeyPressed(int16_t keyAscii) { Deliver(onKeyPress, keyAscii); }

Image::Image(Form& form, double left, double top, double width, double height)
    : Widget(form, backend::WidgetKind::Image, nullptr, left, top, width, height)
{
}

void Image::Clicked()
{
    if (onMouseDown) {
        RunHandler(onMouseDown);
    }
}

}  // namespace quorvane::toolkit
