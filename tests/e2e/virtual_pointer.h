#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace quorvane::e2e {

// A pointer device plugged into a wlroots compositor through its
// virtual-pointer protocol, spoken straight on the Wayland socket: a seat
// without input devices gets real motion and clicks this way. Each call
// returns once the compositor has handled it; failures are thrown.
class VirtualPointer {
public:
    // `desktop` is the rectangle of all outputs in desktop coordinates.
    VirtualPointer(const QString& socketPath, const QRect& desktop);
    ~VirtualPointer();
    VirtualPointer(const VirtualPointer&) = delete;
    VirtualPointer& operator=(const VirtualPointer&) = delete;

    void MoveTo(QPoint point);
    void Click();

private:
    void Send(uint32_t object, uint32_t opcode, std::vector<uint32_t> words);
    // Waits until the compositor has handled everything sent, handing each
    // event before to `seen` (object, opcode, arguments).
    void RoundTrip(const std::function<void(uint32_t, uint32_t, const std::vector<uint32_t>&)>& seen = {});

    int socket_ = -1;
    QRect desktop_;
    uint32_t nextId_ = 2;  // 1 is the display
    uint32_t pointer_ = 0;
    uint32_t milliseconds_ = 0;
};

}  // namespace quorvane::e2e
