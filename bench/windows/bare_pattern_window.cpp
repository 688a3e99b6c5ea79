// The floor for showing a new test pattern on a key under Windows: a bare
// Win32 window that covers the screen and, on each key, swaps a white field
// for a grating, both made before it is shown and painted as Quorvane paints
// its pictures, with SetDIBitsToDevice.
#include <cstdint>
#include <vector>

#include "bare_window_class.h"
#include "grating.h"

namespace {

struct Pictures {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> white;
    std::vector<uint32_t> grating;
    bool showsGrating = false;
};

Pictures pictures;

void Paint(HWND hwnd)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    // A 32-bit DIB whose memory layout is 0xFFRRGGBB; a negative height puts
    // the rows top-down.
    BITMAPINFO bitmap{};
    bitmap.bmiHeader.biSize = sizeof(bitmap.bmiHeader);
    bitmap.bmiHeader.biWidth = pictures.width;
    bitmap.bmiHeader.biHeight = -pictures.height;
    bitmap.bmiHeader.biPlanes = 1;
    bitmap.bmiHeader.biBitCount = 32;
    bitmap.bmiHeader.biCompression = BI_RGB;
    const std::vector<uint32_t>& shown = pictures.showsGrating ? pictures.grating : pictures.white;
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(pictures.width), static_cast<DWORD>(pictures.height), 0, 0, 0,
                      static_cast<UINT>(pictures.height), shown.data(), &bitmap, DIB_RGB_COLORS);
    EndPaint(hwnd, &paint);
}

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    constexpr LPARAM kRepeated = 1 << 30;  // the key was down before
    switch (message) {
    case WM_KEYDOWN:
        if ((lParam & kRepeated) == 0) {
            pictures.showsGrating = !pictures.showsGrating;
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    case WM_ERASEBKGND:
        // The picture covers the window.
        return 1;
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int main()
{
    pictures.width = GetSystemMetrics(SM_CXSCREEN);
    pictures.height = GetSystemMetrics(SM_CYSCREEN);
    const size_t size = static_cast<size_t>(pictures.width) * static_cast<size_t>(pictures.height);
    pictures.white.assign(size, 0xFFFFFFFF);
    pictures.grating.resize(size);
    quorvane::bench::DrawGrating(pictures.grating.data(), pictures.width, pictures.height, pictures.width);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"bare_pattern_window";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"bare_pattern_window", WS_POPUP, 0, 0,
                                  pictures.width, pictures.height, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    return RunBareMessageLoop();
}
