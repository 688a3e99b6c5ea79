#include "x_input.h"

#include <stdexcept>

#include "wait_until.h"

namespace quorvane::e2e {

void PressKey(const XSession& session, const std::string& key)
{
    session.RunChecked({"xdotool", "key", key});
}

void MovePointer(const XSession& session, int x, int y)
{
    session.RunChecked({"xdotool", "mousemove", std::to_string(x), std::to_string(y)});
}

void Click(const XSession& session, int x, int y)
{
    session.RunChecked({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "click", "1"});
}

void MoveWindow(const XSession& session, WindowId window, int x, int y)
{
    session.RunChecked({"xdotool", "windowmove", std::to_string(window), std::to_string(x), std::to_string(y)});
}

void ActivateWindow(const XSession& session, WindowId window)
{
    session.RunChecked({"xdotool", "windowactivate", std::to_string(window)});
    if (!WaitUntil([&] { return ActiveWindow(session) == window; })) {
        throw std::runtime_error("window " + std::to_string(window) + " does not become active");
    }
}

}  // namespace quorvane::e2e
