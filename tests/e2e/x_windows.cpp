#include "x_windows.h"

#include <regex>
#include <sstream>

namespace quorvane::e2e {
namespace {

std::optional<int> Field(const std::string& text, const std::string& label)
{
    const std::regex pattern(label + R"(:\s*(-?\d+))");
    std::smatch match;
    if (!std::regex_search(text, match, pattern)) {
        return std::nullopt;
    }
    return std::stoi(match[1]);
}

std::optional<WindowId> ParseWindowId(const std::string& text)
{
    try {
        return std::stoul(text);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

std::vector<WindowId> VisibleWindowsOf(const XSession& session, pid_t pid)
{
    const CommandResult result = session.Run({"xdotool", "search", "--onlyvisible", "--pid", std::to_string(pid)});
    std::vector<WindowId> windows;
    std::istringstream lines(result.output);
    std::string line;
    while (std::getline(lines, line)) {
        if (const auto window = ParseWindowId(line)) {
            windows.push_back(*window);
        }
    }
    return windows;
}

std::optional<std::string> WindowTitle(const XSession& session, WindowId window)
{
    CommandResult result = session.Run({"xdotool", "getwindowname", std::to_string(window)});
    if (result.status != 0 || result.output.empty() || result.output.back() != '\n') {
        return std::nullopt;
    }
    result.output.pop_back();
    return result.output;
}

std::optional<WindowGeometry> GeometryOf(const XSession& session, WindowId window)
{
    const CommandResult info = session.Run({"xwininfo", "-id", std::to_string(window)});
    const auto x = Field(info.output, "Absolute upper-left X");
    const auto y = Field(info.output, "Absolute upper-left Y");
    const auto width = Field(info.output, "Width");
    const auto height = Field(info.output, "Height");
    if (info.status != 0 || !x || !y || !width || !height) {
        return std::nullopt;
    }
    WindowGeometry geometry;
    geometry.client = {*x, *y, *width, *height};
    geometry.outer = geometry.client;

    // "_NET_FRAME_EXTENTS = left, right, top, bottom", or "...:  not found."
    const CommandResult extents =
        session.Run({"xprop", "-id", std::to_string(window), "-notype", "_NET_FRAME_EXTENTS"});
    if (extents.status != 0) {
        return std::nullopt;
    }
    static const std::regex values(R"(= (\d+), (\d+), (\d+), (\d+))");
    std::smatch match;
    if (std::regex_search(extents.output, match, values)) {
        const int left = std::stoi(match[1]);
        const int right = std::stoi(match[2]);
        const int top = std::stoi(match[3]);
        const int bottom = std::stoi(match[4]);
        geometry.hasFrameExtents = true;
        geometry.outer = {*x - left, *y - top, *width + left + right, *height + top + bottom};
    }
    return geometry;
}

std::optional<WindowId> ActiveWindow(const XSession& session)
{
    const CommandResult result = session.Run({"xdotool", "getactivewindow"});
    if (result.status != 0) {
        return std::nullopt;
    }
    return ParseWindowId(result.output);
}

}  // namespace quorvane::e2e
