#pragma once

#include <QString>
#include <functional>
#include <string>

#include "platform/text.h"

class QKeyEvent;

namespace quorvane::toolkit {

// Runs an event handler. A run-time error in it is fatal: the windows go,
// the message is shown and written to stderr, and the program ends with 1.
void RunHandler(const std::function<void()>& handler);
[[noreturn]] void Fatal(const std::string& message);

// Processes every pending event.
void DoEvents();
// Ends the program at once; no further handler runs.
[[noreturn]] void End();

// The primary screen, through the operating-system services.
double TwipsPerPixelX();
double TwipsPerPixelY();

// Captions show a text up to its first zero character.
QString ToQString(const Text& text);
Text FromQString(const QString& text);

// The character code a key press delivers to key handlers, or -1 for keys
// that deliver none (arrows, modifiers, function keys).
int KeyAscii(const QKeyEvent& event);

}  // namespace quorvane::toolkit
