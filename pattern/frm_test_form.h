#pragma once

#include <memory>

#include "monitors/cls_monitor.h"
#include "monitors/cls_monitors.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/widgets.h"

namespace quorvane {

// The start-up window and the surface of the test pattern: borderless, it
// covers the target monitor and stays above all other windows.
class frmTestForm final : public toolkit::Form {
public:
    frmTestForm();
    ~frmTestForm() override;

    toolkit::PictureBox& Picture1();
    toolkit::Image& Image1();

    std::unique_ptr<clsMonitors> MonitorList;
    std::shared_ptr<clsMonitor> CurrentMonitor;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_KeyPress(int16_t& KeyAscii) override;
    void Form_MouseDown(int16_t Button, int16_t Shift, float X, float Y) override;
    void Form_Unload(int16_t& Cancel) override;
    // Width, height, left, top in twips: the window covers the target monitor.
    void CoverTargetMonitor();

    void Picture1_KeyPress(int16_t& KeyAscii);
    void Image1_MouseDown();

protected:
    void CreateWidgets() override;
    void DestroyWidgets() override;

private:
    struct Widgets;
    std::unique_ptr<Widgets> widgets_;
};

}  // namespace quorvane
