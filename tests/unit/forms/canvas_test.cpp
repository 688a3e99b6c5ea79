#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/toolkit/canvas.h"

namespace quorvane::testing {
namespace {

using toolkit::Canvas, toolkit::Colour;

constexpr Colour kColours[] = {0x000000, 0xFFFFFF, 0x00FFFF, 0x0000FF};

// Plain drawing: per step along the longer axis the nearest pixel across, halves up.
struct Reference {
    int width = 0, height = 0;
    std::vector<Colour> pixels;

    Colour At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
    void Resize(int w, int h, Colour background)
    {
        w = std::max(w, 0), h = std::max(h, 0);
        std::vector<Colour> resized(static_cast<size_t>(w * h), background);
        for (int y = 0; y < std::min(h, height); ++y) {
            std::copy_n(pixels.begin() + y * width, std::min(w, width), resized.begin() + y * w);
        }
        width = w, height = h, pixels = std::move(resized);
    }
    void Line(int x1, int y1, int x2, int y2, Colour colour)
    {
        const auto floorDiv = [](int64_t n, int64_t d) { return n >= 0 ? n / d : -((-n + d - 1) / d); };
        const int64_t n = std::max({std::abs(x2 - x1), std::abs(y2 - y1), 1});
        for (int64_t i = 0; i <= n; ++i) {
            const int64_t x = x1 + floorDiv(2 * i * (x2 - x1) + n, 2 * n);
            const int64_t y = y1 + floorDiv(2 * i * (y2 - y1) + n, 2 * n);
            if (x >= 0 && x < width && y >= 0 && y < height) {
                pixels[static_cast<size_t>(y * width + x)] = colour;
            }
        }
    }
};

// A part painted into a larger buffer: clipped at the image's edges, none left of or above it.
::testing::AssertionResult PaintsLike(Canvas& canvas, const Reference& ref, int x, int y, int w, int h)
{
    const int stride = w + 2 * std::max(x, 0) + 1, rows = h + 2 * std::max(y, 0) + 1;
    std::vector<uint32_t> buffer(static_cast<size_t>(stride * rows), 0x12345678u);
    canvas.PaintInto({buffer.data(), x, y, w, h, stride});
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < stride; ++c) {
            const bool inside = x >= 0 && y >= 0 && c < w && r < h && x + c < ref.width && y + r < ref.height;
            const uint32_t expected = inside ? 0xFF000000u | ref.At(x + c, y + r) : 0x12345678u;
            if (buffer[static_cast<size_t>(r * stride + c)] != expected) {
                return ::testing::AssertionFailure() << "part at " << x << "," << y << ": " << c << "," << r;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult SameAs(Canvas& canvas, const Reference& ref)
{
    for (const auto& [x, y] : {std::pair{ref.width / 3, ref.height / 3}, {-1, 0}, {0, -1}}) {
        if (auto painted = PaintsLike(canvas, ref, x, y, ref.width - x / 2, ref.height - y / 2); !painted) {
            return painted;
        }
    }
    std::vector<Colour> pixels(canvas.Pixels().size());
    std::transform(canvas.Pixels().begin(), canvas.Pixels().end(), pixels.begin(),
                   [](uint32_t pixel) { return pixel & 0xFFFFFFu; });
    if (pixels != ref.pixels || canvas.Width() * canvas.Height() != ref.width * ref.height) {
        return ::testing::AssertionFailure() << "the pixels read differ";
    }
    return ::testing::AssertionSuccess();
}

// Fills, lines (full, partial, any slope, far past the edges), resizes (to nothing too) and reads.
TEST(CanvasTest, RandomSequencesEqualPlainDrawing)
{
    std::mt19937 random(20240611);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int sequence = 0; sequence < 600; ++sequence) {
        SCOPED_TRACE("sequence " + std::to_string(sequence));
        Canvas canvas;
        Reference ref;
        const auto resize = [&](int w, int h, Colour colour) { canvas.Resize(w, h, colour), ref.Resize(w, h, colour); };
        resize(pick(0, 1) == 0 ? pick(0, 15) : pick(64, 200), pick(0, 15), kColours[pick(0, 3)]);
        for (int op = 0; op < 40; ++op) {
            const int w = ref.width, h = ref.height, far = pick(0, 4) == 0 ? 50 : 2, kind = pick(0, 8);
            const Colour colour = kColours[pick(0, 3)];
            int x1 = pick(-far, w + far), y1 = pick(-far, h + far), x2 = pick(-far, w + far), y2 = pick(-far, h + far);
            if (kind <= 1) {
                canvas.Fill(colour);
                ref.pixels.assign(ref.pixels.size(), colour);
            } else if (kind == 7) {
                ASSERT_TRUE(SameAs(canvas, ref));
            } else if (kind == 8) {
                resize(pick(-2, 15), pick(-2, 15), colour);
            } else {
                if (kind <= 3) {  // full height or one pixel short
                    x2 = x1, y1 = pick(-far, 1), y2 = pick(h - 2, h + far);
                } else if (kind <= 5) {  // full width or one pixel short
                    y2 = y1, x1 = pick(-far, 1), x2 = pick(w - 2, w + far);
                }
                if (pick(0, 1) == 1) {
                    std::swap(x1, x2), std::swap(y1, y2);
                }
                canvas.Line(x1, y1, x2, y2, colour), ref.Line(x1, y1, x2, y2, colour);
            }
        }
        ASSERT_TRUE(SameAs(canvas, ref));
    }
}

}  // namespace
}  // namespace quorvane::testing
