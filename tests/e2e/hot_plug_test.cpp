#include <gtest/gtest.h>

#include <QRect>
#include <QString>

#include <algorithm>
#include <vector>

#include "dialog_moves.h"
#include "quorvane_run.h"
#include "scenario.h"

namespace quorvane::e2e {
namespace {

constexpr int kCycles = 50;

// A RandR monitor of the session. The left one carries the screen's output:
// while it is unplugged, the automatic monitor covering the whole screen is
// back.
struct Monitor {
    QString name;
    QRect area;
    QString output;
};

const Monitor kLeft{"M1", kSmallMonitor, "screen"};
const Monitor kRight{"M2", kLargeMonitor, "none"};
const Monitor kExtra{"M3", QRect(kLargeMonitor.x() + kLargeMonitor.width(), 0, 800, 600), "none"};

// The program on a desktop whose monitors come and go, and what it should
// look like: the monitor the test window covers and the dialog's step.
class HotPlugDesktop {
public:
    HotPlugDesktop(const XSession& session, const QuorvaneRun& run) : session_(session), run_(run) {}

    const Monitor& Target() const { return *target_; }
    const Monitor& Primary() const { return *primary_; }

    void Unplug(const Monitor& monitor) const { session_.RemoveMonitor(monitor.name); }

    // The same monitor again: the system sees a new one at the same place.
    void Plug(const Monitor& monitor) const
    {
        session_.AddMonitor((&monitor == primary_ ? "*" : "") + monitor.name, monitor.area, monitor.output);
    }

    // The primary monitor's corner is the origin of the program's desktop
    // coordinates: every monitor the program knows moves in them.
    void MakePrimary(const Monitor& monitor)
    {
        primary_ = &monitor;
        Unplug(monitor);
        Plug(monitor);
    }

    // Drags the dialog onto a monitor without touching its background.
    ::testing::AssertionResult PutDialogOn(const Monitor& monitor) const
    {
        return MoveDialog(session_, run_, monitor.area.x() + 100, monitor.area.y() + 100);
    }

    // The pointer over the dialog's background brings the test window to the
    // monitor under the dialog, at that monitor's full size.
    ::testing::AssertionResult FollowTo(const Monitor& monitor)
    {
        if (auto moved = PutDialogOn(monitor); !moved) {
            return moved;
        }
        return FollowsAfterHover(monitor);
    }

    // The same without moving the dialog, which lies wherever the window
    // manager put it: the test window goes to the monitor under the dialog's
    // top-left corner, or the nearest one when none is under it.
    ::testing::AssertionResult FollowsAfterHover(const std::vector<const Monitor*>& present)
    {
        WindowGeometry dialog;
        if (auto found = run_.DialogGeometry(dialog); !found) {
            return found;
        }
        const QPoint corner = dialog.outer.topLeft();
        const auto distance = [&](const Monitor* monitor) {
            const QRect& area = monitor->area;
            const long dx = std::max({0, area.left() - corner.x(), corner.x() - area.right()});
            const long dy = std::max({0, area.top() - corner.y(), corner.y() - area.bottom()});
            return dx * dx + dy * dy;
        };
        const auto nearest = std::ranges::min_element(present, {}, distance);
        return FollowsAfterHover(**nearest) << " (the dialog's corner is at " << corner.x() << ", " << corner.y()
                                             << ")";
    }

    ::testing::AssertionResult FollowsAfterHover(const Monitor& monitor)
    {
        if (auto hovered = HoverDialogBackground(session_, run_); !hovered) {
            return hovered;
        }
        std::optional<WindowGeometry> geometry;
        WaitUntil([&] {
            const auto testWindow = run_.TestWindow();
            return testWindow && (geometry = session_.GeometryOf(*testWindow)) && geometry->outer == monitor.area;
        });
        if (!geometry || geometry->outer != monitor.area) {
            return ::testing::AssertionFailure()
                   << "the test window lies at " << (geometry ? geometry->outer : QRect()) << " instead of over "
                   << monitor.name.toStdString() << " at " << monitor.area << "; standard error:\n"
                   << run_.Errors();
        }
        target_ = &monitor;
        return ::testing::AssertionSuccess();
    }

