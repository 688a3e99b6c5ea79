#pragma once

#include <cstdint>

namespace quorvane::toolkit {

// 24-bit colours, 0x00RRGGBB.
using Colour = uint32_t;

constexpr Colour RGB(uint8_t red, uint8_t green, uint8_t blue)
{
    return (Colour{red} << 16) | (Colour{green} << 8) | blue;
}

// The standard 16-colour palette.
Colour QBColor(int index);

}  // namespace quorvane::toolkit
