#include "pattern/frm_test_form.h"

#include "guide/form3.h"
#include "pattern/module11.h"
#include "platform/checked_arith.h"
#include "platform/os_services.h"
#include "platform/toolkit/program.h"
#include "startup/program_state.h"
#include "startup/program_windows.h"

namespace quorvane {

struct frmTestForm::Widgets {
    toolkit::PictureBox Picture1;
    toolkit::Image Image1;
};

frmTestForm::frmTestForm()
    : Form({"Form2", toolkit::BorderStyle::None, 4800, 3600, "MS Sans Serif", 12, true})
{
}

frmTestForm::~frmTestForm() = default;

void frmTestForm::CreateWidgets()
{
    // Picture1 comes first in the tab order: it holds the keyboard focus.
    widgets_.reset(new Widgets{{*this, 1080, 960, 975, 735}, {*this, 120, 120, 915, 720}});
    widgets_->Picture1.onKeyPress = [this](int16_t& KeyAscii) { Picture1_KeyPress(KeyAscii); };
    widgets_->Image1.onMouseDown = [this] { Image1_MouseDown(); };
    widgets_->Picture1.SetFocus();
}

void frmTestForm::DestroyWidgets() { widgets_.reset(); }

toolkit::PictureBox& frmTestForm::Picture1()
{
    Load();
    return widgets_->Picture1;
}

toolkit::Image& frmTestForm::Image1()
{
    Load();
    return widgets_->Image1;
}

void frmTestForm::Form_Activate()
{
    Os().SetWindowPos(static_cast<int32_t>(hWnd()), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    MODULE11::DrawTestPattern(*this);
    Guide().Show();
}

void frmTestForm::CoverTargetMonitor()
{
    const ProgramState& state = State();
    const double tppX = toolkit::TwipsPerPixelX();
    const double tppY = toolkit::TwipsPerPixelY();
    SetWidth(arith::ToSingle(tppX * state.TargetWidth));
    SetHeight(arith::ToSingle(tppY * state.TargetHeight));
    SetLeft(arith::ToSingle(tppX * state.TargetLeft));
    SetTop(arith::ToSingle(tppY * state.TargetTop));
}

void frmTestForm::Form_KeyPress(int16_t&) {}
void frmTestForm::Picture1_KeyPress(int16_t&) {}
void frmTestForm::Image1_MouseDown() {}

void frmTestForm::Form_MouseDown(int16_t, int16_t, float, float) { Unload(); }

void frmTestForm::Form_Unload(int16_t&)
{
    Os().ShowCursor(-1);
    toolkit::End();
}

}  // namespace quorvane
