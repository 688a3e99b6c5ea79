#include "platform/win32/pending_captions.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/wide_text.h"

namespace quorvane::pending_captions {

namespace {

std::vector<std::pair<HWND, std::wstring>>& Pending()
{
    static std::vector<std::pair<HWND, std::wstring>> captions;
    return captions;
}

}  // namespace

void Set(HWND hwnd, std::wstring& shown, const Text& caption)
{
    std::wstring wide = WideFromText(caption);
    if (wide == shown) {
        return;
    }
    shown = wide;
    auto& pending = Pending();
    const auto known =
        std::find_if(pending.begin(), pending.end(), [&](const auto& entry) { return entry.first == hwnd; });
    if (known != pending.end()) {
        known->second = std::move(wide);
    } else {
        pending.emplace_back(hwnd, std::move(wide));
    }
}

void Forget(HWND hwnd)
{
    std::erase_if(Pending(), [&](const auto& entry) { return entry.first == hwnd; });
}

bool Any() { return !Pending().empty(); }

void ShowAll()
{
    for (const auto& [hwnd, caption] : std::exchange(Pending(), {})) {
        SetWindowTextW(hwnd, caption.c_str());
    }
}

}  // namespace quorvane::pending_captions
