#include "pattern_checks.h"

#include <algorithm>
#include <vector>

namespace quorvane::e2e {
namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kLightCyan = 0xff00ffff;
constexpr int kReportedPixels = 5;

std::string ColourText(QRgb colour)
{
    return "(" + std::to_string(qRed(colour)) + ", " + std::to_string(qGreen(colour)) + ", " +
           std::to_string(qBlue(colour)) + ")";
}

// The rows at which a diagonal crosses column `x`: one, or two on an exact half.
std::vector<int> DiagonalRows(int run, int rise, int x)
{
    const long long lower = static_cast<long long>(x) * rise / run;
    const long long remainder = 2LL * x * rise - 2 * lower * run;
    const int row = static_cast<int>(lower);
    return remainder < run ? std::vector{row} : remainder > run ? std::vector{row + 1} : std::vector{row, row + 1};
}

}  // namespace

std::string PatternMismatches(const QImage& shot, const QRect& area, const QRect& covered, int step)
{
    const int w = area.width();
    const int h = area.height();
    int wrong = 0;
    std::string details;
    const auto visible = [&](int x, int y) { return !covered.contains(area.x() + x, area.y() + y); };
    const auto at = [&](int x, int y) { return shot.pixel(area.x() + x, area.y() + y) | kBlack; };
    const auto report = [&](int x, int y, const std::string& what) {
        if (wrong++ < kReportedPixels) {
            details += "\n  (" + std::to_string(x) + ", " + std::to_string(y) + ") " + what;
        }
    };
    if (step >= 5 && w <= h) {
        return "the check knows the patterns of steps 5 to 8 only on monitors wider than tall";
    }
    const auto has = [](const std::vector<int>& rows, int y) {
        return std::find(rows.begin(), rows.end(), y) != rows.end();
    };
    for (int x = 0; x < w; ++x) {
        // The cross's diagonal pixels of this column: white, or on an exact
        // half a pair of which either may be the white one.
        std::vector<std::vector<int>> diagonals;
        std::vector<int> white;
        std::vector<int> either;
        if (step >= 7 && x > 0 && x < w - 1) {
            diagonals = {DiagonalRows(w - 1, h - 1, x), DiagonalRows(w - 1, h - 1, w - 1 - x)};
            for (const auto& rows : diagonals) {
                auto& into = rows.size() == 1 ? white : either;
                into.insert(into.end(), rows.begin(), rows.end());
            }
        }
        for (int y = 0; y < h; ++y) {
            const bool border = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            const QRgb wanted = step <= 4   ? kWhite
                                : step <= 6 ? (border || x % 2 == 0 ? kLightCyan : kBlack)
                                            : (border || has(white, y) ? kWhite : kBlack);
            if (visible(x, y) && !(has(either, y) && !border) && at(x, y) != wanted) {
                report(x, y, "is " + ColourText(at(x, y)) + " instead of " + ColourText(wanted));
            }
        }
        for (const auto& rows : diagonals) {
            if (rows.size() > 1 && visible(x, rows[0]) && visible(x, rows[1]) && at(x, rows[0]) != kWhite &&
                at(x, rows[1]) != kWhite) {
                report(x, rows[0], "is not white, nor the pixel below (diagonal)");
            }
        }
    }
    return wrong == 0 ? "" : std::to_string(wrong) + " wrong pixels, counted from the pattern's top-left corner:" +
                                 details;
}

void AwaitPattern(const Session& session, size_t monitor, const QRect& area, const QRect& covered, int step)
{
    const Monitor& on = session.Layout().monitors.at(monitor);
    const auto devicePixels = [&](const QRect& rect) {
        const QRect local = rect.translated(-on.area.topLeft());
        return QRect(local.topLeft() * on.scale, local.size() * on.scale);
    };
    std::string found;
    WaitUntil([&] {
        found = PatternMismatches(session.Screenshot(monitor), devicePixels(area), devicePixels(covered), step);
        return found.empty();
    });
    Require(found.empty(), "the pattern of step " + std::to_string(step) + " on monitor " +
                               std::to_string(monitor + 1) + ": " + found);
}

}  // namespace quorvane::e2e
