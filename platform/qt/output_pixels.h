#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>

namespace quorvane::qt {

// What a Wayland compositor says of its outputs' pixels, read on a connection
// of our own: Qt's screen size times its device-pixel ratio misses them where
// the compositor lays outputs out in device pixels, or scales by a fraction
// that the screen's ratio rounds up.

// Asks the compositor for the outputs as they are now: one roundtrip, the
// first call connects. Without a compositor it leaves nothing known.
void RefreshOutputPixels();

// The output's size in device pixels, from its current mode and turned by its
// transform, as of the last refresh; nothing for an output the compositor
// does not offer. An output is known by its name, or where the compositor
// names none (wl_output before version 4), by its position in the layout.
std::optional<QSize> OutputPixels(const QString& name, const QPoint& position);

}  // namespace quorvane::qt
