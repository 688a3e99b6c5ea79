#include "platform/toolkit/canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace quorvane::toolkit {

namespace {

uint32_t Opaque(Colour colour) { return 0xFF000000u | colour; }

// Walks floor((2 * i * delta + steps) / (2 * steps)) for i = 0, 1, 2, ...,
// the integer nearest to i * delta / steps with halves rounded up, without a
// division per step. Needs steps > 0 and |delta| <= steps.
class NearestHalfUpWalk {
public:
    NearestHalfUpWalk(int64_t delta, int64_t steps) : twiceDelta_(2 * delta), divisor_(2 * steps), remainder_(steps)
    {
    }

    int64_t Value() const { return value_; }

    void Next()
    {
        // Keeps 2 * i * delta + steps == value * divisor + remainder, 0 <= remainder < divisor.
        remainder_ += twiceDelta_;
        if (remainder_ >= divisor_) {
            remainder_ -= divisor_;
            ++value_;
        } else if (remainder_ < 0) {
            remainder_ += divisor_;
            --value_;
        }
    }

private:
    int64_t twiceDelta_;
    int64_t divisor_;
    int64_t remainder_;
    int64_t value_ = 0;
};

}  // namespace

Colour QBColor(int index)
{
    static constexpr Colour kPalette[16] = {
        RGB(0, 0, 0),     RGB(0, 0, 128),   RGB(0, 128, 0),   RGB(0, 128, 128),
        RGB(128, 0, 0),   RGB(128, 0, 128), RGB(128, 128, 0), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(0, 0, 255), RGB(0, 255, 0),   RGB(0, 255, 255),
        RGB(255, 0, 0),   RGB(255, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255),
    };
    return kPalette[std::clamp(index, 0, 15)];
}

void Canvas::Resize(int width, int height, Colour background)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) {
        return;
    }
    const bool plain = width_ == 0 || height_ == 0 || SolidColour() == background;
    if (!plain) {
        Flush();
    }
    // Still one plain field: its pixels are made only when they are read, and
    // a full-screen field need never be.
    std::vector<uint32_t> resized;
    if (!plain) {
        resized.assign(static_cast<size_t>(width) * static_cast<size_t>(height), Opaque(background));
        const int keptWidth = std::min(width, width_);
        for (int y = 0; y < std::min(height, height_); ++y) {
            std::copy_n(pixels_.begin() + static_cast<ptrdiff_t>(y) * width_, keptWidth,
                        resized.begin() + static_cast<ptrdiff_t>(y) * width);
        }
    }
    pixels_ = std::move(resized);
    width_ = width;
    height_ = height;
    if (plain) {
        Fill(background);
    } else {
        // Recorded lines no longer span the new size.
        composing_ = false;
        pendingFill_.reset();
    }
}

void Canvas::Fill(Colour colour)
{
    composing_ = true;
    pendingFill_ = colour;
    lineColour_.reset();
    columns_.assign(static_cast<size_t>(width_), kNone);
    rows_.assign(static_cast<size_t>(height_), kNone);
    pendingColumns_.clear();
    pendingRows_.clear();
}

void Canvas::Line(int x1, int y1, int x2, int y2, Colour colour)
{
    if (composing_ && RecordFullSpanLine(x1, y1, x2, y2, colour)) {
        return;
    }
    Flush();
    composing_ = false;
    Rasterize(x1, y1, x2, y2, colour);
}

void Canvas::Box(int x1, int y1, int x2, int y2, Colour colour)
{
    Line(x1, y1, x2, y1, colour);
    Line(x1, y2, x2, y2, colour);
    Line(x1, y1, x1, y2, colour);
    Line(x2, y1, x2, y2, colour);
}

std::optional<Colour> Canvas::SolidColour() const
{
    if (pendingFill_ && pendingColumns_.empty() && pendingRows_.empty()) {
        return pendingFill_;
    }
    return std::nullopt;
}

const std::vector<uint32_t>& Canvas::Pixels()
{
    Flush();
    return pixels_;
}

