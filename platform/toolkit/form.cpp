#include "platform/toolkit/form.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/checked_arith.h"
#include "platform/toolkit/canvas.h"
#include "platform/toolkit/program.h"

namespace quorvane::toolkit {

namespace {

std::vector<Form*> loadedForms;
Form* activeForm = nullptr;

void Forget(Form* form)
{
    loadedForms.erase(std::remove(loadedForms.begin(), loadedForms.end(), form), loadedForms.end());
    if (activeForm == form) {
        activeForm = nullptr;
    }
}

}  // namespace

Form::Form(Design design) : design_(std::move(design)) {}

Form::~Form() { Forget(this); }

bool Form::IsLoaded() const { return window_ != nullptr; }

backend::NativeWindow& Form::Native()
{
    Load();
    return *window_;
}

void Form::Load()
{
    if (IsLoaded()) {
        return;
    }
    window_ = backend::Current().CreateWindow(
        design_.border == BorderStyle::None ? backend::WindowStyle::Borderless : backend::WindowStyle::FixedDialog,
        *this);
    caption_.clear();
    SetCaption(Text(design_.caption.begin(), design_.caption.end()));
    enabled_ = true;
    pixelScale_ = false;
    // The design sizes are the client area's; a frame the window system
    // already knows goes around it.
    const backend::PixelRect client = window_->Client();
    PlaceClient(client.x, client.y, ToPixelsX(design_.clientWidth), ToPixelsY(design_.clientHeight));
    loadedForms.push_back(this);
    CreateWidgets();
    Form_Load();
}

void Form::Show()
{
    Load();
    shown_ = true;
    window_->Show();
    Activate();
}

void Form::Unload()
{
    if (!IsLoaded()) {
        return;
    }
    int16_t cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0 || !IsLoaded()) {
        return;
    }
    const bool wasActive = activeForm == this;
    DestroyWidgets();
    canvas_.reset();
    pictureChanged_ = false;
    handle_ = 0;
    shown_ = false;
    window_->Hide();
    // The window may be inside one of its own events: it goes once they are done.
    backend::Current().Post([window = std::shared_ptr<backend::NativeWindow>(std::move(window_))] {});
    Forget(this);
    if (wasActive) {
        // As on a desktop, another window of the program becomes active.
        backend::Current().Post([] {
            RunHandler([] {
                const auto shown = std::find_if(loadedForms.begin(), loadedForms.end(),
                                                [](const Form* form) { return form->shown_; });
                if (shown != loadedForms.end()) {
                    (*shown)->window_->Activate();
                    (*shown)->Activate();
                }
            });
        });
    }
}

void Form::Activated()
{
    RunHandler([this] { Activate(); });
}

void Form::Activate()
{
    if (!IsLoaded()) {
        return;
    }
    if (!Enabled()) {
        // A disabled window cannot become active: hand the focus back.
        if (activeForm != nullptr && activeForm != this && activeForm->IsLoaded()) {
            activeForm->window_->Activate();
        }
        return;
    }
    if (activeForm == this) {
        return;
    }
    activeForm = this;
    Form_Activate();
}

void Form::CloseRequested()
{
    RunHandler([this] { Unload(); });
}

void Form::KeyPressed(int16_t keyAscii)
{
    RunHandler([&] { Form_KeyPress(keyAscii); });
}

void Form::MousePressed(int16_t button, int16_t shift, int x, int y)
{
    RunHandler([&] {
        Form_MouseDown(button, shift, static_cast<float>(x * ScaleFactorX()), static_cast<float>(y * ScaleFactorY()));
    });
}

void Form::MouseMoved(int16_t button, int16_t shift, int x, int y)
{
    RunHandler([&] {
        Form_MouseMove(button, shift, static_cast<float>(x * ScaleFactorX()), static_cast<float>(y * ScaleFactorY()));
    });
}

void Form::GeometryChanged()
{
    RunHandler([this] {
        if (!IsLoaded()) {
            return;
        }
        const backend::PixelRect frame = window_->Frame();
        const backend::PixelRect client = window_->Client();
        // The width is the outer width: once the window has its frame, the
        // frame's share is known and the width is set again.
        if (pendingWidth_ && frame.width != client.width) {
            SetWidth(*std::exchange(pendingWidth_, std::nullopt));
        }
        if (canvas_) {
            canvas_->Resize(client.width, client.height, backColour_);
        }
    });
}

void Form::HideAll()
{
    for (Form* form : loadedForms) {
        form->shown_ = false;
        form->window_->Hide();
    }
}

void Form::PaintChangedPictures()
{
    for (Form* form : loadedForms) {
        if (std::exchange(form->pictureChanged_, false)) {
            form->window_->Invalidate();
        }
    }
}

int Form::ToPixelsX(double twips) const { return arith::ToInt32(twips / TwipsPerPixelX()); }
int Form::ToPixelsY(double twips) const { return arith::ToInt32(twips / TwipsPerPixelY()); }

