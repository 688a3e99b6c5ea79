#pragma once

class QKeyEvent;

namespace quorvane::qt {

// The character code a key press delivers to key handlers, or -1 for keys
// that deliver none (arrows, modifiers, function keys).
int KeyAscii(const QKeyEvent& event);

}  // namespace quorvane::qt
