#pragma once

#include <QImage>
#include <QRgb>

#include <functional>
#include <string>

#include "rect.h"

namespace quorvane::e2e {

inline constexpr QRgb kWhite = 0xffffffff;
inline constexpr QRgb kBlack = 0xff000000;
inline constexpr QRgb kLightCyan = 0xff00ffff;

// The colour a pattern has at (x, y), counted from the pattern's top-left pixel.
using PatternRule = std::function<QRgb(int x, int y)>;

// The checks compare every pixel of `area` in a screenshot, except those of
// `covered` (where the dialog lies), and give an empty text when all match,
// otherwise the number of wrong pixels and the first few of them.

std::string Mismatches(const QImage& shot, const Rect& area, const Rect& covered, const PatternRule& expected);

PatternRule WhiteField();

// Steps 5 and 6 on a monitor wider than tall: light-cyan border and a
// light-cyan line on every even column, black between.
PatternRule LandscapeGrating(int width, int height);

// Steps 7 and 8 on a monitor wider than tall: a white border on the
// outermost pixels and both diagonals in white, one pixel per column, on
// black. A diagonal at column x lies at y = round(x * (H - 1) / (W - 1)),
// either neighbour on an exact half; every fifth column is checked.
std::string CrossMismatches(const QImage& shot, const Rect& area, const Rect& covered);

}  // namespace quorvane::e2e
