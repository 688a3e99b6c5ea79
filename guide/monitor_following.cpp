#include "guide/form3.h"
#include "pattern/frm_test_form.h"
#include "platform/checked_arith.h"
#include "platform/os_services.h"
#include "platform/run_time_error.h"
#include "platform/toolkit/program.h"
#include "startup/program_state.h"
#include "startup/program_windows.h"
#include "startup/target_monitor.h"

namespace quorvane {

namespace {

// The record of a handle in a list: the first record for a failed look-up
// (0 or -1), null when the list has no such record.
std::shared_ptr<clsMonitor> RecordIn(clsMonitors& list, int32_t handle)
{
    MonitorCollection& monitors = list.Monitors();
    if (handle < 1) {
        return monitors.Count() >= 1 ? monitors.Item(1) : nullptr;
    }
    return monitors.Contains(MonitorKey(handle)) ? monitors.Item(MonitorKey(handle)) : nullptr;
}

}  // namespace

// Moves the test window to the monitor under the dialog's top-left corner
// once the dialog has been dragged there.
void Form3::Form_MouseMove(int16_t, int16_t, float, float)
{
    ProgramState& state = State();
    if (state.StepIndex <= 0) {
        return;
    }
    const double tppX = toolkit::TwipsPerPixelX();
    const double tppY = toolkit::TwipsPerPixelY();
    const int32_t y = arith::ToInt32(Top() / tppY);
    const int32_t x = arith::ToInt32(Left() / tppX);
    const int32_t h = DialogMonitorList->GetMonitorFromXYPoint(x, y, MONITOR_DEFAULTTONEAREST);
    if (h == state.TargetMonitor) {
        return;
    }

    // A monitor connected after the dialog was loaded is not in its list yet.
    // One the list cannot hold changes nothing, the dialog's reference included.
    std::shared_ptr<clsMonitor> record = RecordIn(*DialogMonitorList, h);
    if (!record) {
        DialogMonitorList->Refresh();
        record = RecordIn(*DialogMonitorList, h);
        if (!record) {
            return;
        }
    }
    DialogMonitor = record;

    SetTargetRectangle(state, *DialogMonitor);
    TestForm().CoverTargetMonitor();

    state.PatternWidth = arith::ToInt16(state.TargetWidth);
    state.PatternHeight = arith::ToInt16(state.TargetHeight);

    if (state.StepIndex == 2) {
        // Lines 2 and 3 of step 2 are about a resolution other than 1024 x 768.
        const bool reference = (state.PatternWidth == 1024 && state.PatternHeight == 768) ||
                               (state.PatternWidth == 768 && state.PatternHeight == 1024);
        if (reference) {
            for (int16_t i = 1; i <= 4; ++i) {
                Test2(i).SetCaption(U"");
            }
        } else {
            Test2(2).SetCaption(state.StepLine(state.LanguageIndex, 2, 2));
            Test2(3).SetCaption(state.StepLine(state.LanguageIndex, 2, 3));
        }
    }

    state.TargetMonitor = h;
}

}  // namespace quorvane
