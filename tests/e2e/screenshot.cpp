#include "screenshot.h"

#include <stdexcept>

namespace quorvane::e2e {

QImage Screenshot(const XSession& session)
{
    const std::string png = session.RunChecked({"import", "-window", "root", "png:-"});
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG")) {
        throw std::runtime_error("the screenshot of " + session.Display() + " is no PNG image");
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace quorvane::e2e
