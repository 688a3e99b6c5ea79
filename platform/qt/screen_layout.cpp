#include "platform/qt/screen_layout.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/qt/output_pixels.h"

namespace quorvane::qt {

namespace {

double LargestRatio()
{
    double largest = 1;
    for (const QScreen* screen : QGuiApplication::screens()) {
        largest = std::max(largest, screen->devicePixelRatio());
    }
    return largest;
}

int Scaled(double value, double ratio) { return static_cast<int>(std::lround(value * ratio)); }

// Device pixels per logical unit across and down the screen: from the
// output's own pixels where the compositor tells them, else Qt's ratio.
QSizeF SizeRatios(const QScreen& screen)
{
    const double ratio = screen.devicePixelRatio();
    const QSize logical = screen.geometry().size();
    const std::optional<QSize> pixels
        = WindowsHavePositions() ? std::nullopt : OutputPixels(screen.name(), screen.geometry().topLeft());
    if (!pixels || logical.isEmpty()) {
        return {ratio, ratio};
    }
    return {static_cast<double>(pixels->width()) / logical.width(),
            static_cast<double>(pixels->height()) / logical.height()};
}

}  // namespace

QScreen* PrimaryScreen()
{
    if (!WindowsHavePositions()) {
        for (QScreen* screen : QGuiApplication::screens()) {
            if (screen->geometry().contains(0, 0)) {
                return screen;
            }
        }
    }
    return QGuiApplication::primaryScreen();
}

QRect DeviceRect(const QScreen& screen) { return DeviceRect(screen, screen.geometry()); }

QRect DeviceRect(const QScreen& screen, const QRect& logical)
{
    const QScreen* primary = PrimaryScreen();
    const QPoint origin = primary != nullptr ? primary->geometry().topLeft() : QPoint();
    const double positions = LargestRatio();
    const QSizeF sizes = SizeRatios(screen);
    return {Scaled(logical.x() - origin.x(), positions), Scaled(logical.y() - origin.y(), positions),
            Scaled(logical.width(), sizes.width()), Scaled(logical.height(), sizes.height())};
}

void RefreshDeviceSizes()
{
    if (!WindowsHavePositions()) {
        RefreshOutputPixels();
    }
}

QScreen* ScreenFor(const backend::PixelRect& rect)
{
    RefreshDeviceSizes();
    const QPoint centre(rect.x + rect.width / 2, rect.y + rect.height / 2);
    QScreen* nearest = PrimaryScreen();
    long best = std::numeric_limits<long>::max();
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect area = DeviceRect(*screen);
        const long dx = std::max({area.left() - centre.x(), 0, centre.x() - area.right()});
        const long dy = std::max({area.top() - centre.y(), 0, centre.y() - area.bottom()});
        if (dx * dx + dy * dy < best) {
            best = dx * dx + dy * dy;
            nearest = screen;
        }
    }
    return nearest;
}

bool WindowsHavePositions()
{
    static const bool answer = !QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
    return answer;
}

}  // namespace quorvane::qt
