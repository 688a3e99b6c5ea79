#pragma once

#include <QPointer>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/text.h"

class QWidget;

namespace quorvane::toolkit {

class Form;
class OptionGroup;

using KeyPressHandler = std::function<void(int16_t& keyAscii)>;
using ClickHandler = std::function<void()>;

// What every widget has: geometry in its form's scale units (stored in
// twips), visibility, enabled state and font. Widgets are created by their
// form's design on every load and die with it.
class Widget {
public:
    Widget(Form& form, QWidget* native, double left, double top, double width, double height);
    virtual ~Widget() = default;
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    double Left() const;
    void SetLeft(double left);
    double Top() const;
    void SetTop(double top);
    double Width() const;
    void SetWidth(double width);
    double Height() const;

    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);

    std::string FontName() const;
    void SetFontName(const std::string& name);
    void SetFontSize(double points);
    void SetFontBold(bool bold);
    void SetFontItalic(bool italic);

    void SetFocus();
    QWidget* Native() const;

protected:
    void Place();

    Form& form_;
    QPointer<QWidget> native_;
    double leftTwips_;
    double topTwips_;
    double widthTwips_;
    double heightTwips_;
};

class Label final : public Widget {
public:
    Label(Form& form, QWidget* parent, double left, double top, double width, double height, const Text& caption);
    void SetCaption(const Text& caption);
    Text Caption() const;
};

class Frame final : public Widget {
public:
    Frame(Form& form, QWidget* parent, double left, double top, double width, double height);
};

class CommandButton final : public Widget {
public:
    CommandButton(Form& form, QWidget* parent, double left, double top, double width, double height);
    void SetCaption(const Text& caption);
    Text Caption() const;

    ClickHandler onClick;
    KeyPressHandler onKeyPress;
};

// An option button of a group: selecting it deselects the others and raises
// its click before Select returns; selecting the selected one raises nothing.
class OptionButton final : public Widget {
public:
    OptionButton(Form& form, OptionGroup& group, QWidget* parent, double left, double top, double width,
                 double height, const Text& caption);
    void SetCaption(const Text& caption);
    Text Caption() const;
    bool Value() const;
    void Select();
    void Deselect();

    ClickHandler onClick;
    KeyPressHandler onKeyPress;

private:
    friend class OptionGroup;
    OptionGroup& group_;
};

// The option buttons that exclude each other, in the order arrow keys move.
class OptionGroup {
public:
    void Add(OptionButton& button) { buttons_.push_back(&button); }
    void Select(OptionButton& button);
    // Moves the selection to the next visible, enabled button (wrapping).
    void Step(OptionButton& from, int direction);

private:
    std::vector<OptionButton*> buttons_;
};

class PictureBox final : public Widget {
public:
    PictureBox(Form& form, QWidget* parent, double left, double top, double width, double height);
    KeyPressHandler onKeyPress;
};

class Image final : public Widget {
public:
    Image(Form& form, QWidget* parent, double left, double top, double width, double height);
    void ClearPicture();
    ClickHandler onMouseDown;
};

}  // namespace quorvane::toolkit
