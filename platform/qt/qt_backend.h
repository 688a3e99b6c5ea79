#pragma once

#include <memory>

#include "platform/backend.h"

class QApplication;

namespace quorvane::qt {

// The window system on Qt Widgets: device-pixel geometry, the substitutes
// for the design fonts, the event loop and the message box.
class QtBackend final : public backend::Backend {
public:
    QtBackend();
    ~QtBackend() override;

    std::unique_ptr<backend::NativeWindow> CreateWindow(backend::WindowStyle style,
                                                        backend::WindowEvents& events) override;
    void ProcessEvents() override;
    void Post(std::function<void()> task) override;
    void Run() override;
    void ShowFatalMessage(const std::string& message) override;

protected:
    void Terminate(int exitCode) override;

private:
    std::unique_ptr<QApplication> app_;
};

}  // namespace quorvane::qt
