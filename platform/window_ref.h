#pragma once

#include <cstdint>

namespace quorvane {

// What the monitor list needs of a window: its handle, and its outer
// rectangle in twips for centring.
class WindowRef {
public:
    virtual ~WindowRef() = default;
    virtual int64_t hWnd() const = 0;
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    virtual void Move(double left, double top) = 0;
};

}  // namespace quorvane
