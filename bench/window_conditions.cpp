#include "window_conditions.h"

#include <algorithm>

namespace quorvane::bench {

const TopWindow* FindMapped(const std::vector<TopWindow>& windows, const std::string& titlePrefix)
{
    const auto found = std::find_if(windows.begin(), windows.end(), [&](const TopWindow& window) {
        return window.mapped && window.title.starts_with(titlePrefix);
    });
    return found == windows.end() ? nullptr : &*found;
}

WindowWatch::Condition MappedWithTitle(std::string titlePrefix)
{
    return [titlePrefix](const std::vector<TopWindow>& windows) { return FindMapped(windows, titlePrefix) != nullptr; };
}

std::vector<xcb_window_t> MappedWindows(const std::vector<TopWindow>& windows)
{
    std::vector<xcb_window_t> mapped;
    for (const TopWindow& window : windows) {
        if (window.mapped) {
            mapped.push_back(window.id);
        }
    }
    return mapped;
}

WindowWatch::Condition NoneMappedBut(std::vector<xcb_window_t> before)
{
    return [before](const std::vector<TopWindow>& windows) {
        return std::all_of(windows.begin(), windows.end(), [&](const TopWindow& window) {
            return !window.mapped || std::find(before.begin(), before.end(), window.id) != before.end();
        });
    };
}

}  // namespace quorvane::bench
