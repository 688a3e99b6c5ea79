#pragma once

#include <QStringList>

#include "scenario.h"

namespace quorvane::e2e {

// Keys go to the dialog once it has the focus; each key, or the last of a
// burst, must leave the dialog on `step`.
Action Key(const QString& key, int step);
Action Keys(const QStringList& keys, int step);
enum class Button { Back, Next };
Action Click(Button button, int step);
// Esc ends the program with status 0.
Action ExitsWithEsc();

// The test window covers the monitor exactly, without frame or title bar.
Action Covers(size_t monitor);
Action Covers(const QRect& area);
// The current step's pattern on every pixel of the monitor that the dialog
// leaves free.
Action ShowsPattern(size_t monitor);
// The same on the test window's own area, wherever the desktop put it.
Action PatternFillsTestWindow();

Action MoveDialogTo(size_t monitor);
Action MoveDialogTo(QPoint place);
// The pointer over the dialog's free background.
Action Hover();
Action CloseDialog();
// Clicks on the disabled test window, one inside its picture area, change
// nothing.
Action IgnoresClicksOnTestWindow(size_t monitor);
Action DialogAtTopCentreOf(size_t monitor);
// The dialog's own area against its size at 96 dpi.
Action DialogScaledBy(double factor);

Action Plug(const QString& name, const QRect& area, bool primary = false);
Action Unplug(const QString& name);
// The program neither ends nor reports an error within `span`.
Action KeepsRunning(std::chrono::milliseconds span = 500ms);

}  // namespace quorvane::e2e
