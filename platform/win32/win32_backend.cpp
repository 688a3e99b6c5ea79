#include "platform/win32/win32_backend.h"

#include <commctrl.h>

#include "platform/win32/create_window.h"
#include "platform/win32/pending_captions.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_window.h"

namespace quorvane {

namespace {

constexpr UINT kRunTask = WM_APP;

}  // namespace

Win32Backend::Win32Backend()
{
    // The controls of version 6, which the manifest asks for, with the system's visual style.
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

Win32Backend::~Win32Backend()
{
    if (taskWindow_ != nullptr) {
        DestroyWindow(taskWindow_);
    }
}

std::unique_ptr<backend::NativeWindow> Win32Backend::CreateWindow(backend::WindowStyle style,
                                                                  backend::WindowEvents& events)
{
    return std::make_unique<Win32Window>(style, events, fonts_);
}

void Win32Backend::ProcessEvents()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // The queue is empty: the captions' turn, as in Run.
    pending_captions::ShowAll();
}

void Win32Backend::Post(std::function<void()> task)
{
    HWND taskWindow = TaskWindow();
    tasks_.push_back(std::move(task));
    PostMessageW(taskWindow, kRunTask, 0, 0);
}

HWND Win32Backend::TaskWindow()
{
    // Made at the first task, not with the backend: failing then, it ends the
    // program through the top-level handler, which needs the backend installed.
    if (taskWindow_ == nullptr) {
        static const ATOM taskClass = [] {
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof(windowClass);
            windowClass.lpfnWndProc = TaskProcedure;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = L"QuorvaneTasks";
            return RegisterClassExW(&windowClass);
        }();
        taskWindow_ = CreateWindowOrFail("the task window", 0, MAKEINTRESOURCEW(taskClass), 0, 0, 0, HWND_MESSAGE);
        SetWindowLongPtrW(taskWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    return taskWindow_;
}

void Win32Backend::Run()
{
    MSG message;
    for (;;) {
        // Once the queue is empty, after the paints: Wine has put the new
        // pictures on the screen when it found no message.
        if (pending_captions::Any() && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            pending_captions::ShowAll();
        }
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Backend::ShowFatalMessage(const std::string& message)
{
    // Topmost: the test window may still cover the monitor.
    MessageBoxW(nullptr, WideFromUtf8(message).c_str(), L"Quorvane",
                MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND);
}

void Win32Backend::Terminate(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

LRESULT CALLBACK Win32Backend::TaskProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* backend = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message != kRunTask || backend == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    const std::function<void()> task = std::move(backend->tasks_.front());
    backend->tasks_.pop_front();
    task();
    return 0;
}

}  // namespace quorvane
