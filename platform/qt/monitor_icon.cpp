#include "platform/qt/monitor_icon.h"

#include <QPainter>
#include <QPixmap>

#include "platform/toolkit/colour.h"

namespace quorvane::qt {

namespace {
QColor Palette(int index) { return QColor(QRgb(0xFF000000u | toolkit::QBColor(index))); }
}  // namespace

QIcon MonitorIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Palette(8));    // bezel and stand, dark grey
    painter.drawRect(2, 4, 28, 19);
    painter.drawRect(14, 23, 4, 4);
    painter.drawRect(8, 27, 16, 2);
    painter.setBrush(Palette(11));   // the panel, light cyan
    painter.drawRect(4, 6, 24, 15);
    painter.setBrush(Palette(15));   // a highlight across the panel
    painter.drawRect(6, 8, 9, 2);
    return QIcon(pixmap);
}

}  // namespace quorvane::qt
