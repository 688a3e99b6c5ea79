#pragma once

#include <xcb/xcb.h>

#include <cstdint>

namespace quorvane::bench {

struct ScreenRectangle {
    int x, y, width, height;

    bool Contains(int pointX, int pointY) const
    {
        return pointX >= x && pointX < x + width && pointY >= y && pointY < y + height;
    }
};

// Reads what the X display named by $DISPLAY shows, on a connection of its
// own: the screen's size, where a window is, and single pixels.
class ScreenReader {
public:
    ScreenReader();  // throws std::runtime_error when there is no display
    ~ScreenReader();
    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    ScreenRectangle Screen() const;

    // In screen coordinates; throws when the window has gone.
    ScreenRectangle Place(xcb_window_t window);

    // The colour at (x, y) in the window as 0xRRGGBB, read with a 1 x 1
    // GetImage: one round trip to the server.
    uint32_t Pixel(xcb_window_t window, int x, int y);

private:
    xcb_connection_t* connection_;
    xcb_screen_t* screen_;
};

}  // namespace quorvane::bench
