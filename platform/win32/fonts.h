#pragma once

#include "platform/win32/windows_api.h"

#include <utility>
#include <vector>

#include "platform/backend.h"

namespace quorvane {

// The system fonts of the design fonts, each made once: a widget's font
// changes one property at a time, and every change asks for the font again.
class Fonts {
public:
    Fonts() = default;
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    HFONT Get(const backend::Font& font);

private:
    std::vector<std::pair<backend::Font, HFONT>> made_;
};

}  // namespace quorvane
