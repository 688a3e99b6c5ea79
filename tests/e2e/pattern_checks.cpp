#include "pattern_checks.h"

#include <QColor>

#include <set>
#include <sstream>
#include <vector>

namespace quorvane::e2e {
namespace {

constexpr int kReportedPixels = 5;
constexpr int kCrossColumnStep = 5;

std::string ColourText(QRgb colour)
{
    return "(" + std::to_string(qRed(colour)) + ", " + std::to_string(qGreen(colour)) + ", " +
           std::to_string(qBlue(colour)) + ")";
}

class Report {
public:
    void Wrong(int x, int y, const std::string& what)
    {
        if (count_++ < kReportedPixels) {
            details_ << "\n  (" << x << ", " << y << ") " << what;
        }
    }
    std::string Text() const
    {
        return count_ == 0 ? std::string() : std::to_string(count_) + " wrong pixels, counted from the pattern's "
                                                                      "top-left corner:" + details_.str();
    }

private:
    int count_ = 0;
    std::ostringstream details_;
};

QRgb PixelAt(const QImage& shot, const Rect& area, int x, int y)
{
    return shot.pixel(area.x + x, area.y + y) | 0xff000000;
}

// The rows at which a diagonal crosses column `x`: one, or two on an exact half.
std::vector<int> DiagonalRows(long long run, long long rise, long long x)
{
    const long long twice = 2 * x * rise;
    const long long lower = x * rise / run;
    const long long remainder = twice - 2 * lower * run;
    if (remainder < run) {
        return {static_cast<int>(lower)};
    }
    if (remainder > run) {
        return {static_cast<int>(lower + 1)};
    }
    return {static_cast<int>(lower), static_cast<int>(lower + 1)};
}

}  // namespace

std::string Mismatches(const QImage& shot, const Rect& area, const Rect& covered, const PatternRule& expected)
{
    Report report;
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            if (covered.Contains(area.x + x, area.y + y)) {
                continue;
            }
            const QRgb actual = PixelAt(shot, area, x, y);
            const QRgb wanted = expected(x, y);
            if (actual != wanted) {
                report.Wrong(x, y, "is " + ColourText(actual) + " instead of " + ColourText(wanted));
            }
        }
    }
    return report.Text();
}

PatternRule WhiteField()
{
    return [](int, int) { return kWhite; };
}

PatternRule LandscapeGrating(int width, int height)
{
    return [width, height](int x, int y) {
        const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
        return border || x % 2 == 0 ? kLightCyan : kBlack;
    };
}

std::string CrossMismatches(const QImage& shot, const Rect& area, const Rect& covered)
{
    const int w = area.width;
    const int h = area.height;
    Report report;
    if (w <= h) {
        report.Wrong(0, 0, "belongs to a monitor that is not wider than tall, which this check does not know");
        return report.Text();
    }
    auto visible = [&](int x, int y) { return !covered.Contains(area.x + x, area.y + y); };
    auto check = [&](int x, int y, QRgb wanted, const std::string& role) {
        const QRgb actual = PixelAt(shot, area, x, y);
        if (visible(x, y) && actual != wanted) {
            report.Wrong(x, y, "is " + ColourText(actual) + " instead of " + ColourText(wanted) + " (" + role + ")");
        }
    };

    for (int x = 0; x < w; ++x) {
        check(x, 0, kWhite, "border");
        check(x, h - 1, kWhite, "border");
    }
    for (int y = 0; y < h; ++y) {
        check(0, y, kWhite, "border");
        check(w - 1, y, kWhite, "border");
    }

    for (int x = 1; x < w - 1; x += kCrossColumnStep) {
        const std::vector<int> diagonals[2] = {DiagonalRows(w - 1, h - 1, x), DiagonalRows(w - 1, h - 1, w - 1 - x)};
        std::set<int> allowed;
        for (const auto& rows : diagonals) {
            allowed.insert(rows.begin(), rows.end());
        }
        for (int y = 1; y < h - 1; ++y) {
            if (!allowed.count(y)) {
                check(x, y, kBlack, "background");
            }
        }
        for (const auto& rows : diagonals) {
            bool seen = false;
            bool hidden = false;
            for (const int y : rows) {
                hidden = hidden || !visible(x, y);
                seen = seen || PixelAt(shot, area, x, y) == kWhite;
            }
            if (!hidden && !seen) {
                report.Wrong(x, rows.front(), "is not white (diagonal" +
                                                  std::string(rows.size() > 1 ? ", or the pixel below" : "") + ")");
            }
        }
    }
    return report.Text();
}

}  // namespace quorvane::e2e
