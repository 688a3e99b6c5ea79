#pragma once

#include <QImage>
#include <QRect>

#include <functional>
#include <string>

#include "session.h"

namespace quorvane::e2e {

// A check of one pattern in a screenshot: it compares the pixels of `area`,
// except those of `covered` (where the dialog lies), and gives an empty text
// when all match, otherwise the number of wrong pixels and the first few of
// them, counted from the pattern's top-left corner.
using PatternCheck = std::function<std::string(const QImage& shot, const QRect& area, const QRect& covered)>;

PatternCheck WhiteField();

// Steps 5 and 6 on a monitor wider than tall: light-cyan border and a
// light-cyan line on every even column, black between.
PatternCheck LandscapeGrating();

// Steps 7 and 8 on a monitor wider than tall: a white border on the
// outermost pixels and both diagonals in white, one pixel per column, on
// black. A diagonal at column x lies at y = round(x * (H - 1) / (W - 1)),
// either neighbour on an exact half; every fifth column is checked.
PatternCheck Cross();

// The pattern a step draws; the gratings only on a monitor wider than tall.
PatternCheck PatternOfStep(int step);

// Takes screenshots of a monitor until `check` finds nothing wrong in `area`
// outside `covered`, or time runs out; gives what the last check found. Both
// rectangles are in desktop coordinates, checked in device pixels.
std::string MismatchesOnScreen(const Session& session, size_t monitor, const QRect& area, const QRect& covered,
                               const PatternCheck& check);

}  // namespace quorvane::e2e
