#pragma once

#include <gtest/gtest.h>

#include <QImage>

#include <functional>
#include <optional>
#include <string>

#include "monitor_layout.h"
#include "quorvane_run.h"
#include "x_session.h"
#include "x_windows.h"

namespace quorvane::e2e {

// Steps shared by the end-to-end tests.

inline const Rect kSmallMonitor{0, 0, 1024, 768};
inline const Rect kLargeMonitor{1024, 0, 1280, 1024};

// A 1024 x 768 monitor left of a 1280 x 1024 one; `primary` 0 is the left one.
MonitorLayout SideBySide(size_t primary);

// The program in the sample data folder with LANG set to `locale`.
ProgramOptions WithLocale(const std::string& locale);

// Waits for the dialog to show `title`.
::testing::AssertionResult DialogShowsTitle(const XSession& session, const QuorvaneRun& run, const std::string& title);

// Waits for the dialog to become the active window, which takes the keys.
::testing::AssertionResult DialogHasFocus(const XSession& session, const QuorvaneRun& run);

// The outer rectangle of the dialog, frame included.
::testing::AssertionResult DialogArea(const XSession& session, const QuorvaneRun& run, Rect& area);

// Presses a key in the focused window and waits for the dialog's title to
// become `title`.
::testing::AssertionResult PressKeyUntilTitle(const XSession& session, const QuorvaneRun& run, const std::string& key,
                                              const std::string& title);

// Takes screenshots until `check` finds nothing wrong or time runs out;
// gives what the last check found.
std::string MismatchesOnScreen(const XSession& session, const std::function<std::string(const QImage&)>& check);

}  // namespace quorvane::e2e
