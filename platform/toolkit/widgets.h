#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/text.h"

namespace quorvane::toolkit {

class Form;
class OptionGroup;

using KeyPressHandler = std::function<void(int16_t& keyAscii)>;
using ClickHandler = std::function<void()>;

// What every widget has: geometry in its form's scale units (stored in
// twips), visibility, enabled state and font. Widgets are created by their
// form's design on every load and die with it. `parent` null: the form's
// client area.
class Widget : private backend::WidgetEvents {
public:
    Widget(Form& form, backend::WidgetKind kind, Widget* parent, double left, double top, double width,
           double height);
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

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    std::string FontName() const { return font_.face; }
    void SetFontName(const std::string& name);
    void SetFontSize(double points);
    void SetFontBold(bool bold);
    void SetFontItalic(bool italic);

    void SetFocus();
    backend::NativeWidget& Native() const { return *native_; }

protected:
    // What the window system reports; a widget acts on what it takes.
    void Clicked() override {}
    void KeyPressed(int16_t keyAscii) override { (void)keyAscii; }
    void ArrowPressed(int direction) override { (void)direction; }
    // Runs the handler with the key, if there is one.
    static void Deliver(const KeyPressHandler& handler, int16_t keyAscii);

private:
    void Place();
    void ApplyFont();

    Form& form_;
    backend::Font font_;
    std::unique_ptr<backend::NativeWidget> native_;
    double leftTwips_;
    double topTwips_;
    double widthTwips_;
    double heightTwips_;
    bool visible_ = true;
    bool enabled_ = true;
};

// A widget showing a caption.
class CaptionedWidget : public Widget {
public:
    CaptionedWidget(Form& form, backend::WidgetKind kind, Widget* parent, double left, double top, double width,
                    double height, const Text& caption);
    void SetCaption(const Text& caption);
    Text Caption() const { return caption_; }

private:
    Text caption_;
};

class Label final : public CaptionedWidget {
public:
    Label(Form& form, double left, double top, double width, double height, const Text& caption);
};

class Frame final : public Widget {
public:
    Frame(Form& form, double left, double top, double width, double height);
};

class CommandButton final : public CaptionedWidget {
public:
    CommandButton(Form& form, double left, double top, double width, double height);

    ClickHandler onClick;
    KeyPressHandler onKeyPress;

private:
    void Clicked() override;
    void KeyPressed(int16_t keyAscii) override;
};

// An option button of a group: selecting it deselects the others and raises
// its click before Select returns; selecting the selected one raises nothing.
class OptionButton final : public CaptionedWidget {
public:
    OptionButton(Form& form, OptionGroup& group, Widget* parent, double left, double top, double width,
                 double height, const Text& caption);
    bool Value() const { return checked_; }
    void Select();
    void Deselect() { SetChecked(false); }

    ClickHandler onClick;
    KeyPressHandler onKeyPress;

private:
    friend class OptionGroup;
    void SetChecked(bool checked);
    void Clicked() override;
    void KeyPressed(int16_t keyAscii) override;
    void ArrowPressed(int direction) override;

    OptionGroup& group_;
    bool checked_ = false;
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
    PictureBox(Form& form, double left, double top, double width, double height);
    KeyPressHandler onKeyPress;

private:
    void KeyPressed(int16_t keyAscii) override;
};

class Image final : public Widget {
public:
    Image(Form& form, double left, double top, double width, double height);
    void ClearPicture() { Native().ClearPicture(); }
    ClickHandler onMouseDown;

private:
    void Clicked() override;
};

}  // namespace quorvane::toolkit