void Canvas::PaintInto(const backend::PixelTarget& target)
{
    const int width = std::min(target.x + target.width, width_) - target.x;
    const int height = std::min(target.y + target.height, height_) - target.y;
    if (target.x < 0 || target.y < 0 || width <= 0 || height <= 0) {
        return;
    }
    if (pendingFill_) {
        // Straight from what was recorded: the picture is written once, where it is shown.
        Compose(target.pixels, target.stride, target.x, target.y, width, height);
        return;
    }
    Flush();
    for (int y = 0; y < height; ++y) {
        std::memcpy(target.pixels + static_cast<ptrdiff_t>(y) * target.stride,
                    pixels_.data() + static_cast<ptrdiff_t>(target.y + y) * width_ + target.x,
                    static_cast<size_t>(width) * sizeof(uint32_t));
    }
}

bool Canvas::RecordFullSpanLine(int x1, int y1, int x2, int y2, Colour colour)
{
    if (lineColour_ && *lineColour_ != colour) {
        return false;
    }
    const int width = width_;
    const int height = height_;
    if (x1 == x2 && std::min(y1, y2) <= 0 && std::max(y1, y2) >= height - 1) {
        if (x1 >= 0 && x1 < width && columns_[static_cast<size_t>(x1)] == kNone) {
            columns_[static_cast<size_t>(x1)] = kPending;
            pendingColumns_.push_back(x1);
        }
    } else if (y1 == y2 && std::min(x1, x2) <= 0 && std::max(x1, x2) >= width - 1) {
        if (y1 >= 0 && y1 < height && rows_[static_cast<size_t>(y1)] == kNone) {
            rows_[static_cast<size_t>(y1)] = kPending;
            pendingRows_.push_back(y1);
        }
    } else {
        return false;
    }
    lineColour_ = colour;
    return true;
}

void Canvas::Compose(uint32_t* pixels, int stride, int x, int y, int width, int height) const
{
    std::vector<uint32_t> row(static_cast<size_t>(width), Opaque(*pendingFill_));
    for (int column : pendingColumns_) {
        if (column >= x && column < x + width) {
            row[static_cast<size_t>(column - x)] = Opaque(*lineColour_);
        }
    }
    for (int line = 0; line < height; ++line) {
        std::memcpy(pixels + static_cast<ptrdiff_t>(line) * stride, row.data(), row.size() * sizeof(uint32_t));
    }
    for (int full : pendingRows_) {
        if (full >= y && full < y + height) {
            std::fill_n(pixels + static_cast<ptrdiff_t>(full - y) * stride, width, Opaque(*lineColour_));
        }
    }
}

void Canvas::Flush()
{
    if (pendingFill_) {
        pixels_.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
        if (!pixels_.empty()) {
            Compose(pixels_.data(), width_, 0, 0, width_, height_);
        }
    } else {
        for (int x : pendingColumns_) {
            DrawColumn(x, *lineColour_);
        }
        for (int y : pendingRows_) {
            DrawRow(y, *lineColour_);
        }
    }
    pendingFill_.reset();
    for (int x : pendingColumns_) {
        columns_[static_cast<size_t>(x)] = kDrawn;
    }
    for (int y : pendingRows_) {
        rows_[static_cast<size_t>(y)] = kDrawn;
    }
    pendingColumns_.clear();
    pendingRows_.clear();
}

void Canvas::DrawColumn(int x, Colour colour)
{
    for (int y = 0; y < height_; ++y) {
        pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = Opaque(colour);
    }
}

void Canvas::DrawRow(int y, Colour colour)
{
    const auto row = pixels_.begin() + static_cast<ptrdiff_t>(y) * width_;
    std::fill(row, row + width_, Opaque(colour));
}

void Canvas::Rasterize(int x1, int y1, int x2, int y2, Colour colour)
{
    const int width = width_;
    const int height = height_;
    if (width == 0 || height == 0) {
        return;
    }
    auto plot = [&](int64_t x, int64_t y) {
        if (x >= 0 && x < width && y >= 0 && y < height) {
            pixels_[static_cast<size_t>(y * width + x)] = Opaque(colour);
        }
    };
    // One pixel per step along the longer axis, the pixel nearest the ideal
    // line on the other (halves toward the larger coordinate).
    const int64_t dx = int64_t{x2} - x1;
    const int64_t dy = int64_t{y2} - y1;
    const int64_t steps = std::max(std::llabs(dx), std::llabs(dy));
    if (steps == 0) {
        plot(x1, y1);
        return;
    }
    NearestHalfUpWalk x(dx, steps);
    NearestHalfUpWalk y(dy, steps);
    for (int64_t i = 0; i <= steps; ++i) {
        plot(x1 + x.Value(), y1 + y.Value());
        x.Next();
        y.Next();
    }
}

}  // namespace quorvane::toolkit
