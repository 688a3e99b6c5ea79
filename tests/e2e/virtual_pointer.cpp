#include "virtual_pointer.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>

namespace quorvane::e2e {
namespace {

// The requests and events used here: wl_display (object 1) sync 0,
// get_registry 1, error event 0; wl_registry bind 0, global event 0;
// zwlr_virtual_pointer_manager_v1 create_virtual_pointer 0;
// zwlr_virtual_pointer_v1 motion_absolute 1, button 2, frame 4.
constexpr const char* kManager = "zwlr_virtual_pointer_manager_v1";
constexpr uint32_t kLeftButton = 0x110;  // BTN_LEFT
constexpr int kReplyTimeoutMs = 10'000;

// A string argument: its length with the final zero, then its bytes padded
// to whole words.
std::vector<uint32_t> StringWords(const std::string& text)
{
    std::vector<uint32_t> words(1 + (text.size() + 4) / 4, 0);
    words[0] = static_cast<uint32_t>(text.size() + 1);
    std::memcpy(&words[1], text.data(), text.size());
    return words;
}

std::string WordsString(const std::vector<uint32_t>& words, size_t at)
{
    return words.at(at) == 0 ? "" : std::string(reinterpret_cast<const char*>(&words.at(at + 1)), words[at] - 1);
}

}  // namespace

VirtualPointer::VirtualPointer(const QString& socketPath, const QRect& desktop) : desktop_(desktop)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.toLocal8Bit().constData(), sizeof address.sun_path - 1);
    socket_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(socket_);
        throw std::runtime_error("cannot connect to the Wayland socket " + socketPath.toStdString());
    }
    const uint32_t registry = nextId_++;
    Send(1, 1, {registry});
    std::optional<uint32_t> manager;
    RoundTrip([&](uint32_t object, uint32_t opcode, const std::vector<uint32_t>& arguments) {
        if (object == registry && opcode == 0 && WordsString(arguments, 1) == kManager) {
            manager = arguments[0];
        }
    });
    if (!manager) {
        throw std::runtime_error("the compositor offers no virtual pointers");
    }
    std::vector<uint32_t> bind = StringWords(kManager);
    bind.insert(bind.begin(), *manager);
    const uint32_t managerId = nextId_++;
    bind.insert(bind.end(), {1, managerId});  // version 1
    Send(registry, 0, bind);
    pointer_ = nextId_++;
    Send(managerId, 0, {0, pointer_});  // on the default seat
    RoundTrip();
}

VirtualPointer::~VirtualPointer()
{
    ::close(socket_);
}

void VirtualPointer::MoveTo(QPoint point)
{
    const QPoint inside = point - desktop_.topLeft();
    Send(pointer_, 1, {++milliseconds_, static_cast<uint32_t>(inside.x()), static_cast<uint32_t>(inside.y()),
                       static_cast<uint32_t>(desktop_.width()), static_cast<uint32_t>(desktop_.height())});
    Send(pointer_, 4, {});
    RoundTrip();
}

void VirtualPointer::Click()
{
    for (const uint32_t pressed : {1u, 0u}) {
        Send(pointer_, 2, {++milliseconds_, kLeftButton, pressed});
        Send(pointer_, 4, {});
    }
    RoundTrip();
}

void VirtualPointer::Send(uint32_t object, uint32_t opcode, std::vector<uint32_t> words)
{
    words.insert(words.begin(), {object, static_cast<uint32_t>((8 + 4 * words.size()) << 16 | opcode)});
    const auto size = static_cast<ssize_t>(words.size() * 4);
    if (::send(socket_, words.data(), static_cast<size_t>(size), MSG_NOSIGNAL) != size) {
        throw std::runtime_error("the Wayland compositor closed the connection");
    }
}

void VirtualPointer::RoundTrip(const std::function<void(uint32_t, uint32_t, const std::vector<uint32_t>&)>& seen)
{
    const auto read = [this](void* into, size_t size) {
        for (auto* bytes = static_cast<char*>(into); size > 0;) {
            pollfd readable{socket_, POLLIN, 0};
            const ssize_t got = ::poll(&readable, 1, kReplyTimeoutMs) == 1 ? ::recv(socket_, bytes, size, 0) : -1;
            if (got <= 0) {
                throw std::runtime_error("no answer from the Wayland compositor");
            }
            bytes += got;
            size -= static_cast<size_t>(got);
        }
    };
    const uint32_t done = nextId_++;
    Send(1, 0, {done});
    for (uint32_t header[2] = {0, 0}; header[0] != done;) {
        read(header, sizeof header);
        std::vector<uint32_t> arguments(((header[1] >> 16) - 8) / 4);
        read(arguments.data(), arguments.size() * 4);
        if (header[0] == 1 && (header[1] & 0xffff) == 0) {
            throw std::runtime_error("Wayland protocol error " + std::to_string(arguments.at(1)) + ": " +
                                     WordsString(arguments, 2));
        }
        if (seen) {
            seen(header[0], header[1] & 0xffff, arguments);
        }
    }
}

}  // namespace quorvane::e2e