    // A step key still changes the step: the program runs and handles events.
    ::testing::AssertionResult Responds()
    {
        if (auto focused = run_.DialogHasFocus(); !focused) {
            return focused << "; standard error:\n" << run_.Errors();
        }
        step_ = step_ == 1 ? 2 : 1;
        return run_.PressKeyUntil(step_ == 2 ? "n" : "b", StepTitle(step_));
    }

private:
    const XSession& session_;
    const QuorvaneRun& run_;
    const Monitor* target_ = &kLeft;
    const Monitor* primary_ = &kLeft;
    int step_ = 1;
};

// Monitors are unplugged and plugged again while the program runs, the one
// under the test window and the one under the dialog included, and the
// primary monitor changes. The program must keep running and handling keys,
// the test window must follow the dialog to monitors it has never seen and to
// monitors that moved in its desktop coordinates, and Esc must still end it
// normally.
TEST(HotPlug, FiftyMonitorCyclesLeaveTheProgramWorking)
{
    MonitorLayout layout = SideBySide();
    layout.minimumScreenWidth = kExtra.area.x() + kExtra.area.width();
    XSession session(layout);
    QuorvaneRun run(session, "C");
    ASSERT_TRUE(run.DialogShows(StepTitle(1)));
    HotPlugDesktop desktop(session, run);

    for (int cycle = 1; cycle <= kCycles; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        const Monitor& other = &desktop.Target() == &kLeft ? kRight : kLeft;
        switch (cycle % 6) {
        case 0:  // a monitor comes and goes
            desktop.Plug(kExtra);
            desktop.Unplug(kExtra);
            break;
        case 1:  // the monitor under the test window and the dialog goes and comes back
        {
            const Monitor& target = desktop.Target();
            desktop.Unplug(target);
            ASSERT_TRUE(run.RunsFor(100ms)) << "standard error:\n" << run.Errors();
            desktop.Plug(target);
            break;
        }
        case 2:  // the monitor under the dialog alone goes and comes back
            ASSERT_TRUE(desktop.PutDialogOn(other));
            desktop.Unplug(other);
            ASSERT_TRUE(run.RunsFor(100ms)) << "standard error:\n" << run.Errors();
            desktop.Plug(other);
            ASSERT_TRUE(desktop.FollowTo(other));
            break;
        case 3:  // a new monitor takes the test window and the dialog, then goes from under them
            desktop.Plug(kExtra);
            ASSERT_TRUE(desktop.FollowTo(kExtra));
            desktop.Unplug(kExtra);
            ASSERT_TRUE(run.RunsFor(100ms)) << "standard error:\n" << run.Errors();
            // The dialog lies beside the desktop, unless the window manager moved it.
            ASSERT_TRUE(desktop.FollowsAfterHover({&kLeft, &kRight}));
            ASSERT_TRUE(desktop.FollowTo(kLeft));
            break;
        case 4:  // a burst of changes, every monitor included
            desktop.Unplug(kRight);
            desktop.Plug(kExtra);
            desktop.Plug(kRight);
            desktop.Unplug(kLeft);
            desktop.Unplug(kExtra);
            desktop.Plug(kLeft);
            break;
        case 5:  // the other monitor becomes the primary one
        {
            const Monitor& oldPrimary = desktop.Primary();
            const Monitor& newPrimary = &oldPrimary == &kLeft ? kRight : kLeft;
            ASSERT_TRUE(desktop.FollowTo(newPrimary));
            desktop.MakePrimary(newPrimary);
            // The old primary monitor stays connected, but its place in the
            // program's coordinates is new.
            ASSERT_TRUE(desktop.FollowTo(oldPrimary));
            ASSERT_TRUE(desktop.FollowTo(newPrimary));
            break;
        }
        }
        ASSERT_TRUE(desktop.Responds());
        ASSERT_FALSE(run.MessageBox()) << "standard error:\n" << run.Errors();
    }

    // A stable layout of all three: the test window follows the dialog to
    // each monitor in turn, whatever it went through.
    desktop.Plug(kExtra);
    for (const Monitor* monitor : {&kExtra, &kLeft, &kRight, &kLeft}) {
        if (monitor != &desktop.Target()) {
            EXPECT_TRUE(desktop.FollowTo(*monitor)) << "in the final layout";
        }
    }
    ASSERT_TRUE(desktop.Responds());
    session.PressKey("Escape");
    EXPECT_EQ(run.WaitForExit(), 0) << "standard error:\n" << run.Errors();
}

}  // namespace
}  // namespace quorvane::e2e
