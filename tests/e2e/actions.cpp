#include "actions.h"

#include "pattern_checks.h"

namespace quorvane::e2e {
namespace {

// The dialog's client area at 96 dpi, and places in it: the free background
// right of the language frame, below the instruction labels and above the
// buttons, and the middles of the buttons.
constexpr QSize kDialogClient{516, 167};
constexpr QPoint kFreeBackground{150, 120};
constexpr QPoint kBackButton{128, 148};
constexpr QPoint kNextButton{253, 148};
// The test window's picture area: 61 x 48 pixels at (8, 8).
constexpr QPoint kPictureArea{38, 32};
constexpr int kKeysPerCall = 250;

void ShowsStep(Play& play, int step)
{
    play.step = step;
    play.run.AwaitTitle(StepTitle(step, play.language));
}

}  // namespace

Action Key(const QString& key, int step)
{
    return {"the key " + key.toStdString(), [=](Play& play) {
                play.run.AwaitDialogFocus();
                play.session.PressKeys({key});
                ShowsStep(play, step);
            }};
}

Action Keys(const QStringList& keys, int step)
{
    return {std::to_string(keys.size()) + " keys at full speed", [=](Play& play) {
                play.run.AwaitDialogFocus();
                for (qsizetype first = 0; first < keys.size(); first += kKeysPerCall) {
                    play.session.PressKeys(keys.mid(first, kKeysPerCall));
                }
                // The title stays for a second: the program has worked through
                // every key, and the title did not only pass by.
                for (int check = 0; check < 5; ++check) {
                    ShowsStep(play, step);
                    std::this_thread::sleep_for(200ms);
                }
            }};
}

Action Click(Button button, int step)
{
    return {button == Button::Next ? "a click on Next" : "a click on Back", [=](Play& play) {
                const QPoint corner = play.run.DialogGeometry().client.topLeft();
                play.session.Click(corner + (button == Button::Next ? kNextButton : kBackButton));
                ShowsStep(play, step);
            }};
}

Action ExitsWithEsc()
{
    return {"Esc", [](Play& play) {
                play.run.AwaitDialogFocus();
                play.session.PressKeys({"Escape"});
                const auto status = play.run.WaitForExit();
                Require(status == 0, play.run.Failure("the exit status is " + std::to_string(status.value_or(-1))));
            }};
}

Action Covers(size_t monitor)
{
    return {"the test window over monitor " + std::to_string(monitor + 1),
            [=](Play& play) { Covers(play.session.Area(monitor)).act(play); }};
}

Action Covers(const QRect& area)
{
    return {"the test window over " + Text(area), [=](Play& play) {
                const auto window = play.run.TestWindowGeometry([&](auto& g) { return g.outer == area; });
                Require(window.outer == area,
                        play.run.Failure("the test window lies at " + Text(window.outer) + " instead of " + Text(area)));
                Require(window.client == window.outer, "the test window has a frame around " + Text(window.client));
            }};
}

Action ShowsPattern(size_t monitor)
{
    return {"the pattern on monitor " + std::to_string(monitor + 1), [=](Play& play) {
                AwaitPattern(play.session, monitor, play.session.Area(monitor), play.run.DialogGeometry().outer,
                             play.step);
            }};
}

Action PatternFillsTestWindow()
{
    return {"the pattern in the test window", [](Play& play) {
                const QRect window = play.run.TestWindowGeometry([](auto&) { return true; }).client;
                for (size_t monitor = 0; monitor < play.session.Layout().monitors.size(); ++monitor) {
                    if (play.session.Area(monitor).contains(window)) {
                        AwaitPattern(play.session, monitor, window, play.run.DialogGeometry().outer, play.step);
                        return;
                    }
                }
                throw std::runtime_error("the test window " + Text(window) + " lies on no one monitor");
            }};
}

Action MoveDialogTo(size_t monitor)
{
    return {"the dialog moved to monitor " + std::to_string(monitor + 1), [=](Play& play) {
                MoveDialogTo(play.session.Area(monitor).topLeft() + QPoint(100, 100)).act(play);
            }};
}

Action MoveDialogTo(QPoint place)
{
    return {"the dialog moved", [=](Play& play) {
                const auto dialog = play.run.Dialog();
                Require(dialog.has_value(), "no dialog to move");
                play.session.MoveWindow(dialog->id, place);
                // Depending on the window's gravity, its frame or its own area goes there.
                Require(play.run.Await([&] {
                    const auto geometry = play.session.GeometryOf(dialog->id);
                    return geometry && (geometry->outer.topLeft() == place || geometry->client.topLeft() == place);
                }),
                        "the dialog does not move to " + std::to_string(place.x()) + ", " + std::to_string(place.y()));
            }};
}

Action Hover()
{
    return {"the pointer over the dialog", [](Play& play) {
                // Over the title bar first: a pointer that is already inside
                // when the dialog arrives gets it no "enter", and the toolkit
                // ignores motion without one.
                const WindowGeometry dialog = play.run.DialogGeometry();
                const QPoint spot = dialog.client.topLeft() + kFreeBackground;
                play.session.MovePointer({spot.x(), (dialog.outer.top() + dialog.client.top()) / 2});
                play.session.MovePointer(spot);
                play.session.MovePointer(spot + QPoint(1, 1));
            }};
}

Action CloseDialog()
{
    return {"the dialog closed by its title bar", [](Play& play) {
                const auto dialog = play.run.Dialog();
                Require(dialog.has_value(), "no dialog to close");
                play.session.CloseWindow(dialog->id);
                Require(play.run.RunsFor(300ms), play.run.Failure("closing the dialog ended the program"));
                ShowsStep(play, play.step);
            }};
}

Action IgnoresClicksOnTestWindow(size_t monitor)
{
    return {"clicks on the test window", [=](Play& play) {
                const QRect area = play.session.Area(monitor);
                for (const QPoint spot : {area.bottomRight() - QPoint(50, 50), area.topLeft() + kPictureArea}) {
                    play.session.Click(spot);
                    Require(play.run.RunsFor(300ms), play.run.Failure("a click at " + std::to_string(spot.x()) +
                                                                      ", " + std::to_string(spot.y()) +
                                                                      " ended the program"));
                }
                ShowsStep(play, play.step);
                play.run.AwaitDialogFocus();
            }};
}

Action DialogAtTopCentreOf(size_t monitor)
{
    return {"the dialog's place", [=](Play& play) {
                // 20 twips are 1.33 pixels at 96 dpi. Centred with the design
                // width, then widened by a few pixels.
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

Action DialogScaledBy(double factor)
{
    return {"the dialog's size", [=](Play& play) {
                const QRect dialog = play.run.DialogGeometry().client;
                const double across = double(dialog.width()) / kDialogClient.width();
                const double down = double(dialog.height()) / kDialogClient.height();
                Require(std::abs(across - factor) <= 0.1 && std::abs(down - factor) <= 0.1,
                        "the dialog's area " + Text(dialog) + " is not " + std::to_string(factor) +
                            " times 516 x 167");
            }};
}

Action Plug(const QString& name, const QRect& area, bool primary)
{
    return {"monitor " + name.toStdString() + " plugged in",
            [=](Play& play) { play.session.Plug(name, area, primary); }};
}

Action Unplug(const QString& name)
{
    return {"monitor " + name.toStdString() + " unplugged", [=](Play& play) { play.session.Unplug(name); }};
}

Action KeepsRunning(std::chrono::milliseconds span)
{
    return {"the program still running", [=](Play& play) {
                Require(play.run.RunsFor(span) && !play.run.MessageBox(),
                        play.run.Failure("the program ended or reports an error"));
            }};
}

}  // namespace quorvane::e2e
