#pragma once

#include <cstdint>

namespace quorvane::bench {

// Light cyan lines on every even column, on black, inside a one-pixel light
// cyan border: the same pixels as Quorvane's grating on a landscape monitor.
// Writes `height` (at least 2) rows of `width` pixels, 0xFFRRGGBB each,
// whose starts lie `stride` pixels apart.
void DrawGrating(uint32_t* pixels, int width, int height, int stride);

}  // namespace quorvane::bench