double Form::Left() const { return const_cast<Form*>(this)->Native().Frame().x * TwipsPerPixelX(); }
double Form::Top() const { return const_cast<Form*>(this)->Native().Frame().y * TwipsPerPixelY(); }
double Form::Width() const { return const_cast<Form*>(this)->Native().Frame().width * TwipsPerPixelX(); }
double Form::Height() const { return const_cast<Form*>(this)->Native().Frame().height * TwipsPerPixelY(); }

void Form::PlaceClient(int x, int y, int width, int height)
{
    window_->SetClient({x, y, std::max(0, width), std::max(0, height)});
    // The window system may report the new size only later; drawing comes first.
    if (canvas_) {
        canvas_->Resize(std::max(0, width), std::max(0, height), backColour_);
    }
}

void Form::SetLeft(double left)
{
    const backend::PixelRect frame = Native().Frame();
    const backend::PixelRect client = window_->Client();
    PlaceClient(ToPixelsX(left) + client.x - frame.x, client.y, client.width, client.height);
}

void Form::SetTop(double top)
{
    const backend::PixelRect frame = Native().Frame();
    const backend::PixelRect client = window_->Client();
    PlaceClient(client.x, ToPixelsY(top) + client.y - frame.y, client.width, client.height);
}

void Form::SetWidth(double width)
{
    const backend::PixelRect frame = Native().Frame();
    const backend::PixelRect client = window_->Client();
    const int margins = frame.width - client.width;
    // Until the window has its frame, the frame's share is unknown.
    pendingWidth_.reset();
    if (margins == 0 && design_.border != BorderStyle::None) {
        pendingWidth_ = width;
    }
    PlaceClient(client.x, client.y, ToPixelsX(width) - margins, client.height);
}

void Form::SetHeight(double height)
{
    const backend::PixelRect frame = Native().Frame();
    const backend::PixelRect client = window_->Client();
    PlaceClient(client.x, client.y, client.width, ToPixelsY(height) - (frame.height - client.height));
}

void Form::Move(double left, double top)
{
    SetLeft(left);
    SetTop(top);
}

int64_t Form::hWnd() const
{
    auto& self = *const_cast<Form*>(this);
    if (handle_ == 0) {
        self.handle_ = self.Native().Handle();
    }
    return handle_;
}

Text Form::Caption() const { return IsLoaded() ? caption_ : Text(); }

void Form::SetCaption(const Text& caption)
{
    Load();
    caption_ = ShownText(caption);
    window_->SetCaption(caption_);
}

bool Form::Enabled() const { return IsLoaded() && enabled_; }

void Form::SetEnabled(bool enabled)
{
    Load();
    enabled_ = enabled;
    window_->SetEnabled(enabled);
}

void Form::SetScaleModePixels() { pixelScale_ = true; }
double Form::ScaleFactorX() const { return pixelScale_ ? TwipsPerPixelX() : 1.0; }
double Form::ScaleFactorY() const { return pixelScale_ ? TwipsPerPixelY() : 1.0; }

void Form::SetForeColor(Colour colour) { foreColour_ = colour; }

Canvas& Form::Surface()
{
    Load();
    if (!canvas_) {
        canvas_ = std::make_unique<Canvas>();
        const backend::PixelRect client = window_->Client();
        canvas_->Resize(client.width, client.height, backColour_);
    }
    pictureChanged_ = true;
    return *canvas_;
}

void Form::SetBackColor(Colour colour)
{
    backColour_ = colour;
    Surface().Fill(colour);
}

void Form::Cls() { Surface().Fill(backColour_); }

void Form::Line(double x1, double y1, double x2, double y2, Colour colour)
{
    // Pixels per unit: exactly 1 when the unit is the pixel.
    const double sx = pixelScale_ ? 1.0 : 1.0 / TwipsPerPixelX();
    const double sy = pixelScale_ ? 1.0 : 1.0 / TwipsPerPixelY();
    Surface().Line(arith::ToInt32(x1 * sx), arith::ToInt32(y1 * sy), arith::ToInt32(x2 * sx), arith::ToInt32(y2 * sy),
                   colour);
}

void Form::Box(double x1, double y1, double x2, double y2, Colour colour)
{
    const double sx = pixelScale_ ? 1.0 : 1.0 / TwipsPerPixelX();
    const double sy = pixelScale_ ? 1.0 : 1.0 / TwipsPerPixelY();
    Surface().Box(arith::ToInt32(x1 * sx), arith::ToInt32(y1 * sy), arith::ToInt32(x2 * sx), arith::ToInt32(y2 * sy),
                  colour);
}

bool Form::Paint(const backend::PixelTarget& target)
{
    if (!canvas_) {
        return false;
    }
    canvas_->PaintInto(target);
    return true;
}

void Form::Form_MouseDown(int16_t, int16_t, float, float) {}
void Form::Form_MouseMove(int16_t, int16_t, float, float) {}

}  // namespace quorvane::toolkit
