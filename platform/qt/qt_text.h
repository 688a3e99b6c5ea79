#pragma once

#include <QString>

#include "platform/text.h"

namespace quorvane::qt {

inline QString ToQString(const Text& text)
{
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace quorvane::qt
