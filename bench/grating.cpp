#include "grating.h"

#include <algorithm>
#include <cstddef>

namespace quorvane::bench {

void DrawGrating(uint32_t* pixels, int width, int height, int stride)
{
    constexpr uint32_t kCyan = 0xFF00FFFF;
    constexpr uint32_t kBlack = 0xFF000000;
    const auto rowAt = [&](int y) { return pixels + static_cast<ptrdiff_t>(y) * stride; };
    std::fill(rowAt(0), rowAt(0) + width, kCyan);
    uint32_t* inner = rowAt(1);
    for (int x = 0; x < width; ++x) {
        inner[x] = x == 0 || x == width - 1 || x % 2 == 0 ? kCyan : kBlack;
    }
    for (int y = 2; y < height - 1; ++y) {
        std::copy(inner, inner + width, rowAt(y));
    }
    std::fill(rowAt(height - 1), rowAt(height - 1) + width, kCyan);
}

}  // namespace quorvane::bench
