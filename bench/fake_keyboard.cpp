#include "fake_keyboard.h"

#include <xcb/xtest.h>

#include <stdexcept>
#include <string>
#include <thread>

#include "xcb_reply.h"

namespace quorvane::bench {

namespace {

constexpr auto kFocusPollInterval = std::chrono::milliseconds(5);

}  // namespace

FakeKeyboard::FakeKeyboard() : connection_(xcb_connect(nullptr, nullptr))
{
    if (xcb_connection_has_error(connection_) != 0) {
        xcb_disconnect(connection_);
        throw std::runtime_error("cannot connect to the X display (is DISPLAY set?)");
    }
    const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(connection_, &xcb_test_id);
    if (xtest == nullptr || xtest->present == 0) {
        xcb_disconnect(connection_);
        throw std::runtime_error("the X display has no XTest extension");
    }
}

FakeKeyboard::~FakeKeyboard() { xcb_disconnect(connection_); }

void FakeKeyboard::Focus(xcb_window_t window, Clock::time_point deadline)
{
    xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
    for (;;) {
        const auto focus =
            Owned(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        if (focus && focus->focus == window) {
            return;
        }
        if (Clock::now() > deadline) {
            throw std::runtime_error("the keyboard focus did not come to the window");
        }
        std::this_thread::sleep_for(kFocusPollInterval);
    }
}

void FakeKeyboard::Type(xcb_keycode_t key)
{
    xcb_test_fake_input(connection_, XCB_KEY_PRESS, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(connection_, XCB_KEY_RELEASE, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(connection_);
}

xcb_keycode_t FakeKeyboard::KeyOf(uint32_t keysym)
{
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    const auto count = static_cast<uint8_t>(setup->max_keycode - setup->min_keycode + 1);
    const auto mapping = Owned(xcb_get_keyboard_mapping_reply(
        connection_, xcb_get_keyboard_mapping(connection_, setup->min_keycode, count), nullptr));
    if (mapping) {
        const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
        for (int key = 0; key < count; ++key) {
            if (keysyms[key * mapping->keysyms_per_keycode] == keysym) {
                return static_cast<xcb_keycode_t>(setup->min_keycode + key);
            }
        }
    }
    throw std::runtime_error("no key types the keysym " + std::to_string(keysym));
}

}  // namespace quorvane::bench
