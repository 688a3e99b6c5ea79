#pragma once

#include <QImage>

#include "x_session.h"

namespace quorvane::e2e {

// The whole X screen as the user sees it (without the pointer), in
// QImage::Format_RGB32.
QImage Screenshot(const XSession& session);

}  // namespace quorvane::e2e
