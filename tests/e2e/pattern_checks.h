#pragma once

#include <QImage>
#include <QRect>

#include <string>

#include "session.h"

namespace quorvane::e2e {

// Compares the pixels of `area` in a screenshot, except those of `covered`
// (where the dialog lies), with the pattern of `step` on a monitor wider than
// tall: a white field on steps 1 to 4; on steps 5 and 6 a light-cyan border
// and a light-cyan line on every even column, black between; on steps 7 and
// 8 a white border and both diagonals in white on black, one pixel per
// column, a diagonal at column x at y = round(x * (H - 1) / (W - 1)) and on an
// exact half at either neighbour. Gives an empty text when all match,
// otherwise the number of wrong pixels and the first few of them, counted
// from the pattern's top-left corner.
std::string PatternMismatches(const QImage& shot, const QRect& area, const QRect& covered, int step);

// Takes screenshots of a monitor until the step's pattern fills `area`
// outside `covered`, both in desktop coordinates and checked in device
// pixels; throws what the last check found when time runs out.
void AwaitPattern(const Session& session, size_t monitor, const QRect& area, const QRect& covered, int step);

}  // namespace quorvane::e2e
