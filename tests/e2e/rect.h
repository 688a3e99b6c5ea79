#pragma once

#include <ostream>

namespace quorvane::e2e {

// A rectangle of screen pixels in X root-window coordinates.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int Right() const { return x + width; }  // first column outside
    int Bottom() const { return y + height; }  // first row outside
    bool Contains(int px, int py) const { return px >= x && px < Right() && py >= y && py < Bottom(); }
    bool operator==(const Rect&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rect& rect)
{
    return out << rect.width << "x" << rect.height << "+" << rect.x << "+" << rect.y;
}

}  // namespace quorvane::e2e
