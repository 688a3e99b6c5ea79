#include "screen_reader.h"

#include <cstring>
#include <stdexcept>

#include "xcb_reply.h"

namespace quorvane::bench {

ScreenReader::ScreenReader() : connection_(xcb_connect(nullptr, nullptr))
{
    if (xcb_connection_has_error(connection_) != 0) {
        xcb_disconnect(connection_);
        throw std::runtime_error("cannot connect to the X display (is DISPLAY set?)");
    }
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    screen_ = xcb_setup_roots_iterator(setup).data;
    // Pixel() reads the 32 bits of a depth-24 pixel as they come.
    if (screen_->root_depth != 24 || setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) {
        xcb_disconnect(connection_);
        throw std::runtime_error("the screen is not 24 bits deep with the low byte first");
    }
}

ScreenReader::~ScreenReader() { xcb_disconnect(connection_); }

ScreenRectangle ScreenReader::Screen() const { return {0, 0, screen_->width_in_pixels, screen_->height_in_pixels}; }

ScreenRectangle ScreenReader::Place(xcb_window_t window)
{
    const auto geometry = Owned(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
    const auto origin = Owned(xcb_translate_coordinates_reply(
        connection_, xcb_translate_coordinates(connection_, window, screen_->root, 0, 0), nullptr));
    if (!geometry || !origin) {
        throw std::runtime_error("a window went while its place was read");
    }
    return {origin->dst_x, origin->dst_y, geometry->width, geometry->height};
}

uint32_t ScreenReader::Pixel(xcb_window_t window, int x, int y)
{
    const auto image = Owned(xcb_get_image_reply(
        connection_,
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, static_cast<int16_t>(x), static_cast<int16_t>(y),
                      1, 1, ~0U),
        nullptr));
    if (!image || xcb_get_image_data_length(image.get()) < 4) {
        throw std::runtime_error("cannot read a pixel of the window");
    }
    uint32_t pixel = 0;
    std::memcpy(&pixel, xcb_get_image_data(image.get()), sizeof pixel);
    return pixel & 0xFFFFFFU;
}

}  // namespace quorvane::bench
