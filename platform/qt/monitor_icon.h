#pragma once

#include <QIcon>

namespace quorvane::qt {

// The program's window icon: a flat-panel monitor on a stand, 32 x 32 in
// 16-colour palette colours.
QIcon MonitorIcon();

}  // namespace quorvane::qt
