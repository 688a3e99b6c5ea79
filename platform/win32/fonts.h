#pragma once

#include "platform/win32/windows_api.h"

#include <string>
#include <utility>
#include <vector>

#include "platform/backend.h"

namespace quorvane {

// The system fonts of the design fonts, each made once: a widget's font
// changes one property at a time, and every change asks for the font again.
// Which face stands in for a design face is looked up once as well: each
// look-up enumerates the installed fonts.
class Fonts {
public:
    Fonts() = default;
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    HFONT Get(const backend::Font& font);

private:
    // The installed face that shows `face`.
    const std::wstring& Face(HDC screen, const std::wstring& face);

    std::vector<std::pair<backend::Font, HFONT>> made_;
    std::vector<std::pair<std::wstring, std::wstring>> faces_;
};

}  // namespace quorvane
