#include "guide/form3.h"
#include "pattern/frm_test_form.h"
#include "platform/checked_arith.h"
#include "platform/os_services.h"
#include "platform/toolkit/colour.h"
#include "platform/toolkit/program.h"
#include "startup/language_code_file.h"
#include "startup/program_state.h"
#include "startup/program_windows.h"
#include "startup/target_monitor.h"
#include "startup/text_catalogue.h"

namespace quorvane {

// The start-up: chooses the target monitor, reads the two text files and
// places the test window over the monitor. Nothing is drawn yet.
void frmTestForm::Form_Load()
{
    ProgramState& state = State();

    MonitorList = std::make_unique<clsMonitors>();
    MonitorList->Refresh();

    if (state.TargetMonitor == 0) {
        state.TargetMonitor = MonitorList->GetMonitorFromXYPoint(1, 1, MONITOR_DEFAULTTOPRIMARY);
    }
    CurrentMonitor = state.TargetMonitor >= 1 ? MonitorList->Monitors().Item(MonitorKey(state.TargetMonitor))
                                              : MonitorList->Monitors().Item(1);

    SetTargetRectangle(state, *CurrentMonitor);
    state.PatternWidth = arith::ToInt16(state.TargetWidth);
    state.PatternHeight = arith::ToInt16(state.TargetHeight);

    state.LanguageIndex = 1;
    const Text languageNamePattern = ReadLanguageCodeFile(state, ReadLanguageCode());
    ReadTextCatalogue(state, languageNamePattern,
                      [](int16_t language, const Text& name) { Guide().Option2(language).SetCaption(name); });

    state.StepIndex = 1;

    SetForeColor(toolkit::RGB(255, 255, 255));
    SetBackColor(toolkit::RGB(0, 0, 0));

    CoverTargetMonitor();

    SetScaleModePixels();

    // Out of sight: at least one of the two lies beyond the window's extent.
    Picture1().SetTop(state.TargetWidth);
    Picture1().SetLeft(state.TargetHeight);
}

}  // namespace quorvane
