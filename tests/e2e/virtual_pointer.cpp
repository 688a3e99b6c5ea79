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

// Objects and requests of the Wayland core and of the virtual-pointer
// protocol that are used here.
constexpr uint32_t kDisplay = 1;
constexpr uint16_t kDisplaySync = 0;
constexpr uint16_t kDisplayGetRegistry = 1;
constexpr uint16_t kDisplayErrorEvent = 0;
constexpr uint16_t kRegistryBind = 0;
constexpr uint16_t kRegistryGlobalEvent = 0;
constexpr uint16_t kManagerCreateVirtualPointer = 0;
constexpr uint16_t kPointerMotionAbsolute = 1;
constexpr uint16_t kPointerButton = 2;
constexpr uint16_t kPointerFrame = 4;
constexpr uint32_t kLeftButton = 0x110;  // BTN_LEFT
constexpr const char* kManagerInterface = "zwlr_virtual_pointer_manager_v1";
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
    const auto* bytes = reinterpret_cast<const char*>(&words.at(at + 1));
    return words[at] == 0 ? std::string() : std::string(bytes, words[at] - 1);
}

}  // namespace

VirtualPointer::VirtualPointer(const QString& socketPath, const QRect& desktop) : desktop_(desktop)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = socketPath.toLocal8Bit();
    std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
    socket_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0 || ::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(socket_);
        throw std::runtime_error("cannot connect to the Wayland socket " + path.toStdString());
    }
    registry_ = nextId_++;
    Send(kDisplay, kDisplayGetRegistry, {registry_});
    const uint32_t done = nextId_++;
    Send(kDisplay, kDisplaySync, {done});
    std::optional<uint32_t> manager;
    for (;;) {
        uint32_t object = 0;
        uint16_t opcode = 0;
        const auto arguments = ReadEvent(object, opcode);
        if (object == done) {
            break;
        }
        if (object == registry_ && opcode == kRegistryGlobalEvent && WordsString(arguments, 1) == kManagerInterface) {
            manager = arguments[0];
        }
    }
    if (!manager) {
        throw std::runtime_error("the compositor offers no virtual pointers");
    }
    std::vector<uint32_t> bind = {*manager};
    const auto name = StringWords(kManagerInterface);
    bind.insert(bind.end(), name.begin(), name.end());
    const uint32_t managerId = nextId_++;
    bind.insert(bind.end(), {1, managerId});
    Send(registry_, kRegistryBind, bind);
    pointer_ = nextId_++;
    Send(managerId, kManagerCreateVirtualPointer, {0, pointer_});  // on the default seat
    RoundTrip();
}

VirtualPointer::~VirtualPointer()
{
    ::close(socket_);
}

void VirtualPointer::MoveTo(QPoint point)
{
    const QPoint inside = point - desktop_.topLeft();
    Send(pointer_, kPointerMotionAbsolute,
         {++milliseconds_, static_cast<uint32_t>(inside.x()), static_cast<uint32_t>(inside.y()),
          static_cast<uint32_t>(desktop_.width()), static_cast<uint32_t>(desktop_.height())});
    Send(pointer_, kPointerFrame, {});
    RoundTrip();
}

void VirtualPointer::Click()
{
    for (const uint32_t pressed : {1u, 0u}) {
        Send(pointer_, kPointerButton, {++milliseconds_, kLeftButton, pressed});
        Send(pointer_, kPointerFrame, {});
    }
    RoundTrip();
}

void VirtualPointer::Send(uint32_t object, uint16_t opcode, const std::vector<uint32_t>& words)
{
    std::vector<uint32_t> message = {object, static_cast<uint32_t>((8 + 4 * words.size()) << 16 | opcode)};
    message.insert(message.end(), words.begin(), words.end());
    const auto size = static_cast<ssize_t>(message.size() * 4);
    if (::send(socket_, message.data(), static_cast<size_t>(size), MSG_NOSIGNAL) != size) {
        throw std::runtime_error("the Wayland compositor closed the connection");
    }
}

void VirtualPointer::RoundTrip()
{
    const uint32_t done = nextId_++;
    Send(kDisplay, kDisplaySync, {done});
    uint32_t object = 0;
    uint16_t opcode = 0;
    while (object != done) {
        ReadEvent(object, opcode);
    }
}

std::vector<uint32_t> VirtualPointer::ReadEvent(uint32_t& object, uint16_t& opcode)
{
    const auto read = [this](void* into, size_t size) {
        auto* bytes = static_cast<char*>(into);
        while (size > 0) {
            pollfd readable{socket_, POLLIN, 0};
            const ssize_t got = ::poll(&readable, 1, kReplyTimeoutMs) == 1 ? ::recv(socket_, bytes, size, 0) : -1;
            if (got <= 0) {
                throw std::runtime_error("no answer from the Wayland compositor");
            }
            bytes += got;
            size -= static_cast<size_t>(got);
        }
    };
    uint32_t header[2];
    read(header, sizeof header);
    object = header[0];
    opcode = static_cast<uint16_t>(header[1] & 0xffff);
    std::vector<uint32_t> arguments(((header[1] >> 16) - 8) / 4);
    read(arguments.data(), arguments.size() * 4);
    if (object == kDisplay && opcode == kDisplayErrorEvent) {
        throw std::runtime_error("Wayland protocol error " + std::to_string(arguments.at(1)) + ": " +
                                 WordsString(arguments, 2));
    }
    return arguments;
}

}  // namespace quorvane::e2e
