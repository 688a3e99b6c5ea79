#pragma once

#include <QStringList>

#include "pattern_checks.h"
#include "scenario.h"

// What a user does and sees in the scenarios' tables. Places in the dialog
// are those of its layout at 96 dpi.
namespace quorvane::e2e {

inline void ShowsStep(Play& play, int step)
{
    play.step = step;
    play.run.AwaitTitle(StepTitle(step, play.language));
}

// A key to the dialog once it has the focus; the dialog must show `step`.
inline Action Key(const QString& key, int step)
{
    return {"the key " + key.toStdString(), [=](Play& play) {
                play.run.AwaitKeyFocus();
                play.session.PressKeys({key});
                ShowsStep(play, step);
            }};
}

// A burst of keys; the title must then stay on `step` for a second: the
// program has worked through every key, and the title did not only pass by.
inline Action Keys(const QStringList& keys, int step)
{
    return {std::to_string(keys.size()) + " keys at full speed", [=](Play& play) {
                play.run.AwaitKeyFocus();
                for (qsizetype first = 0; first < keys.size(); first += 250) {
                    play.session.PressKeys(keys.mid(first, 250));
                }
                for (int check = 0; check < 5; ++check) {
                    ShowsStep(play, step);
                    std::this_thread::sleep_for(200ms);
                }
            }};
}

enum class Button { Back, Next };
inline Action Click(Button button, int step)
{
    return {button == Button::Next ? "a click on Next" : "a click on Back", [=](Play& play) {
                const QPoint corner = play.run.DialogGeometry().client.topLeft();
                play.session.Click(corner + QPoint(button == Button::Next ? 253 : 128, 148));
                ShowsStep(play, step);
            }};
}

// Esc ends the program with status 0.
inline Action ExitsWithEsc()
{
    return {"Esc", [](Play& play) {
                play.run.AwaitKeyFocus();
                play.session.PressKeys({"Escape"});
                const auto status = play.run.WaitForExit();
                Require(status == 0, play.run.Failure("the exit status is " + std::to_string(status.value_or(-1))));
            }};
}

// The test window covers the area exactly, without frame or title bar.
inline Action Covers(const QRect& area)
{
    return {"the test window over " + Text(area), [=](Play& play) {
                const auto window = play.run.TestWindowGeometry([&](auto& g) { return g.outer == area; });
                Require(window.outer == area,
                        play.run.Failure("the test window lies at " + Text(window.outer) + " instead"));
                Require(window.client == window.outer, "the test window has a frame around " + Text(window.client));
            }};
}

inline Action Covers(size_t monitor)
{
    return {"the test window over monitor " + std::to_string(monitor + 1),
            [=](Play& play) { Covers(play.session.Area(monitor)).act(play); }};
}

// The current step's pattern on every pixel of the monitor that the dialog
// leaves free.
inline Action ShowsPattern(size_t monitor)
{
    return {"the pattern on monitor " + std::to_string(monitor + 1), [=](Play& play) {
                AwaitPattern(play.session, monitor, play.session.Area(monitor), play.run.DialogGeometry().outer,
                             play.step);
            }};
}

// The same on the test window's own area, wherever the desktop put it.
inline Action PatternFillsTestWindow()
{
    return {"the pattern in the test window", [](Play& play) {
                const QRect window = play.run.TestWindowGeometry([](auto&) { return true; }).client;
                const size_t monitors = play.session.Layout().monitors.size();
                size_t monitor = 0;
                while (monitor < monitors && !play.session.Area(monitor).contains(window)) {
                    ++monitor;
                }
                Require(monitor < monitors, "the test window lies on no one monitor");
                AwaitPattern(play.session, monitor, window, play.run.DialogGeometry().outer, play.step);
            }};
}

// The dialog's frame or its own area, as the desktop's gravity says, moves
// to `place`.
inline Action MoveDialogTo(QPoint place)
{
    return {"the dialog moved", [=](Play& play) {
                const auto dialog = play.run.Dialog();
                Require(dialog.has_value(), "no dialog to move");
                play.session.MoveWindow(dialog->id, place);
                Require(play.run.Await([&] {
                    const auto geometry = play.session.GeometryOf(dialog->id);
                    return geometry && (geometry->outer.topLeft() == place || geometry->client.topLeft() == place);
                }),
                        "the dialog does not move to " + std::to_string(place.x()) + ", " + std::to_string(place.y()));
            }};
}

inline Action MoveDialogTo(size_t monitor)
{
    return {"the dialog moved to monitor " + std::to_string(monitor + 1), [=](Play& play) {
                MoveDialogTo(play.session.Area(monitor).topLeft() + QPoint(100, 100)).act(play);
            }};
}

// The pointer over the dialog's free background, right of the language
// frame, below the instructions and above the buttons. Over the title bar
// first: a pointer that is already inside when the dialog arrives gets it no
// "enter", and the toolkit ignores motion without one.
inline Action Hover()
{
    return {"the pointer over the dialog", [](Play& play) {
                const WindowGeometry dialog = play.run.DialogGeometry();
                const QPoint spot = dialog.client.topLeft() + QPoint(150, 120);
                play.session.MovePointer({spot.x(), (dialog.outer.top() + dialog.client.top()) / 2});
                play.session.MovePointer(spot);
                // Two moves: a toolkit drops a move to where its last one ended.
                play.session.MovePointer(spot + QPoint(1, 1));
                play.session.MovePointer(spot + QPoint(2, 2));
            }};
}

// Closed by its title bar, the dialog comes back on the same step.
inline Action CloseDialog()
{
    return {"the dialog closed by its title bar", [](Play& play) {
                const auto dialog = play.run.Dialog();
                Require(dialog.has_value(), "no dialog to close");
                play.session.CloseWindow(dialog->id);
                Require(play.run.RunsFor(300ms), play.run.Failure("closing the dialog ended the program"));
                ShowsStep(play, play.step);
            }};
}

// Clicks on the disabled test window, one inside its picture area (61 x 48
// pixels at 8, 8), change nothing.
inline Action IgnoresClicksOnTestWindow(size_t monitor)
{
    return {"clicks on the test window", [=](Play& play) {
                const QRect area = play.session.Area(monitor);
                for (const QPoint spot : {area.bottomRight() - QPoint(50, 50), area.topLeft() + QPoint(38, 32)}) {
                    play.session.Click(spot);
                    Require(play.run.RunsFor(300ms), play.run.Failure("a click on the test window ended the program"));
                }
                ShowsStep(play, play.step);
                play.run.AwaitKeyFocus();
            }};
}

// At the monitor's top, 20 twips (1.33 pixels) down, and centred with the
// design width before it was widened by a few pixels.
inline Action DialogAtTopCentreOf(size_t monitor)
{
    return {"the dialog's place", [=](Play& play) {
                const QRect area = play.session.Area(monitor);
                QRect dialog;
                const auto placed = [&] {
                    return dialog.y() == area.y() + 1 && std::abs(dialog.center().x() - area.center().x()) <= 8;
                };
                play.run.Await([&] {
                    dialog = play.run.DialogGeometry().outer;
                    return placed();
                });
                Require(placed(), "the dialog lies at " + Text(dialog));
            }};
}

// The dialog's own area against its 516 x 167 pixels at 96 dpi.
inline Action DialogScaledBy(double factor)
{
    return {"the dialog's size", [=](Play& play) {
                const QRect dialog = play.run.DialogGeometry().client;
                const double across = dialog.width() / 516.0;
                const double down = dialog.height() / 167.0;
                Require(std::abs(across - factor) <= 0.1 && std::abs(down - factor) <= 0.1,
                        "the dialog's area " + Text(dialog) + " is not " + std::to_string(factor) + " times 516 x 167");
            }};
}

inline Action Plug(const QString& name, const QRect& area, bool primary = false)
{
    return {"monitor " + name.toStdString() + " plugged in",
            [=](Play& play) { play.session.Plug(name, area, primary); }};
}

inline Action Unplug(const QString& name)
{
    return {"monitor " + name.toStdString() + " unplugged", [=](Play& play) { play.session.Unplug(name); }};
}

// The program neither ends nor reports an error within `span`.
inline Action KeepsRunning(std::chrono::milliseconds span = 500ms)
{
    return {"the program still running", [=](Play& play) {
                Require(play.run.RunsFor(span) && !play.run.MessageBox(),
                        play.run.Failure("the program ended or reports an error"));
            }};
}

}  // namespace quorvane::e2e
