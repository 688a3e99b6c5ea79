#pragma once

#include <deque>
#include <functional>

#include "platform/backend.h"
#include "platform/win32/fonts.h"
#include "platform/win32/windows_api.h"

namespace quorvane {

// The toolkit's backend on Win32: windows of its own class, the standard
// controls and the thread's message queue.
class Win32Backend final : public backend::Backend {
public:
    Win32Backend();
    ~Win32Backend() override;
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

    std::unique_ptr<backend::NativeWindow> CreateWindow(backend::WindowStyle style,
                                                        backend::WindowEvents& events) override;
    void ProcessEvents() override;
    void Post(std::function<void()> task) override;
    void Run() override;
    void ShowFatalMessage(const std::string& message) override;

protected:
    void Terminate(int exitCode) override;

private:
    static LRESULT CALLBACK TaskProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND TaskWindow();

    Fonts fonts_;
    // Receives a message per posted task, also inside the system's modal
    // loops (a dialog being dragged, a message box) that drop thread messages.
    HWND taskWindow_ = nullptr;
    std::deque<std::function<void()>> tasks_;
};

}  // namespace quorvane
