#pragma once

#include <functional>
#include <memory>

class QApplication;

namespace quorvane::toolkit {

// The desktop application: device-pixel geometry, the substitutes for the
// design fonts, and the event loop.
class Application {
public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs `start` as the first handler, then events until the program ends.
    int Run(const std::function<void()>& start);

private:
    std::unique_ptr<QApplication> app_;
};

}  // namespace quorvane::toolkit
