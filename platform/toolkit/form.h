#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/backend.h"
#include "platform/text.h"
#include "platform/toolkit/colour.h"
#include "platform/window_ref.h"

namespace quorvane::toolkit {

class Canvas;

enum class BorderStyle {
    None,         // no frame and no title bar: the client area is the whole window
    FixedDialog,  // title bar with close command only; the user cannot resize it
};

// A top-level window of the program. Geometry is in twips, relative to the
// primary monitor's top-left corner. Loading creates the window and its
// design widgets and runs Form_Load; using a widget of an unloaded form loads
// it first. Form_Activate runs whenever the form becomes the program's
// active window (not when the user returns from another program).
class Form : public WindowRef, private backend::WindowEvents {
public:
    struct Design {
        std::string caption;
        BorderStyle border;
        double clientWidth;   // twips
        double clientHeight;  // twips
        std::string fontName;
        double fontSize;
        bool fontBold;
    };

    explicit Form(Design design);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    bool IsLoaded() const;
    void Load();
    // Shows the form without waiting, loading it first; it becomes active.
    void Show();
    // Runs Form_Unload, then the window and its widgets are gone.
    void Unload();

    double Left() const;
    void SetLeft(double left);
    double Top() const;
    void SetTop(double top);
    double Width() const override;
    void SetWidth(double width);
    double Height() const override;
    void SetHeight(double height);
    void Move(double left, double top) override;
    int64_t hWnd() const override;

    Text Caption() const;
    void SetCaption(const Text& caption);
    bool Enabled() const;
    void SetEnabled(bool enabled);

    // Drawing: the unit is the twip until SetScaleModePixels.
    void SetScaleModePixels();
    double ScaleFactorX() const;
    double ScaleFactorY() const;
    void SetForeColor(Colour colour);
    // Repaints the whole client area in the colour.
    void SetBackColor(Colour colour);
    void Cls();
    void Line(double x1, double y1, double x2, double y2, Colour colour);
    void Box(double x1, double y1, double x2, double y2, Colour colour);

    backend::NativeWindow& Native();
    const Design& DesignOf() const { return design_; }
    // Hides every loaded form: the fatal-error path leaves no window behind.
    static void HideAll();
    // Asks every window whose picture changed to paint it: once per handler
    // however often it drew, so a yield never shows half a pattern.
    static void PaintChangedPictures();

protected:
    // Creates the design widgets on every load.
    virtual void CreateWidgets() = 0;
    // Forgets the widgets; they go with the window.
    virtual void DestroyWidgets() = 0;

    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Unload(int16_t& cancel) { (void)cancel; }
    virtual void Form_KeyPress(int16_t& keyAscii) { (void)keyAscii; }
    virtual void Form_MouseDown(int16_t button, int16_t shift, float x, float y);
    virtual void Form_MouseMove(int16_t button, int16_t shift, float x, float y);

private:
    // What the window system reports.
    void Activated() override;
    void CloseRequested() override;
    void KeyPressed(int16_t keyAscii) override;
    void MousePressed(int16_t button, int16_t shift, int x, int y) override;
    void MouseMoved(int16_t button, int16_t shift, int x, int y) override;
    void GeometryChanged() override;
    bool Paint(const backend::PixelTarget& target) override;

    void Activate();
    int ToPixelsX(double value) const;
    int ToPixelsY(double value) const;
    Canvas& Surface();
    void PlaceClient(int x, int y, int width, int height);

    Design design_;
    std::unique_ptr<backend::NativeWindow> window_;
    int64_t handle_ = 0;
    Text caption_;
    bool enabled_ = true;
    bool shown_ = false;
    std::optional<double> pendingWidth_;
    bool pixelScale_ = false;
    Colour backColour_ = 0;
    Colour foreColour_ = 0;
    std::unique_ptr<Canvas> canvas_;
    bool pictureChanged_ = false;
};

}  // namespace quorvane::toolkit
