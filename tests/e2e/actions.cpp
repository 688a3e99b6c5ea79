#include "actions.h"

#include <thread>

#include "pattern_checks.h"

namespace quorvane::e2e {
namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

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

AssertionResult ShowsStep(Play& play, int step)
{
    play.step = step;
    return play.run.DialogShows(StepTitle(step, play.language));
}

AssertionResult TestWindowGeometry(const Play& play, WindowGeometry& geometry,
                                   const std::function<bool(const WindowGeometry&)>& wanted)
{
    std::optional<WindowGeometry> found;
    play.run.Await([&] {
        const auto window = play.run.TestWindow();
        return window && (found = play.session.GeometryOf(*window)) && wanted(*found);
    });
    if (!found) {
        return AssertionFailure() << "no test window; standard error:\n" << play.run.Errors();
    }
    geometry = *found;
    return wanted(geometry) ? AssertionSuccess() : AssertionFailure() << "the test window lies at " << geometry.outer;
}

AssertionResult NoMismatches(const std::string& found)
{
    return found.empty() ? AssertionSuccess() : AssertionFailure() << found;
}

}  // namespace

Action Key(const QString& key, int step)
{
    return {"the key " + key.toStdString(), [=](Play& play) {
                if (auto focused = play.run.DialogHasFocus(); !focused) {
                    return focused;
                }
                play.session.PressKeys({key});
                return ShowsStep(play, step);
            }};
}

Action Keys(const QStringList& keys, int step)
{
    return {std::to_string(keys.size()) + " keys at full speed", [=](Play& play) {
                if (auto focused = play.run.DialogHasFocus(); !focused) {
                    return focused;
                }
                for (qsizetype first = 0; first < keys.size(); first += kKeysPerCall) {
                    play.session.PressKeys(keys.mid(first, kKeysPerCall));
                }
                // The title stays for a second: the program has worked through
                // every key, and the title did not only pass by.
                for (int check = 0; check < 5; ++check) {
                    if (auto shown = ShowsStep(play, step); !shown) {
                        return shown;
                    }
                    std::this_thread::sleep_for(200ms);
                }
                return AssertionSuccess();
            }};
}

Action Click(Button button, int step)
{
    return {button == Button::Next ? "a click on Next" : "a click on Back", [=](Play& play) {
                WindowGeometry dialog;
                if (auto found = play.run.DialogGeometry(dialog); !found) {
                    return found;
                }
                play.session.Click(dialog.client.topLeft() + (button == Button::Next ? kNextButton : kBackButton));
                return ShowsStep(play, step);
            }};
}

Action ExitsWithEsc()
{
    return {"Esc", [](Play& play) {
                if (auto focused = play.run.DialogHasFocus(); !focused) {
                    return focused;
                }
                play.session.PressKeys({"Escape"});
                const auto status = play.run.WaitForExit();
                return status == 0 ? AssertionSuccess()
                                   : AssertionFailure() << "the exit status is " << status.value_or(-1)
                                                        << "; standard error:\n"
                                                        << play.run.Errors();
            }};
}

Action Covers(size_t monitor)
{
    return {"the test window over monitor " + std::to_string(monitor + 1), [=](Play& play) {
                return Covers(play.session.Layout().monitors.at(monitor).area).act(play);
            }};
}

Action Covers(const QRect& area)
{
    return {"the test window over " + QStringLiteral("%1x%2+%3+%4").arg(area.width()).arg(area.height()).arg(area.x()).arg(area.y()).toStdString(), [=](Play& play) {
                WindowGeometry window;
                if (auto found = TestWindowGeometry(play, window, [&](auto& g) { return g.outer == area; }); !found) {
                    return found << " instead of over " << area << "; standard error:\n" << play.run.Errors();
                }
                return window.client == window.outer ? AssertionSuccess()
                                                     : AssertionFailure() << "the test window has a frame around "
                                                                          << window.client;
            }};
}

Action ShowsPattern(size_t monitor)
{
    return {"the pattern on monitor " + std::to_string(monitor + 1), [=](Play& play) {
                WindowGeometry dialog;
                if (auto found = play.run.DialogGeometry(dialog); !found) {
                    return found;
                }
                const QRect area = play.session.Layout().monitors.at(monitor).area;
                return NoMismatches(
                    MismatchesOnScreen(play.session, monitor, area, dialog.outer, PatternOfStep(play.step)));
            }};
}

Action PatternFillsTestWindow()
{
    return {"the pattern in the test window", [](Play& play) {
                WindowGeometry window;
                WindowGeometry dialog;
                if (auto found = TestWindowGeometry(play, window, [](auto&) { return true; }); !found) {
                    return found;
                }
                if (auto found = play.run.DialogGeometry(dialog); !found) {
                    return found;
                }
                const auto& monitors = play.session.Layout().monitors;
                for (size_t monitor = 0; monitor < monitors.size(); ++monitor) {
                    if (monitors[monitor].area.contains(window.client)) {
                        return NoMismatches(MismatchesOnScreen(play.session, monitor, window.client, dialog.outer,
                                                               PatternOfStep(play.step)));
                    }
                }
                return AssertionFailure() << "the test window " << window.client << " lies on no one monitor";
            }};
}

