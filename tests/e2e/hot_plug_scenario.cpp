#include <algorithm>

#include "actions.h"

namespace quorvane::e2e {
namespace {

using ::testing::AssertionResult;

struct Plugged {
    QString name;
    QRect area;
};

// The session's own two monitors, and one that comes and goes.
const Plugged kLeft{"M1", kSmallMonitor};
const Plugged kRight{"M2", kLargeMonitor};
const Plugged kExtra{"M3", QRect(kLargeMonitor.right() + 1, 0, 800, 600)};

// The program on a desktop whose monitors come and go, and what it should
// look like: the monitor the test window covers and the dialog's step.
class HotPlugDesktop {
public:
    explicit HotPlugDesktop(Play& play) : play_(play) {}

    const Plugged& Target() const { return *target_; }
    const Plugged& Primary() const { return *primary_; }

    void Unplug(const Plugged& monitor) const { play_.session.Unplug(monitor.name); }
    // The same monitor again: the system sees a new one at the same place.
    void Plug(const Plugged& monitor) const { play_.session.Plug(monitor.name, monitor.area, &monitor == primary_); }

    // The primary monitor's corner is the origin of the program's desktop
    // coordinates: every monitor the program knows moves in them.
    void MakePrimary(const Plugged& monitor)
    {
        primary_ = &monitor;
        Unplug(monitor);
        Plug(monitor);
    }

    bool Runs() const { return play_.run.RunsFor(100ms); }

    // Drags the dialog onto a monitor without touching its background.
    AssertionResult PutDialogOn(const Plugged& monitor) const
    {
        return MoveDialogTo(monitor.area.topLeft() + QPoint(100, 100)).act(play_);
    }

    AssertionResult FollowTo(const Plugged& monitor)
    {
        if (auto moved = PutDialogOn(monitor); !moved) {
            return moved;
        }
        return FollowsAfterHover(monitor);
    }

    // The pointer over the dialog's background brings the test window to the
    // monitor under the dialog's top-left corner, at that monitor's full
    // size, or to the nearest one when none is under it.
    AssertionResult FollowsAfterHover(const std::vector<const Plugged*>& present)
    {
        WindowGeometry dialog;
        if (auto found = play_.run.DialogGeometry(dialog); !found) {
            return found;
        }
        const QPoint corner = dialog.outer.topLeft();
        const auto distance = [&](const Plugged* monitor) {
            const QRect& area = monitor->area;
            const long dx = std::max({0, area.left() - corner.x(), corner.x() - area.right()});
            const long dy = std::max({0, area.top() - corner.y(), corner.y() - area.bottom()});
            return dx * dx + dy * dy;
        };
        return FollowsAfterHover(**std::ranges::min_element(present, {}, distance))
               << " (the dialog's corner is at " << corner.x() << ", " << corner.y() << ")";
    }

    AssertionResult FollowsAfterHover(const Plugged& monitor)
    {
        if (auto hovered = Hover().act(play_); !hovered) {
            return hovered;
        }
        if (auto covered = Covers(monitor.area).act(play_); !covered) {
            return covered << " (" << monitor.name.toStdString() << ")";
        }
        target_ = &monitor;
        return ::testing::AssertionSuccess();
    }

    // A step key still changes the step: the program runs and handles events.
    AssertionResult Responds() const
    {
        return play_.step == 1 ? Key("n", 2).act(play_) : Key("b", 1).act(play_);
    }

private:
    Play& play_;
    const Plugged* target_ = &kLeft;
    const Plugged* primary_ = &kLeft;
};

// Monitors are unplugged and plugged again while the program runs, the one
// under the test window and the one under the dialog included, and the
// primary monitor changes. The program must keep running and handling keys,
// the test window must follow the dialog to monitors it has never seen and to
// monitors that moved in its desktop coordinates, and Esc must still end it
// normally.
void FiftyMonitorCycles(const Session& session)
{
    const ProgramRun run(session, Launch{kNoLanguage});
    ASSERT_TRUE(run.DialogShows(StepTitle(1), kFirstAppearance));
    Play play{session, run, Language::English};
    HotPlugDesktop desktop(play);

    for (int cycle = 1; cycle <= 50; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        const Plugged& other = &desktop.Target() == &kLeft ? kRight : kLeft;
        switch (cycle % 6) {
        case 0:  // a monitor comes and goes
            desktop.Plug(kExtra);
            desktop.Unplug(kExtra);
            break;
        case 1:  // the monitor under the test window and the dialog goes and comes back
        {
            const Plugged& target = desktop.Target();
            desktop.Unplug(target);
            ASSERT_TRUE(desktop.Runs()) << "standard error:\n" << run.Errors();
            desktop.Plug(target);
            break;
        }
        case 2:  // the monitor under the dialog alone goes and comes back
            ASSERT_TRUE(desktop.PutDialogOn(other));
            desktop.Unplug(other);
            ASSERT_TRUE(desktop.Runs()) << "standard error:\n" << run.Errors();
            desktop.Plug(other);
            ASSERT_TRUE(desktop.FollowTo(other));
            break;
        case 3:  // a new monitor takes the test window and the dialog, then goes from under them
            desktop.Plug(kExtra);
            ASSERT_TRUE(desktop.FollowTo(kExtra));
            desktop.Unplug(kExtra);
            ASSERT_TRUE(desktop.Runs()) << "standard error:\n" << run.Errors();
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
            const Plugged& oldPrimary = desktop.Primary();
            const Plugged& newPrimary = &oldPrimary == &kLeft ? kRight : kLeft;
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
    for (const Plugged* monitor : {&kExtra, &kLeft, &kRight, &kLeft}) {
        if (monitor != &desktop.Target()) {
            EXPECT_TRUE(desktop.FollowTo(*monitor)) << "in the final layout";
        }
    }
    ASSERT_TRUE(desktop.Responds());
    ASSERT_TRUE(ExitsWithEsc().act(play));
}

DesktopLayout WithRoomForExtra()
{
    DesktopLayout layout = SideBySide();
    layout.minimumWidth = kExtra.area.right() + 1;
    return layout;
}

const bool added = AddScenarios({
    {"FiftyMonitorCyclesLeaveTheProgramWorking", WithRoomForExtra(), FiftyMonitorCycles,
     {Capability::MonitorHotPlug}},
});

}  // namespace
}  // namespace quorvane::e2e
