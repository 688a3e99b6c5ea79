#pragma once

#include <QRect>

#include "platform/backend.h"

class QScreen;

namespace quorvane::qt {

// The screens in device pixels, with the primary screen's top-left corner at
// (0, 0). On a desktop that scales some screens (Wayland) Qt measures in
// logical units even with its own scaling off: a screen's size is its
// output's pixels as the compositor tells them, else its logical size times
// its device-pixel ratio, and positions are scaled by the largest ratio, so
// that screens side by side never overlap.
QRect DeviceRect(const QScreen& screen);
QRect DeviceRect(const QScreen& screen, const QRect& logical);

// Asks the window system for the screens' pixels anew, where Qt's logical
// sizes do not tell them (Wayland): before a layout that may have changed is
// worked out.
void RefreshDeviceSizes();

// The screen whose top-left corner is the desktop's origin: the window
// system's primary screen, or on Wayland, which names none (Qt takes the
// first output announced), the output at the compositor's origin.
QScreen* PrimaryScreen();

// The screen holding the centre of a device-pixel rectangle, else the nearest.
QScreen* ScreenFor(const backend::PixelRect& rect);

// Whether the window system tells where a window is and lets the program
// place it; Wayland does neither.
bool WindowsHavePositions();

}  // namespace quorvane::qt
