#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/toolkit/canvas.h"

namespace quorvane::testing {
namespace {

using toolkit::Canvas;
using toolkit::Colour;
using toolkit::RGB;

constexpr Colour kBlack = RGB(0, 0, 0);
constexpr Colour kWhite = RGB(255, 255, 255);
constexpr Colour kLightCyan = RGB(0, 255, 255);
constexpr Colour kRed = RGB(255, 0, 0);

// Plain sequential drawing of axis-aligned lines, one pixel at a time.
class ReferenceSurface {
public:
    void Resize(int width, int height, Colour background)
    {
        width = std::max(width, 0);  // a negative size is no size
        height = std::max(height, 0);
        std::vector<Colour> resized(static_cast<size_t>(width * height), background);
        for (int y = 0; y < std::min(height, height_); ++y) {
            for (int x = 0; x < std::min(width, width_); ++x) {
                resized[static_cast<size_t>(y * width + x)] = At(x, y);
            }
        }
        width_ = width;
        height_ = height;
        pixels_ = std::move(resized);
    }

    void Fill(Colour colour) { std::fill(pixels_.begin(), pixels_.end(), colour); }

    void Line(int x1, int y1, int x2, int y2, Colour colour)
    {
        ASSERT_TRUE(x1 == x2 || y1 == y2) << "the reference draws axis-aligned lines only";
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) {
            for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) {
                if (x >= 0 && x < width_ && y >= 0 && y < height_) {
                    pixels_[static_cast<size_t>(y * width_ + x)] = colour;
                }
            }
        }
    }

    Colour At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Colour> pixels_;
};

::testing::AssertionResult SameAs(Canvas& canvas, const ReferenceSurface& reference)
{
    // A window asks for a part first, painted straight from what was
    // recorded, opaque; then every pixel is read.
    const int left = reference.Width() / 3;
    const int top = reference.Height() / 3;
    const int width = reference.Width() - left;
    const int height = reference.Height() - top;
    std::vector<uint32_t> part(static_cast<size_t>(width * height) + 1);
    canvas.PaintInto({part.data(), left, top, width, height, width});
    for (int i = 0; i < width * height; ++i) {
        if (part[static_cast<size_t>(i)] != (0xFF000000u | reference.At(left + i % width, top + i / width))) {
            return ::testing::AssertionFailure() << "painted part at " << left + i % width << "," << top + i / width;
        }
    }
    const std::vector<uint32_t>& pixels = canvas.Pixels();
    if (reference.Width() * reference.Height() == 0) {
        if (pixels.empty()) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "pixels in an image without area";
    }
    if (canvas.Width() != reference.Width() || canvas.Height() != reference.Height()) {
        return ::testing::AssertionFailure() << "size " << canvas.Width() << "x" << canvas.Height();
    }
    for (int y = 0; y < reference.Height(); ++y) {
        for (int x = 0; x < reference.Width(); ++x) {
            const Colour got = pixels[static_cast<size_t>(y * reference.Width() + x)] & 0xFFFFFFu;
            if (got != reference.At(x, y)) {
                return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << std::hex << got
                                                     << " not " << reference.At(x, y);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// Draws the same operations on the canvas and on the reference.
struct Both {
    Canvas canvas;
    ReferenceSurface reference;

    void Resize(int width, int height, Colour background)
    {
        canvas.Resize(width, height, background);
        reference.Resize(width, height, background);
    }
    void Fill(Colour colour)
    {
        canvas.Fill(colour);
        reference.Fill(colour);
    }
    void Line(int x1, int y1, int x2, int y2, Colour colour)
    {
        canvas.Line(x1, y1, x2, y2, colour);
        reference.Line(x1, y1, x2, y2, colour);
    }
    void Box(int x1, int y1, int x2, int y2, Colour colour)
    {
        canvas.Box(x1, y1, x2, y2, colour);
        reference.Line(x1, y1, x2, y1, colour);
        reference.Line(x1, y2, x2, y2, colour);
        reference.Line(x1, y1, x1, y2, colour);
        reference.Line(x2, y1, x2, y2, colour);
    }
};

// Fills, full and partial lines (sometimes far past the edges), boxes,
// resizes and reads in random order, each read against sequential drawing.
TEST(CanvasTest, RandomSequencesEqualSequentialDrawing)
{
    const Colour colours[] = {kBlack, kWhite, kLightCyan, kRed};
    std::mt19937 random(20240611);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int sequence = 0; sequence < 400; ++sequence) {
        Both both;
        // Narrow and wide enough for a few full-height lines to be drawn one by one.
        both.Resize(pick(0, 1) == 0 ? pick(1, 12) : pick(64, 200), pick(1, 12), colours[pick(0, 3)]);
        std::ostringstream log;
        for (int op = 0; op < 40; ++op) {
            const int w = both.reference.Width();
            const int h = both.reference.Height();
            const Colour colour = colours[pick(0, 3)];
            const int far = pick(0, 4) == 0 ? 50 : 2;
            int x1 = pick(-1, w), y1 = pick(-1, h), x2 = pick(-1, w), y2 = pick(-1, h);
            const int kind = pick(0, 9);
            log << " " << kind << "/" << std::hex << colour << std::dec;
            switch (kind) {
            case 0:
            case 1: both.Fill(colour); continue;
            case 2:
            case 3:  // full height
                x2 = x1;
                y1 = pick(-far, 0);
                y2 = pick(h - 1, h + far);
                break;
            case 4:  // full width
                y2 = y1;
                x1 = pick(-far, 0);
                x2 = pick(w - 1, w + far);
                break;
            case 5: x2 = x1; break;  // part of a column
            case 6: y2 = y1; break;  // part of a row
            case 7: ASSERT_TRUE(SameAs(both.canvas, both.reference)) << "sequence " << sequence << ":" << log.str(); continue;
            case 8:
                log << "(" << x1 << "," << y1 << "," << x2 << "," << y2 << ")";
                both.Box(x1, y1, x2, y2, colour);
                continue;
            default:
                if (pick(0, 3) == 0) {
                    x1 = pick(0, 12);
                    y1 = pick(0, 12);
                    log << "(" << x1 << "," << y1 << ")";
                    both.Resize(x1, y1, colour);
                }
                continue;
            }
            if (pick(0, 1) == 1) {
                std::swap(x1, x2);
                std::swap(y1, y2);
            }
            log << "(" << x1 << "," << y1 << "," << x2 << "," << y2 << ")";
            both.Line(x1, y1, x2, y2, colour);
        }
        ASSERT_TRUE(SameAs(both.canvas, both.reference)) << "sequence " << sequence << ":" << log.str();
    }
}

int64_t FloorDiv(int64_t numerator, int64_t denominator)
{
    return numerator >= 0 ? numerator / denominator : -((-numerator + denominator - 1) / denominator);
}

TEST(CanvasTest, LinesOfAnySlopeTakeTheNearestPixel)
{
    std::mt19937 random(7);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 300; ++round) {
        const int width = pick(1, 15);
        const int height = pick(1, 15);
        const int far = round % 5 == 0 ? 100 : 4;  // sometimes entering from far outside
        const int x1 = pick(-far, width + far), y1 = pick(-far, height + far);
        const int x2 = pick(-far, width + far), y2 = pick(-far, height + far);
        Canvas canvas;
        canvas.Resize(width, height, kBlack);
        canvas.Line(x1, y1, x2, y2, kWhite);

        // Step i of n lies at start + i * delta / n, rounded to the nearest
        // pixel, halves toward the larger coordinate.
        std::vector<bool> expected(static_cast<size_t>(width * height), false);
        const int64_t n = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
        for (int64_t i = 0; i <= n; ++i) {
            const int64_t x = n == 0 ? x1 : x1 + FloorDiv(2 * i * (x2 - x1) + n, 2 * n);
            const int64_t y = n == 0 ? y1 : y1 + FloorDiv(2 * i * (y2 - y1) + n, 2 * n);
            if (x >= 0 && x < width && y >= 0 && y < height) {
                expected[static_cast<size_t>(y * width + x)] = true;
            }
        }
        const std::vector<uint32_t>& pixels = canvas.Pixels();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                ASSERT_EQ(pixels[static_cast<size_t>(y * width + x)] & 0xFFFFFFu, expected[static_cast<size_t>(y * width + x)] ? kWhite : kBlack)
                    << "line (" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << ") at " << x << "," << y;
            }
        }
    }
}

