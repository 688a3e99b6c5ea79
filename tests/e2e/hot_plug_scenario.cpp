#include <algorithm>

#include "actions.h"

namespace quorvane::e2e {
namespace {

const QRect kLeft = kSmallMonitor;  // M1
const QRect kRight = kLargeMonitor;  // M2
const QRect kExtra(kLargeMonitor.right() + 1, 0, 800, 600);  // M3, when plugged in

// The dialog dragged onto a monitor, without touching its background.
Action PutDialogOn(const QRect& monitor)
{
    return MoveDialogTo(monitor.topLeft() + QPoint(100, 100));
}

// The pointer over the dialog's background brings the test window to the
// monitor under the dialog's top-left corner, at that monitor's full size.
Action Follow(const QRect& monitor)
{
    return {"the test window following the dialog to " + Text(monitor), [=](Play& play) {
                PutDialogOn(monitor).act(play);
                Hover().act(play);
                Covers(monitor).act(play);
            }};
}

// The same with the dialog's corner on no monitor: the nearest one.
Action FollowToNearest()
{
    return {"the test window following the dialog to the nearest monitor", [](Play& play) {
                const QPoint corner = play.run.DialogGeometry().outer.topLeft();
                const auto distance = [&](const QRect& area) {
                    const long dx = std::max({0, area.left() - corner.x(), corner.x() - area.right()});
                    const long dy = std::max({0, area.top() - corner.y(), corner.y() - area.bottom()});
                    return dx * dx + dy * dy;
                };
                Hover().act(play);
                const auto nearer = [&](const QRect& a, const QRect& b) { return distance(a) < distance(b); };
                Covers(std::min({kLeft, kRight}, nearer)).act(play);
            }};
}

// Twelve cycles of monitor changes, after which the test window is back on
// the left monitor and that is the primary one again. A monitor plugged in
// again is a new one to the system; the primary monitor's corner is the
// origin of the program's desktop coordinates, so when the primary monitor
// changes every monitor moves in them.
std::vector<std::vector<Action>> TwelveCycles()
{
    const auto stillRuns = KeepsRunning(100ms);
    const auto burst = [](bool leftPrimary) {
        return std::vector{Unplug("M2"), Plug("M3", kExtra), Plug("M2", kRight, !leftPrimary), Unplug("M1"),
                           Unplug("M3"), Plug("M1", kLeft, leftPrimary)};
    };
    const std::vector comeAndGo = {Plug("M3", kExtra), Unplug("M3")};
    // A new monitor takes the test window and the dialog, then goes from
    // under them, and the dialog lies beside the desktop.
    const std::vector extraTakesAndGoes = {Plug("M3", kExtra), Follow(kExtra), Unplug("M3"), stillRuns,
                                           FollowToNearest(), Follow(kLeft)};
    return {
        // the monitor under the test window and the dialog goes and comes back
        {Unplug("M1"), stillRuns, Plug("M1", kLeft, true)},
        // the monitor under the dialog alone goes and comes back
        {PutDialogOn(kRight), Unplug("M2"), stillRuns, Plug("M2", kRight), Follow(kRight)},
        extraTakesAndGoes,
        burst(true),
        // the other monitor becomes the primary one
        {Follow(kRight), Unplug("M2"), Plug("M2", kRight, true), Follow(kLeft), Follow(kRight)},
        comeAndGo,
        {Unplug("M2"), stillRuns, Plug("M2", kRight, true)},
        {PutDialogOn(kLeft), Unplug("M1"), stillRuns, Plug("M1", kLeft), Follow(kLeft)},
        extraTakesAndGoes,
        burst(false),
        {Follow(kLeft), Unplug("M1"), Plug("M1", kLeft, true), Follow(kRight), Follow(kLeft)},
        comeAndGo,
    };
}

// Monitors are unplugged and plugged again while the program runs, the one
// under the test window and the one under the dialog included, and the
// primary monitor changes. After each cycle the program must still run and
// handle keys; then, in a stable layout of all three, the test window must
// follow the dialog to each monitor in turn.
std::vector<Action> FiftyCycles()
{
    const auto cycles = TwelveCycles();
    std::vector<Action> actions;
    for (int cycle = 1; cycle <= 50; ++cycle) {
        std::vector<Action> played = cycles[(cycle - 1) % cycles.size()];
        played.push_back(cycle % 2 ? Key("n", 2) : Key("b", 1));
        played.push_back(KeepsRunning(0ms));
        for (Action& action : played) {
            action.what = "cycle " + std::to_string(cycle) + ": " + action.what;
            actions.push_back(action);
        }
    }
    for (const Action& action : {Plug("M3", kExtra), Follow(kExtra), Follow(kLeft), Follow(kRight), Follow(kLeft),
                                 Key("n", 2), ExitsWithEsc()}) {
        actions.push_back(action);
    }
    return actions;
}

DesktopLayout WithRoomForExtra()
{
    DesktopLayout layout = SideBySide();
    layout.minimumWidth = kExtra.right() + 1;
    return layout;
}

const bool added = AddScenarios({
    Script("FiftyMonitorCyclesLeaveTheProgramWorking", WithRoomForExtra(), kNoLanguage, Language::English,
           FiftyCycles(), {Capability::MonitorHotPlug}),
});

}  // namespace
}  // namespace quorvane::e2e
