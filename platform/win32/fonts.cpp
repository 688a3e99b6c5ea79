#include "platform/win32/fonts.h"

#include <cmath>
#include <string>

#include "platform/win32/wide_text.h"

namespace quorvane {

namespace {

// A design face missing from this system gives way to the first of these
// that is installed: each shows Japanese on a Western Windows with its
// standard fonts.
constexpr const wchar_t* kStandInFaces[] = {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic"};

bool IsInstalled(HDC screen, const std::wstring& face)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(
        screen, &wanted,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

std::wstring InstalledFace(HDC screen, const std::wstring& face)
{
    if (IsInstalled(screen, face)) {
        return face;
    }
    for (const wchar_t* standIn : kStandInFaces) {
        if (IsInstalled(screen, standIn)) {
            return standIn;
        }
    }
    return face;
}

}  // namespace

Fonts::~Fonts()
{
    for (const auto& [font, handle] : made_) {
        DeleteObject(handle);
    }
}

HFONT Fonts::Get(const backend::Font& font)
{
    for (const auto& [known, handle] : made_) {
        if (known == font) {
            return handle;
        }
    }
    HDC screen = GetDC(nullptr);
    const std::wstring face = Face(screen, WideFromUtf8(font.face));
    // Points at the screen's logical resolution, the same that converts twips.
    const int height = -static_cast<int>(std::lround(font.points * GetDeviceCaps(screen, LOGPIXELSY) / 72.0));
    ReleaseDC(nullptr, screen);
    HFONT handle = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    made_.emplace_back(font, handle);
    return handle;
}

const std::wstring& Fonts::Face(HDC screen, const std::wstring& face)
{
    for (const auto& [design, installed] : faces_) {
        if (design == face) {
            return installed;
        }
    }
    return faces_.emplace_back(face, InstalledFace(screen, face)).second;
}

}  // namespace quorvane