TEST(CanvasTest, PlainFieldStaysPlainUntilLinesAreDrawn)
{
    Both both;
    both.Resize(4, 3, kBlack);
    EXPECT_EQ(both.canvas.SolidColour(), kBlack);
    both.Fill(kWhite);
    both.Resize(9, 7, kWhite);  // grown in its own colour
    EXPECT_EQ(both.canvas.SolidColour(), kWhite);
    EXPECT_TRUE(SameAs(both.canvas, both.reference));

    both.Fill(kRed);
    both.Resize(12, 8, kBlack);  // grown in another colour
    EXPECT_EQ(both.canvas.SolidColour(), std::nullopt);
    EXPECT_TRUE(SameAs(both.canvas, both.reference));

    both.Fill(kWhite);
    both.Line(3, 0, 3, 7, kLightCyan);
    EXPECT_EQ(both.canvas.SolidColour(), std::nullopt);
    both.Resize(13, 9, kWhite);
    EXPECT_TRUE(SameAs(both.canvas, both.reference));
}

TEST(CanvasTest, ZeroSizeDrawsNothingAndGrowsToTheBackground)
{
    Canvas fresh;
    fresh.Fill(kWhite);
    fresh.Line(0, 0, 0, 0, kWhite);
    EXPECT_TRUE(fresh.Pixels().empty());

    for (const auto& [width, height] : {std::pair{0, 0}, {0, 7}, {7, 0}, {-4, -1}}) {
        Both both;
        both.Resize(width, height, kRed);
        both.Fill(kWhite);
        both.Line(0, 0, 0, 6, kLightCyan);
        both.Line(0, 0, 6, 0, kLightCyan);
        both.Box(0, 0, 6, 6, kRed);
        both.canvas.Line(0, 0, 6, 6, kRed);
        EXPECT_TRUE(SameAs(both.canvas, both.reference));
        EXPECT_EQ(static_cast<int64_t>(both.canvas.Width()) * both.canvas.Height(), 0);

        both.Resize(3, 2, kLightCyan);
        EXPECT_TRUE(SameAs(both.canvas, both.reference));
    }
}

}  // namespace
}  // namespace quorvane::testing
