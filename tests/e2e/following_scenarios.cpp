#include "actions.h"

namespace quorvane::e2e {
namespace {

const QRect kAdded(kLargeMonitor.right() + 1, 0, 800, 600);

DesktopLayout WithRoomForAdded()
{
    DesktopLayout layout = SideBySide();
    layout.minimumWidth = kAdded.right() + 1;
    return layout;
}

const bool added = AddScenarios({
    // The pattern is drawn for the new monitor at the next step.
    Script("TestWindowFollowsDialogToOtherMonitorAndBack", SideBySide(), kNoLanguage, Language::English,
           {MoveDialogTo(1), Hover(), Covers(1), Key("n", 2), ShowsPattern(1), Key("n", 3), Key("n", 4), Key("n", 5),
            ShowsPattern(1), MoveDialogTo(0), Hover(), Covers(0), Key("n", 6), ShowsPattern(0), Key("n", 7),
            ShowsPattern(0), ExitsWithEsc()}),
    // The program learns of monitors only when it starts; one that appears
    // later must not bring it down when the dialog is taken there.
    Script("MonitorAddedWhileRunningDoesNoHarm", WithRoomForAdded(), kNoLanguage, Language::English,
           {Plug("ADDED", kAdded), MoveDialogTo(kAdded.topLeft() + QPoint(100, 100)), Hover(), KeepsRunning(),
            Key("n", 2), Unplug("ADDED"), KeepsRunning(), ExitsWithEsc()},
           {Capability::MonitorHotPlug}),
});

}  // namespace
}  // namespace quorvane::e2e
