#include "platform/toolkit/form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "platform/checked_arith.h"
#include "platform/toolkit/canvas.h"
#include "platform/toolkit/program.h"

namespace quorvane::toolkit {

namespace {

std::vector<Form*> loadedForms;
std::map<int64_t, Form*> formsByHandle;
Form* activeForm = nullptr;

// Where the primary monitor's top-left corner lies in the window system's coordinates.
QPoint DesktopOrigin()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary != nullptr ? primary->geometry().topLeft() : QPoint();
}

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

}  // namespace

// The native window of a form: turns window-system events into the form's events.
class FormWindow final : public QWidget {
public:
    explicit FormWindow(Form& form) : form_(form) { setMouseTracking(true); }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate) {
            RunHandler([this] { form_.Activated(); });
        }
        const bool result = QWidget::event(event);
        if (event->type() == QEvent::Show || event->type() == QEvent::Move || event->type() == QEvent::Resize) {
            form_.ApplyPendingWidth();
        }
        return result;
    }

    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        RunHandler([this] { form_.Unload(); });
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        const int ascii = KeyAscii(*event);
        if (ascii < 0) {
            QWidget::keyPressEvent(event);
            return;
        }
        RunHandler([&] {
            auto keyAscii = static_cast<int16_t>(ascii);
            form_.Form_KeyPress(keyAscii);
        });
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        const QPointF at = event->position();
        RunHandler([&] {
            form_.Form_MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                                 static_cast<float>(at.x() * form_.ScaleFactorX()),
                                 static_cast<float>(at.y() * form_.ScaleFactorY()));
        });
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPointF at = event->position();
        RunHandler([&] {
            form_.Form_MouseMove(ButtonCode(event->buttons()), ShiftCode(event->modifiers()),
                                 static_cast<float>(at.x() * form_.ScaleFactorX()),
                                 static_cast<float>(at.y() * form_.ScaleFactorY()));
        });
    }

    void paintEvent(QPaintEvent*) override { form_.Paint(*this); }
    void resizeEvent(QResizeEvent*) override { form_.Resized(); }

private:
    Form& form_;
};

Form::Form(Design design) : design_(std::move(design)) {}

bool Form::IsLoaded() const { return !window_.isNull(); }

Form::~Form()
{
    if (IsLoaded()) {
        loadedForms.erase(std::remove(loadedForms.begin(), loadedForms.end(), this), loadedForms.end());
        formsByHandle.erase(handle_);
        handle_ = 0;
        if (activeForm == this) {
            activeForm = nullptr;
        }
        delete window_.data();
    }
}

void Form::Load()
{
    if (IsLoaded()) {
        return;
    }
    window_ = new FormWindow(*this);
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    if (design_.border == BorderStyle::None) {
        window_->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    } else {
        window_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    }
    window_->setWindowTitle(QString::fromStdString(design_.caption));
    QFont font(QString::fromStdString(design_.fontName));
    font.setPointSizeF(design_.fontSize);
    font.setBold(design_.fontBold);
    window_->setFont(font);
    backColour_ = window_->palette().color(QPalette::Window).rgb() & 0xFFFFFFu;
    pixelScale_ = false;
    SetWidth(design_.clientWidth);
    SetHeight(design_.clientHeight);
    loadedForms.push_back(this);
    CreateWidgets();
    Form_Load();
}

void Form::Show()
{
    Load();
    window_->show();
    window_->raise();
    window_->activateWindow();
    Activated();
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
    DestroyWidgets();
    canvas_.reset();
    repaintRequested_ = false;
    FormWindow* window = window_;
    window_ = nullptr;
    window->hide();
    window->deleteLater();
    loadedForms.erase(std::remove(loadedForms.begin(), loadedForms.end(), this), loadedForms.end());
    formsByHandle.erase(handle_);
    handle_ = 0;
    if (activeForm == this) {
        // As on a desktop, another window of the program becomes active.
        activeForm = nullptr;
        QTimer::singleShot(0, [] {
            for (Form* form : loadedForms) {
                if (form->window_->isVisible()) {
                    form->window_->activateWindow();
                    RunHandler([form] { form->Activated(); });
                    return;
                }
            }
        });
    }
}

void Form::Activated()
{
    if (!IsLoaded()) {
        return;
    }
    if (!Enabled()) {
        // A disabled window cannot become active: hand the focus back.
        if (activeForm != nullptr && activeForm != this && activeForm->IsLoaded()) {
            activeForm->window_->activateWindow();
        }
        return;
    }
    if (activeForm == this) {
        return;
    }
    activeForm = this;
    Form_Activate();
}

void Form::HideAll()
{
    for (Form* form : loadedForms) {
        form->window_->hide();
    }
}

