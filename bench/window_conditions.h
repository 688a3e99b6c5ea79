#pragma once

#include <string>
#include <vector>

#include "window_watch.h"

namespace quorvane::bench {

// The first mapped window whose title starts with `titlePrefix`, or null.
const TopWindow* FindMapped(const std::vector<TopWindow>& windows, const std::string& titlePrefix);

// A mapped window's title starts with `titlePrefix`.
WindowWatch::Condition MappedWithTitle(std::string titlePrefix);

std::vector<xcb_window_t> MappedWindows(const std::vector<TopWindow>& windows);

// No window is mapped but those in `before`.
WindowWatch::Condition NoneMappedBut(std::vector<xcb_window_t> before);

}  // namespace quorvane::bench
