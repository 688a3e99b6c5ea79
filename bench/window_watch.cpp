#include "window_watch.h"

#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "xcb_reply.h"

namespace quorvane::bench {

WindowWatch::WindowWatch() : connection_(xcb_connect(nullptr, nullptr))
{
    if (xcb_connection_has_error(connection_) != 0) {
        xcb_disconnect(connection_);
        throw std::runtime_error("cannot connect to the X display (is DISPLAY set?)");
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;

    const char name[] = "_NET_WM_NAME";
    const auto atom = Owned(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr));
    netWmName_ = atom ? atom->atom : xcb_atom_t{XCB_ATOM_NONE};

    // Creation, mapping and destruction of the root's children; only told,
    // not asked (that would be a window manager's SubstructureRedirect).
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const auto error = Owned(xcb_request_check(
        connection_, xcb_change_window_attributes_checked(connection_, root, XCB_CW_EVENT_MASK, &mask)));
    if (error) {
        xcb_disconnect(connection_);
        throw std::runtime_error("cannot watch the root window's children");
    }

    // Windows that were there before.
    const auto tree = Owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root), nullptr));
    if (tree) {
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
            Track(children[i]);
            const auto attributes = Owned(xcb_get_window_attributes_reply(
                connection_, xcb_get_window_attributes(connection_, children[i]), nullptr));
            if (TopWindow* window = Find(children[i]); window != nullptr && attributes) {
                window->mapped = attributes->map_state != XCB_MAP_STATE_UNMAPPED;
            }
        }
    }
}

WindowWatch::~WindowWatch() { xcb_disconnect(connection_); }

WaitResult WindowWatch::WaitUntil(const Condition& condition, Clock::time_point deadline, int interruption)
{
    for (;;) {
        // Handling an event may read further events while it waits for a
        // reply; they are queued and come out here too.
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            HandleEvent(*event);
            std::free(event);
        }
        if (xcb_connection_has_error(connection_) != 0) {
            throw std::runtime_error("lost the connection to the X display");
        }
        if (condition(windows_)) {
            return WaitResult::Reached;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return WaitResult::TimedOut;
        }
        pollfd watched[2] = {{xcb_get_file_descriptor(connection_), POLLIN, 0}, {interruption, POLLIN, 0}};
        ::poll(watched, interruption >= 0 ? 2 : 1, static_cast<int>(left.count()));
        if (interruption >= 0 && watched[1].revents != 0 && watched[0].revents == 0) {
            return WaitResult::Interrupted;
        }
    }
}

void WindowWatch::HandleEvent(const xcb_generic_event_t& event)
{
    switch (event.response_type & 0x7F) {
    case XCB_CREATE_NOTIFY:
        Track(reinterpret_cast<const xcb_create_notify_event_t&>(event).window);
        break;
    case XCB_MAP_NOTIFY: {
        const auto& mapped = reinterpret_cast<const xcb_map_notify_event_t&>(event);
        if (TopWindow* window = Find(mapped.window)) {
            window->mapped = true;
        }
        break;
    }
    case XCB_UNMAP_NOTIFY: {
        const auto& unmapped = reinterpret_cast<const xcb_unmap_notify_event_t&>(event);
        if (TopWindow* window = Find(unmapped.window)) {
            window->mapped = false;
        }
        break;
    }
    case XCB_DESTROY_NOTIFY: {
        const auto& destroyed = reinterpret_cast<const xcb_destroy_notify_event_t&>(event);
        std::erase_if(windows_, [&](const TopWindow& window) { return window.id == destroyed.window; });
        break;
    }
    case XCB_PROPERTY_NOTIFY: {
        const auto& changed = reinterpret_cast<const xcb_property_notify_event_t&>(event);
        TopWindow* window = Find(changed.window);
        if (window != nullptr && (changed.atom == XCB_ATOM_WM_NAME || changed.atom == netWmName_)) {
            window->title = ReadTitle(changed.window);
        }
        break;
    }
    default:
        // Errors here come from windows that went while they were being
        // looked at; their DestroyNotify follows.
        break;
    }
}

void WindowWatch::Track(xcb_window_t window)
{
    if (Find(window) != nullptr) {
        return;
    }
    // Selected before the title is read: a change after the read is reported.
    // The window's own structure events still come once a window manager
    // has put it in a frame, where the root no longer hears of its mapping.
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
    windows_.push_back({window, false, ReadTitle(window)});
}

TopWindow* WindowWatch::Find(xcb_window_t window)
{
    const auto found =
        std::find_if(windows_.begin(), windows_.end(), [&](const TopWindow& top) { return top.id == window; });
    return found == windows_.end() ? nullptr : &*found;
}

std::string WindowWatch::ReadTitle(xcb_window_t window)
{
    std::string title = netWmName_ != XCB_ATOM_NONE ? ReadText(window, netWmName_) : std::string();
    return title.empty() ? ReadText(window, XCB_ATOM_WM_NAME) : title;
}

std::string WindowWatch::ReadText(xcb_window_t window, xcb_atom_t property)
{
    constexpr uint32_t kLongestTitle = 1024;  // in 32-bit units
    const auto reply = Owned(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, kLongestTitle),
        nullptr));
    if (!reply || reply->format != 8) {
        return {};
    }
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       static_cast<size_t>(xcb_get_property_value_length(reply.get())));
}

}  // namespace quorvane::bench
