#pragma once

#include <gtest/gtest.h>

#include "quorvane_run.h"
#include "x_session.h"

namespace quorvane::e2e {

// Moves the dialog to (x, y) and waits until it is there. Depending on the
// window's gravity the window manager puts its frame or its client area there.
inline ::testing::AssertionResult MoveDialog(const XSession& session, const QuorvaneRun& run, int x, int y)
{
    const auto dialog = run.Dialog();
    if (!dialog) {
        return ::testing::AssertionFailure() << "no dialog to move";
    }
    session.MoveWindow(*dialog, x, y);
    const QPoint place(x, y);
    if (!WaitUntil([&] {
            const auto geometry = session.GeometryOf(*dialog);
            return geometry && (geometry->outer.topLeft() == place || geometry->client.topLeft() == place);
        })) {
        return ::testing::AssertionFailure() << "the dialog does not move to " << x << ", " << y;
    }
    return ::testing::AssertionSuccess();
}

// Moves the pointer over the dialog's free background: right of the language
// frame, below the instruction labels and above the buttons (96 dpi layout).
inline ::testing::AssertionResult HoverDialogBackground(const XSession& session, const QuorvaneRun& run)
{
    WindowGeometry dialog;
    const auto found = run.DialogGeometry(dialog);
    if (found) {
        const QPoint spot = dialog.client.topLeft() + QPoint(150, 120);
        session.MovePointer(spot.x(), spot.y());
        session.MovePointer(spot.x() + 1, spot.y() + 1);
    }
    return found;
}

}  // namespace quorvane::e2e
