#pragma once

#include <string>

#include "platform/backend.h"
#include "platform/win32/fonts.h"
#include "platform/win32/windows_api.h"

namespace quorvane {

// A standard control as a toolkit widget. Its keys, arrows and presses
// reach the widget's events through a procedure of its own in front of the
// control's; the clicks of buttons come to its parent, which hands them on
// with Notify.
class Win32Widget final : public backend::NativeWidget {
public:
    Win32Widget(backend::WidgetKind kind, HWND parent, Fonts& fonts, const backend::Font& font,
                backend::WidgetEvents& events);
    ~Win32Widget() override;
    Win32Widget(const Win32Widget&) = delete;
    Win32Widget& operator=(const Win32Widget&) = delete;

    void Place(const backend::PixelRect& rect) override;
    void SetCaption(const Text& caption) override;
    void SetFont(const backend::Font& font) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void SetChecked(bool checked) override;
    void ClearPicture() override;
    void Focus() override;

    HWND Hwnd() const { return hwnd_; }

    // A WM_COMMAND at a parent: true when it was a button's click, now delivered.
    static bool Notify(WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    backend::WidgetKind kind_;
    Fonts& fonts_;
    backend::WidgetEvents& events_;
    HWND hwnd_;
    // The control's own procedure, which handles what this one leaves.
    WNDPROC control_;
    // What the control was last given, as it was made: the toolkit sets the
    // same again and again, and under Wine every change costs round trips
    // to its server and a repaint.
    backend::PixelRect place_;
    std::wstring caption_;
    HFONT font_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
};

}  // namespace quorvane
