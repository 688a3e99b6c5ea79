#include "pattern_checks.h"

#include <set>
#include <vector>

namespace quorvane::e2e {
namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kLightCyan = 0xff00ffff;
constexpr int kReportedPixels = 5;
constexpr int kCrossColumnStep = 5;

std::string ColourText(QRgb colour)
{
    return "(" + std::to_string(qRed(colour)) + ", " + std::to_string(qGreen(colour)) + ", " +
           std::to_string(qBlue(colour)) + ")";
}

// The pixels of a pattern in a screenshot, and what was found wrong with them.
class PatternPixels {
public:
    PatternPixels(const QImage& shot, const QRect& area, const QRect& covered)
        : shot_(shot), area_(area), covered_(covered)
    {
    }

    bool Visible(int x, int y) const { return !covered_.contains(area_.x() + x, area_.y() + y); }
    QRgb At(int x, int y) const { return shot_.pixel(area_.x() + x, area_.y() + y) | 0xff000000; }

    void Expect(int x, int y, QRgb wanted, const std::string& role = {})
    {
        if (Visible(x, y) && At(x, y) != wanted) {
            Wrong(x, y, "is " + ColourText(At(x, y)) + " instead of " + ColourText(wanted) + role);
        }
    }

    void Wrong(int x, int y, const std::string& what)
    {
        if (count_++ < kReportedPixels) {
            details_ += "\n  (" + std::to_string(x) + ", " + std::to_string(y) + ") " + what;
        }
    }

    std::string Report() const
    {
        const std::string heading = " wrong pixels, counted from the pattern's top-left corner:";
        return count_ == 0 ? "" : std::to_string(count_) + heading + details_;
    }

private:
    const QImage& shot_;
    QRect area_;
    QRect covered_;
    int count_ = 0;
    std::string details_;
};

// A check that knows the colour of every pixel: `rule(x, y, width, height)`.
template <typename Rule>
PatternCheck EveryPixel(Rule rule)
{
    return [rule](const QImage& shot, const QRect& area, const QRect& covered) {
        PatternPixels pixels(shot, area, covered);
        for (int y = 0; y < area.height(); ++y) {
            for (int x = 0; x < area.width(); ++x) {
                pixels.Expect(x, y, rule(x, y, area.width(), area.height()));
            }
        }
        return pixels.Report();
    };
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

PatternCheck WhiteField()
{
    return EveryPixel([](int, int, int, int) { return kWhite; });
}

PatternCheck LandscapeGrating()
{
    return EveryPixel([](int x, int y, int width, int height) {
        const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
        return border || x % 2 == 0 ? kLightCyan : kBlack;
    });
}

PatternCheck Cross()
{
    return [](const QImage& shot, const QRect& area, const QRect& covered) {
        const int w = area.width();
        const int h = area.height();
        PatternPixels pixels(shot, area, covered);
        if (w <= h) {
            pixels.Wrong(0, 0, "belongs to a monitor that is not wider than tall, which this check does not know");
            return pixels.Report();
        }
        for (int x = 0; x < w; ++x) {
            pixels.Expect(x, 0, kWhite, " (border)");
            pixels.Expect(x, h - 1, kWhite, " (border)");
        }
        for (int y = 0; y < h; ++y) {
            pixels.Expect(0, y, kWhite, " (border)");
            pixels.Expect(w - 1, y, kWhite, " (border)");
        }
        for (int x = 1; x < w - 1; x += kCrossColumnStep) {
            const std::vector<int> diagonals[2] = {DiagonalRows(w - 1, h - 1, x),
                                                   DiagonalRows(w - 1, h - 1, w - 1 - x)};
            std::set<int> onDiagonal(diagonals[0].begin(), diagonals[0].end());
            onDiagonal.insert(diagonals[1].begin(), diagonals[1].end());
            for (int y = 1; y < h - 1; ++y) {
                if (!onDiagonal.count(y)) {
                    pixels.Expect(x, y, kBlack, " (background)");
                }
            }
            // On an exact half either pixel may be the white one.
            for (const auto& rows : diagonals) {
                bool hidden = false;
                bool white = false;
                for (const int y : rows) {
                    hidden = hidden || !pixels.Visible(x, y);
                    white = white || pixels.At(x, y) == kWhite;
                }
                if (!hidden && !white) {
                    pixels.Wrong(x, rows.front(), rows.size() > 1 ? "is not white (diagonal, or the pixel below)"
                                                                  : "is not white (diagonal)");
                }
            }
        }
        return pixels.Report();
    };
}

PatternCheck PatternOfStep(int step)
{
    return step <= 4 ? WhiteField() : step <= 6 ? LandscapeGrating() : Cross();
}

std::string MismatchesOnScreen(const Session& session, size_t monitor, const QRect& area, const QRect& covered,
                               const PatternCheck& check)
{
    const Monitor& on = session.Layout().monitors.at(monitor);
    const auto devicePixels = [&](const QRect& rect) {
        const QRect local = rect.translated(-on.area.topLeft());
        return QRect(local.topLeft() * on.scale, local.size() * on.scale);
    };
    std::string found;
    WaitUntil([&] { return (found = check(session.Screenshot(monitor), devicePixels(area), devicePixels(covered))).empty(); });
    return found;
}

}  // namespace quorvane::e2e