Action MoveDialogTo(size_t monitor)
{
    return {"the dialog moved to monitor " + std::to_string(monitor + 1), [=](Play& play) {
                const QPoint corner = play.session.Layout().monitors.at(monitor).area.topLeft();
                return MoveDialogTo(corner + QPoint(100, 100)).act(play);
            }};
}

Action MoveDialogTo(QPoint place)
{
    return {"the dialog moved", [=](Play& play) {
                const auto dialog = play.run.Dialog();
                if (!dialog) {
                    return AssertionFailure() << "no dialog to move";
                }
                play.session.MoveWindow(dialog->id, place);
                if (!play.run.Await([&] {
                        const auto geometry = play.session.GeometryOf(dialog->id);
                        return geometry && (geometry->outer.topLeft() == place || geometry->client.topLeft() == place);
                    })) {
                    return AssertionFailure() << "the dialog does not move to " << place.x() << ", " << place.y();
                }
                return AssertionSuccess();
            }};
}

Action Hover()
{
    return {"the pointer over the dialog", [](Play& play) {
                WindowGeometry dialog;
                if (auto found = play.run.DialogGeometry(dialog); !found) {
                    return found;
                }
                // Over the title bar first: a pointer that is already inside
                // when the dialog arrives gets it no "enter", and the toolkit
                // ignores motion without one.
                const QPoint spot = dialog.client.topLeft() + kFreeBackground;
                play.session.MovePointer({spot.x(), (dialog.outer.top() + dialog.client.top()) / 2});
                play.session.MovePointer(spot);
                play.session.MovePointer(spot + QPoint(1, 1));
                return AssertionSuccess();
            }};
}

Action CloseDialog()
{
    return {"the dialog closed by its title bar", [](Play& play) {
                const auto dialog = play.run.Dialog();
                if (!dialog) {
                    return AssertionFailure() << "no dialog to close";
                }
                play.session.CloseWindow(dialog->id);
                if (!play.run.RunsFor(300ms)) {
                    return AssertionFailure() << "closing the dialog ended the program";
                }
                return ShowsStep(play, play.step);
            }};
}

Action IgnoresClicksOnTestWindow(size_t monitor)
{
    return {"clicks on the test window", [=](Play& play) {
                const QRect area = play.session.Layout().monitors.at(monitor).area;
                for (const QPoint spot : {area.bottomRight() - QPoint(50, 50), area.topLeft() + kPictureArea}) {
                    play.session.Click(spot);
                    if (!play.run.RunsFor(300ms)) {
                        return AssertionFailure() << "a click at " << spot.x() << ", " << spot.y()
                                                  << " ended the program";
                    }
                }
                if (auto shown = ShowsStep(play, play.step); !shown) {
                    return shown;
                }
                return play.run.DialogHasFocus();
            }};
}

Action DialogAtTopCentreOf(size_t monitor)
{
    return {"the dialog's place", [=](Play& play) {
                // 20 twips are 1.33 pixels at 96 dpi. Centred with the design
                // width, then widened by a few pixels.
                const QRect area = play.session.Layout().monitors.at(monitor).area;
                WindowGeometry dialog;
                const auto offset = [&] { return dialog.outer.center().x() - area.center().x(); };
                play.run.Await([&] {
                    return play.run.DialogGeometry(dialog) && dialog.outer.y() == area.y() + 1 &&
                           std::abs(offset()) <= 8;
                });
                if (dialog.outer.y() != area.y() + 1 || std::abs(offset()) > 8) {
                    return AssertionFailure() << "the dialog lies at " << dialog.outer;
                }
                return AssertionSuccess();
            }};
}

Action DialogScaledBy(double factor)
{
    return {"the dialog's size", [=](Play& play) {
                WindowGeometry dialog;
                if (auto found = play.run.DialogGeometry(dialog); !found) {
                    return found;
                }
                const QSizeF ratio(double(dialog.client.width()) / kDialogClient.width(),
                                   double(dialog.client.height()) / kDialogClient.height());
                if (std::abs(ratio.width() - factor) > 0.1 || std::abs(ratio.height() - factor) > 0.1) {
                    return AssertionFailure() << "the dialog's area " << dialog.client << " is not "
                                              << factor << " times " << kDialogClient.width() << " x "
                                              << kDialogClient.height();
                }
                return AssertionSuccess();
            }};
}

Action Plug(const QString& name, const QRect& area)
{
    return {"monitor " + name.toStdString() + " plugged in", [=](Play& play) {
                play.session.Plug(name, area, false);
                return AssertionSuccess();
            }};
}

Action Unplug(const QString& name)
{
    return {"monitor " + name.toStdString() + " unplugged", [=](Play& play) {
                play.session.Unplug(name);
                return AssertionSuccess();
            }};
}

Action KeepsRunning()
{
    return {"the program still running", [](Play& play) {
                if (!play.run.RunsFor(500ms) || play.run.MessageBox()) {
                    return AssertionFailure() << "the program ended or reports an error; standard error:\n"
                                              << play.run.Errors();
                }
                return AssertionSuccess();
            }};
}

}  // namespace quorvane::e2e
