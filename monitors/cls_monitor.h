#pragma once

#include <cstdint>

namespace quorvane {

// One display monitor: handle, monitor and work-area rectangles, width and
// height, in virtual-desktop pixels. A plain value holder shared by reference.
class clsMonitor {
public:
    int32_t Handle() const { return handle_; }
    void Handle(int32_t lHandle) { handle_ = lHandle; }
    int32_t Height() const { return height_; }
    void Height(int32_t h) { height_ = h; }
    int32_t Width() const { return width_; }
    void Width(int32_t w) { width_ = w; }
    int32_t Left() const { return left_; }
    void Left(int32_t l) { left_ = l; }
    int32_t Right() const { return right_; }
    void Right(int32_t r) { right_ = r; }
    int32_t Top() const { return top_; }
    void Top(int32_t t) { top_ = t; }
    int32_t Bottom() const { return bottom_; }
    void Bottom(int32_t b) { bottom_ = b; }
    int32_t WorkLeft() const { return workLeft_; }
    void WorkLeft(int32_t l) { workLeft_ = l; }
    int32_t WorkRight() const { return workRight_; }
    void WorkRight(int32_t r) { workRight_ = r; }
    int32_t WorkTop() const { return workTop_; }
    void WorkTop(int32_t t) { workTop_ = t; }
    int32_t WorkBottom() const { return workBottom_; }
    void WorkBottom(int32_t b) { workBottom_ = b; }

private:
    int32_t handle_ = 0;
    int32_t left_ = 0;
    int32_t right_ = 0;
    int32_t top_ = 0;
    int32_t bottom_ = 0;
    int32_t workLeft_ = 0;
    int32_t workRight_ = 0;
    int32_t workTop_ = 0;
    int32_t workBottom_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

}  // namespace quorvane
