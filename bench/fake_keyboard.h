#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>

namespace quorvane::bench {

// Types keys on the X display named by $DISPLAY through XTest, as if they
// came from the keyboard: they go to the window with the keyboard focus.
class FakeKeyboard {
public:
    using Clock = std::chrono::steady_clock;

    FakeKeyboard();  // throws std::runtime_error without a display or XTest
    ~FakeKeyboard();
    FakeKeyboard(const FakeKeyboard&) = delete;
    FakeKeyboard& operator=(const FakeKeyboard&) = delete;

    // Gives `window` the keyboard focus and waits until the server reports
    // it there; throws when that has not happened by `deadline`.
    void Focus(xcb_window_t window, Clock::time_point deadline);

    // The key that types `keysym` without modifiers (for a Latin-1 letter,
    // its lower-case code); throws when no key does.
    xcb_keycode_t KeyOf(uint32_t keysym);

    // Presses and releases `key`, sending both to the server at once.
    void Type(xcb_keycode_t key);

private:
    xcb_connection_t* connection_;
};

}  // namespace quorvane::bench
