#include "platform/qt/qt_keys.h"

#include <QKeyEvent>

namespace quorvane::qt {

int KeyAscii(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Escape: return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return 8;
    default: break;
    }
    const QString text = event.text();
    if (text.isEmpty() || text.at(0).unicode() < 32 || text.at(0).unicode() == 127) {
        return -1;
    }
    return text.at(0).unicode();
}

}  // namespace quorvane::qt
