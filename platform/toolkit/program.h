#pragma once

#include <functional>
#include <string>

#include "platform/text.h"

namespace quorvane::toolkit {

// Runs an event handler. A run-time error in it is fatal: the windows go,
// the message is shown and written to stderr, and the program ends with 1.
void RunHandler(const std::function<void()>& handler);
[[noreturn]] void Fatal(const std::string& message);

// Runs `start` as the first handler, then events until the program ends.
void Run(const std::function<void()>& start);
// Processes every pending event, unless yields already nest deeply.
void DoEvents();
// Ends the program at once; no further handler runs.
[[noreturn]] void End();

// The primary screen, through the operating-system services.
double TwipsPerPixelX();
double TwipsPerPixelY();

// Captions show a text up to its first zero character.
Text ShownText(const Text& text);

}  // namespace quorvane::toolkit
