#include "scenario.h"

#include "screenshot.h"
#include "wait_until.h"
#include "x_input.h"

namespace quorvane::e2e {

MonitorLayout SideBySide(size_t primary)
{
    return MonitorLayout{{kSmallMonitor, kLargeMonitor}, primary};
}

ProgramOptions WithLocale(const std::string& locale)
{
    ProgramOptions options;
    options.environment["LANG"] = locale;
    return options;
}

::testing::AssertionResult DialogShowsTitle(const XSession& session, const QuorvaneRun& run, const std::string& title)
{
    if (run.WaitForDialogTitled(title)) {
        return ::testing::AssertionSuccess();
    }
    const auto dialog = run.Dialog();
    const auto shown = dialog ? WindowTitle(session, *dialog) : std::nullopt;
    return ::testing::AssertionFailure() << "the dialog's title is \"" << shown.value_or("(no dialog)")
                                         << "\" instead of \"" << title << "\"";
}

::testing::AssertionResult PressKeyUntilTitle(const XSession& session, const QuorvaneRun& run, const std::string& key,
                                              const std::string& title)
{
    PressKey(session, key);
    return DialogShowsTitle(session, run, title) << " after the key " << key;
}

::testing::AssertionResult DialogHasFocus(const XSession& session, const QuorvaneRun& run)
{
    const bool focused = WaitUntil([&] {
        const auto dialog = run.Dialog();
        return dialog && ActiveWindow(session) == dialog;
    });
    if (focused) {
        return ::testing::AssertionSuccess();
    }
    const auto active = ActiveWindow(session);
    const auto title = active ? WindowTitle(session, *active) : std::nullopt;
    return ::testing::AssertionFailure() << "the dialog is not the active window; the active one is titled \""
                                         << title.value_or("(none)") << "\"";
}

::testing::AssertionResult DialogArea(const XSession& session, const QuorvaneRun& run, Rect& area)
{
    const auto dialog = run.WaitForDialog();
    const auto geometry = dialog ? GeometryOf(session, *dialog) : std::nullopt;
    if (!geometry) {
        return ::testing::AssertionFailure() << "no dialog on screen";
    }
    area = geometry->outer;
    return ::testing::AssertionSuccess();
}

std::string MismatchesOnScreen(const XSession& session, const std::function<std::string(const QImage&)>& check)
{
    std::string found;
    WaitUntil([&] { return (found = check(Screenshot(session))).empty(); });
    return found;
}

}  // namespace quorvane::e2e