QWidget* Form::Client() const { return window_; }

int Form::ToPixelsX(double twips) const { return arith::ToInt32(twips / TwipsPerPixelX()); }
int Form::ToPixelsY(double twips) const { return arith::ToInt32(twips / TwipsPerPixelY()); }

double Form::Left() const
{
    const_cast<Form*>(this)->Load();
    return (window_->frameGeometry().x() - DesktopOrigin().x()) * TwipsPerPixelX();
}

double Form::Top() const
{
    const_cast<Form*>(this)->Load();
    return (window_->frameGeometry().y() - DesktopOrigin().y()) * TwipsPerPixelY();
}

double Form::Width() const
{
    const_cast<Form*>(this)->Load();
    return window_->frameGeometry().width() * TwipsPerPixelX();
}

double Form::Height() const
{
    const_cast<Form*>(this)->Load();
    return window_->frameGeometry().height() * TwipsPerPixelY();
}

void Form::SetLeft(double left)
{
    Load();
    window_->move(ToPixelsX(left) + DesktopOrigin().x(), window_->frameGeometry().y());
}

void Form::SetTop(double top)
{
    Load();
    window_->move(window_->frameGeometry().x(), ToPixelsY(top) + DesktopOrigin().y());
}

void Form::SetWidth(double width)
{
    Load();
    const int frame = window_->frameGeometry().width() - window_->width();
    // The width is the outer width: until the window has its frame, the
    // frame's share is unknown, so the width is set again once it is known.
    pendingWidth_.reset();
    if (frame == 0 && design_.border != BorderStyle::None) {
        pendingWidth_ = width;
    }
    const int client = std::max(0, ToPixelsX(width) - frame);
    if (design_.border == BorderStyle::FixedDialog) {
        window_->setFixedWidth(client);
    } else {
        window_->resize(client, window_->height());
    }
}

void Form::ApplyPendingWidth()
{
    if (pendingWidth_ && window_->frameGeometry().width() != window_->width()) {
        SetWidth(*std::exchange(pendingWidth_, std::nullopt));
    }
}

void Form::SetHeight(double height)
{
    Load();
    const int frame = window_->frameGeometry().height() - window_->height();
    const int client = std::max(0, ToPixelsY(height) - frame);
    if (design_.border == BorderStyle::FixedDialog) {
        window_->setFixedHeight(client);
    } else {
        window_->resize(window_->width(), client);
    }
}

void Form::Move(double left, double top)
{
    SetLeft(left);
    SetTop(top);
}

int64_t Form::hWnd() const
{
    auto& self = *const_cast<Form*>(this);
    self.Load();
    if (handle_ == 0) {
        // The native window's own handle, which the system functions understand.
        // Asked for only when needed: a window created before it is placed would
        // be placed without its frame.
        self.handle_ = static_cast<int32_t>(window_->winId());
        formsByHandle[handle_] = &self;
    }
    return handle_;
}

QWidget* Form::WindowOf(int64_t handle)
{
    const auto found = formsByHandle.find(handle);
    return found == formsByHandle.end() ? nullptr : found->second->window_.data();
}

Text Form::Caption() const { return IsLoaded() ? FromQString(window_->windowTitle()) : Text(); }

void Form::SetCaption(const Text& caption)
{
    Load();
    window_->setWindowTitle(ToQString(caption));
}

bool Form::Enabled() const { return IsLoaded() && window_->isEnabled(); }

void Form::SetEnabled(bool enabled)
{
    Load();
    window_->setEnabled(enabled);
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
        canvas_->Resize(window_->width(), window_->height(), backColour_);
        // The picture covers the whole window: no background fill under it.
        window_->setAttribute(Qt::WA_OpaquePaintEvent);
    }
    if (!repaintRequested_) {
        window_->update();
        repaintRequested_ = true;
    }
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

QImage Form::Picture()
{
    if (canvas_) {
        return canvas_->Image();
    }
    Load();
    return window_->grab().toImage();
}

void Form::Paint(QWidget& target)
{
    repaintRequested_ = false;
    if (canvas_) {
        QPainter painter(&target);
        if (const auto colour = canvas_->SolidColour()) {
            // A plain field is painted without its full-size image.
            painter.fillRect(0, 0, canvas_->Width(), canvas_->Height(), QColor::fromRgb(*colour));
        } else {
            painter.drawImage(0, 0, canvas_->Image());
        }
    }
}

void Form::Resized()
{
    if (canvas_) {
        canvas_->Resize(window_->width(), window_->height(), backColour_);
    }
}

void Form::Form_MouseDown(int16_t, int16_t, float, float) {}
void Form::Form_MouseMove(int16_t, int16_t, float, float) {}

}  // namespace quorvane::toolkit
