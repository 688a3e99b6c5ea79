#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/backend.h"
#include "platform/toolkit/colour.h"

namespace quorvane::toolkit {

// A window's picture in device pixels. Lines and box outlines are one pixel
// wide, solid and inclusive of both end pixels.
//
// Patterns are a fill followed by many full-width or full-height lines of one
// colour, drawn twice. Such lines are only recorded, and composed where the
// picture goes: the fill and the full-height lines become one template row
// copied to every row, the full-width lines are written over it, and a line
// recorded again is free. Anything else is drawn at once.
class Canvas {
public:
    // New area takes the given colour.
    void Resize(int width, int height, Colour background);
    void Fill(Colour colour);
    void Line(int x1, int y1, int x2, int y2, Colour colour);
    void Box(int x1, int y1, int x2, int y2, Colour colour);

    // Every pixel, row by row, 0xFFRRGGBB.
    const std::vector<uint32_t>& Pixels();
    // Writes the part of the picture a window asks for into its buffer.
    void PaintInto(const backend::PixelTarget& target);
    // The colour of every pixel while the picture is one plain fill not yet
    // written to the pixels; nothing otherwise.
    std::optional<Colour> SolidColour() const;
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    enum Mark : uint8_t { kNone, kPending, kDrawn };

    bool RecordFullSpanLine(int x1, int y1, int x2, int y2, Colour colour);
    // Writes the recorded fill and lines of the part (x, y, width, height)
    // to `pixels`, which point at its top-left pixel.
    void Compose(uint32_t* pixels, int stride, int x, int y, int width, int height) const;
    void Flush();
    void DrawColumn(int x, Colour colour);
    void DrawRow(int y, Colour colour);
    void Rasterize(int x1, int y1, int x2, int y2, Colour colour);

    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
    bool composing_ = false;
    std::optional<Colour> pendingFill_;
    std::optional<Colour> lineColour_;
    std::vector<Mark> columns_;
    std::vector<Mark> rows_;
    std::vector<int> pendingColumns_;
    std::vector<int> pendingRows_;
};

}  // namespace quorvane::toolkit
