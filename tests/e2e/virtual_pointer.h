#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

namespace quorvane::e2e {

// A pointer device plugged into a wlroots compositor through its
// virtual-pointer protocol, spoken straight on the Wayland socket: a seat
// without input devices gets real motion and clicks this way. Every call
// returns once the compositor has handled it; failures are thrown as
// std::runtime_error.
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
    void Send(uint32_t object, uint16_t opcode, const std::vector<uint32_t>& words);
    // Waits until the compositor has handled every request sent so far.
    void RoundTrip();
    // Reads one event: its object, its opcode and its arguments.
    std::vector<uint32_t> ReadEvent(uint32_t& object, uint16_t& opcode);

    int socket_ = -1;
    QRect desktop_;
    uint32_t nextId_ = 2;
    uint32_t pointer_ = 0;
    uint32_t registry_ = 0;
    uint32_t milliseconds_ = 0;
};

}  // namespace quorvane::e2e
