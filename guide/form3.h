#pragma once

#include <memory>

#include "monitors/cls_monitor.h"
#include "monitors/cls_monitors.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/widgets.h"

namespace quorvane {

// The guide dialog: the step's title and instructions, Back / Next / Exit,
// and on step 1 the language buttons.
class Form3 final : public toolkit::Form {
public:
    Form3();
    ~Form3() override;

    toolkit::Frame& Frame1();
    toolkit::OptionButton& Option2(int16_t Index);         // 1 to 7
    toolkit::CommandButton& auto_mode_key(int16_t Index);  // 0 Back, 1 Next, 2 Exit
    toolkit::Label& Test2(int16_t Index);                  // 0 to 5

    std::unique_ptr<clsMonitors> DialogMonitorList;
    std::shared_ptr<clsMonitor> DialogMonitor;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(int16_t& Cancel) override;
    void Form_MouseMove(int16_t Button, int16_t Shift, float X, float Y) override;

    void auto_mode_key_Click(int16_t Index);
    void auto_mode_key_KeyPress(int16_t Index, int16_t& KeyAscii);
    void Option2_Click(int16_t Index);
    void Option2_KeyPress(int16_t Index, int16_t& KeyAscii);

protected:
    void CreateWidgets() override;
    void DestroyWidgets() override;

private:
    void StepKeys(int16_t KeyAscii);
    void StepBack();
    void StepForward();
    void UpdatePanel();
    void ShowLanguagePanel();
    void HideLanguagePanel();
    [[noreturn]] void ExitProgram();
    const clsMonitor& MonitorRecord(int32_t handle);

    struct Widgets;
    std::unique_ptr<Widgets> widgets_;
};

}  // namespace quorvane
