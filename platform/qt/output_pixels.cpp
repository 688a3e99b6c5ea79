#include "platform/qt/output_pixels.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace quorvane::qt {

namespace {

// An output as its events have described it so far.
struct Output {
    wl_output* proxy = nullptr;
    uint32_t version = 0;
    QString name;
    QPoint position;
    QSize mode;
    int32_t transform = WL_OUTPUT_TRANSFORM_NORMAL;
};

void Geometry(void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char*, const char*,
              int32_t transform)
{
    static_cast<Output*>(data)->position = QPoint(x, y);
    static_cast<Output*>(data)->transform = transform;
}

void Mode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t)
{
    if ((flags & WL_OUTPUT_MODE_CURRENT) != 0) {
        static_cast<Output*>(data)->mode = QSize(width, height);
    }
}

void Name(void* data, wl_output*, const char* name) { static_cast<Output*>(data)->name = QString::fromUtf8(name); }

void Ignored(void*, wl_output*) {}
void IgnoredScale(void*, wl_output*, int32_t) {}
void IgnoredText(void*, wl_output*, const char*) {}

const wl_output_listener kOutputListener{Geometry, Mode, Ignored, IgnoredScale, Name, IgnoredText};

// The compositor's outputs that tell their names, on a connection of our own.
class Connection {
public:
    Connection() : display_(wl_display_connect(nullptr))
    {
        if (display_ != nullptr) {
            registry_ = wl_display_get_registry(display_);
            wl_registry_add_listener(registry_, &kRegistryListener, this);
        }
    }
    ~Connection() { Disconnect(); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Refresh()
    {
        // An output bound in one roundtrip describes itself in the next.
        boundNew_ = false;
        if (display_ != nullptr && (wl_display_roundtrip(display_) < 0 ||
                                    (boundNew_ && wl_display_roundtrip(display_) < 0))) {
            Disconnect();
        }
    }

    std::optional<QSize> PixelsOf(const QString& name, const QPoint& position) const
    {
        for (const auto& [global, output] : outputs_) {
            const bool same = output.version >= 4 ? output.name == name : output.position == position;
            if (same && output.mode.isValid()) {
                const bool turned = output.transform % 2 != 0;  // 90 or 270 degrees, flipped or not
                return turned ? output.mode.transposed() : output.mode;
            }
        }
        return std::nullopt;
    }

private:
    static void Global(void* data, wl_registry* registry, uint32_t global, const char* interface, uint32_t version)
    {
        if (std::strcmp(interface, wl_output_interface.name) != 0) {
            return;
        }
        auto& self = *static_cast<Connection*>(data);
        Output& output = self.outputs_[global];
        output.version = std::min(version, 4U);
        output.proxy =
            static_cast<wl_output*>(wl_registry_bind(registry, global, &wl_output_interface, output.version));
        wl_output_add_listener(output.proxy, &kOutputListener, &output);
        self.boundNew_ = true;
    }

    static void GlobalRemove(void* data, wl_registry*, uint32_t global)
    {
        auto& outputs = static_cast<Connection*>(data)->outputs_;
        const auto found = outputs.find(global);
        if (found != outputs.end()) {
            Release(found->second);
            outputs.erase(found);
        }
    }

    void Disconnect()
    {
        for (auto& [global, output] : outputs_) {
            Release(output);
        }
        outputs_.clear();
        if (registry_ != nullptr) {
            wl_registry_destroy(registry_);
            registry_ = nullptr;
        }
        if (display_ != nullptr) {
            wl_display_disconnect(display_);
            display_ = nullptr;
        }
    }

    // Release came with version 3.
    static void Release(const Output& output)
    {
        if (output.version >= 3) {
            wl_output_release(output.proxy);
        } else {
            wl_output_destroy(output.proxy);
        }
    }

    static constexpr wl_registry_listener kRegistryListener{Global, GlobalRemove};

    wl_display* display_;
    wl_registry* registry_ = nullptr;
    std::map<uint32_t, Output> outputs_;  // by global name; the listeners hold their addresses
    bool boundNew_ = false;
};

Connection& TheConnection()
{
    static Connection connection;
    return connection;
}

}  // namespace

void RefreshOutputPixels() { TheConnection().Refresh(); }

std::optional<QSize> OutputPixels(const QString& name, const QPoint& position)
{
    return TheConnection().PixelsOf(name, position);
}

}  // namespace quorvane::qt
