#include <wayland-client.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstring>

#include "test_user.h"

namespace quorvane::e2e {
namespace {

// The wlroots virtual-pointer protocol, as much of it as is used, declared as wayland-scanner would: a seat without
// devices gets real motion and clicks only from such a pointer.
const wl_interface* kNoTypes[5] = {};
const wl_message kPointerRequests[] = {{"motion", "uff", kNoTypes}, {"motion_absolute", "uuuuu", kNoTypes},
    {"button", "uuu", kNoTypes}, {"axis", "uuf", kNoTypes}, {"frame", "", kNoTypes}};
const wl_interface kPointer{"zwlr_virtual_pointer_v1", 1, 5, kPointerRequests, 0, nullptr};
const wl_interface* kCreateTypes[] = {&wl_seat_interface, &kPointer};
const wl_message kManagerRequests[] = {{"create_virtual_pointer", "?on", kCreateTypes}};
const wl_interface kManager{"zwlr_virtual_pointer_manager_v1", 1, 1, kManagerRequests, 0, nullptr};
enum PointerRequest : uint32_t { kMotionAbsolute = 1, kButton = 2, kFrame = 4 };

void BindManager(void* manager, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    if (std::strcmp(interface, kManager.name) == 0)
        *static_cast<wl_proxy**>(manager) = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &kManager, 1));
}
const wl_registry_listener kFindManager{BindManager, [](void*, wl_registry*, uint32_t) {}};

// A pointer plugged into sway's default seat. Each call returns once sway has handled it.
class VirtualPointer {
public:
    VirtualPointer(const QString& socket, const QRect& desktop)
        : display_(wl_display_connect(socket.toLocal8Bit().constData())), desktop_(desktop) {
        Require(display_ != nullptr, "no Wayland socket");
        wl_proxy* manager = nullptr;
        wl_registry_add_listener(wl_display_get_registry(display_), &kFindManager, &manager);
        RoundTrip();
        Require(manager != nullptr, "sway offers no virtual pointers");
        pointer_ = wl_proxy_marshal_flags(manager, 0 /* create_virtual_pointer */, &kPointer, 1, 0, nullptr, nullptr);
        RoundTrip();
    }
    ~VirtualPointer() { wl_display_disconnect(display_); }

    void MoveTo(QPoint point) {
        const QPoint at = point - desktop_.topLeft();
        wl_proxy_marshal_flags(pointer_, kMotionAbsolute, nullptr, 1, 0, ++time_, uint32_t(at.x()), uint32_t(at.y()),
            uint32_t(desktop_.width()), uint32_t(desktop_.height()));
        wl_proxy_marshal_flags(pointer_, kFrame, nullptr, 1, 0);
        RoundTrip();
    }
    void Click() {
        for (const uint32_t pressed : {1u, 0u}) {
            wl_proxy_marshal_flags(pointer_, kButton, nullptr, 1, 0, ++time_, 0x110 /* BTN_LEFT */, pressed);
            wl_proxy_marshal_flags(pointer_, kFrame, nullptr, 1, 0);
        }
        RoundTrip();
    }

private:
    void RoundTrip() { Require(wl_display_roundtrip(display_) >= 0, "a Wayland protocol error"); }

    wl_display* const display_;
    const QRect desktop_;
    wl_proxy* pointer_ = nullptr;
    uint32_t time_ = 0;
};

QRect RectOf(const QJsonValue& value) {
    const QJsonObject r = value.toObject();
    return QRect(r["x"].toInt(), r["y"].toInt(), r["width"].toInt(), r["height"].toInt());
}

QString OutputName(size_t monitor) { return "HEADLESS-" + QString::number(monitor + 1); }

// Headless sway with outputs HEADLESS-1, -2, …, run with the program as a user made the first time when
// this is root, which sway refuses. Keys come from wtype, screenshots from grim.
class SwayDesktop : public Session {
public:
    explicit SwayDesktop(DesktopLayout desktopLayout) : Session(std::move(desktopLayout)) {
        account = user_.account;
        // On a headless output the cursor is in every screenshot: sway hides it 0.5 s after the last move.
        QString config = "xwayland enable\nseat * hide_cursor 500\n";
        QRect desktop;
        for (size_t i = 0; i < layout.monitors.size(); ++i) {
            const Monitor& m = layout.monitors[i];
            config += QString("output %1 resolution %2x%3 position %4 %5 scale %6\n").arg(OutputName(i))
                          .arg(layout.DeviceSize(i).width()).arg(layout.DeviceSize(i).height())
                          .arg(m.area.x()).arg(m.area.y()).arg(m.scale);
            desktop |= m.area;
        }
        user_.Write("config", config);

        compositor_ = std::make_unique<ChildProcess>(account);
        compositor_->setProcessEnvironment(Environment());
        compositor_->setStandardOutputFile(QProcess::nullDevice());
        compositor_->setStandardErrorFile(user_.Path("sway.log"));
        compositor_->start("env",
            {"WLR_BACKENDS=headless", "WLR_LIBINPUT_NO_DEVICES=1", "WLR_RENDERER=pixman",
                "WLR_HEADLESS_OUTPUTS=" + QString::number(layout.monitors.size()), "sway", "-c", user_.Path("config")});
        // sway makes its IPC socket after the Wayland one and answers at once.
        const QDir runtime(user_.runtime.path());
        const auto listening = [&] {
            const QStringList ipc = runtime.entryList({"sway-ipc.*.sock"}, QDir::System);
            const QStringList wayland = runtime.entryList({"wayland-?"}, QDir::System);
            waylandDisplay_ = wayland.value(0);
            swaySocket_ = ipc.isEmpty() || wayland.isEmpty() ? "" : runtime.filePath(ipc.front());
            return !swaySocket_.isEmpty();
        };
        WaitUntil([&] { return listening() || compositor_->waitForFinished(0); }, kFirstAppearance);
        Require(listening(), "sway does not start:\n" + FileText(user_.Path("sway.log")));

        // XWayland takes whatever display number is free and locks it with sway's process id.
        const auto xwayland = [&] {
            for (const QString& lock : QDir("/tmp").entryList({".X*-lock"}, QDir::Files | QDir::Hidden)) {
                if (FileText("/tmp/" + lock).find(std::to_string(compositor_->processId())) != std::string::npos)
                    xDisplay_ = ":" + lock.mid(2, lock.size() - 7);
            }
            return !xDisplay_.isEmpty();
        };
        Require(WaitUntil(xwayland, kFirstAppearance), "sway does not start XWayland");

        pointer_ = std::make_unique<VirtualPointer>(runtime.filePath(waylandDisplay_), desktop);
        // Out of the way of the windows to come, which open on the focused output.
        pointer_->MoveTo(desktop.bottomRight());
        Sway({"focus", "output", OutputName(layout.primary)});
        // Each wtype plugs in a keyboard, whose first key the program drops: one left plugged in prevents that.
        idleKeyboard_.setProcessEnvironment(Environment());
        idleKeyboard_.start("wtype", {"-s", "86400000"});
        Require(idleKeyboard_.waitForStarted(), "cannot start wtype");
    }

    void Start(ChildProcess& program, const UserLanguage& language, const QString& directory) const override {
        QProcessEnvironment environment = Environment();
        environment.remove("SWAYSOCK");
        // As a sway session gives its programs.
        environment.insert("XDG_SESSION_TYPE", "wayland");
        environment.insert("DISPLAY", xDisplay_);
        environment.insert("LANG", language.locale);
        user_.Start(program, environment, directory);
    }

    std::vector<Window> VisibleWindowsOf(qint64 pid) const override {
        std::vector<Window> windows;
        for (const QJsonObject& c :
            Containers([&](auto& c) { return c["pid"].toInteger() == pid && c["visible"].toBool(); })) {
            windows.push_back({Id(c), c["name"].toString().toStdString()});
        }
        return windows;
    }

    // `rect` lies below the title bar `deco_rect`, `window_rect` inside it. A new window's frame is settled with its
    // decoration: till then sway reports no border but a window inside one.
    std::optional<WindowGeometry> GeometryOf(WindowId window) const override {
        for (const QJsonObject& c : Containers([&](auto& c) { return Id(c) == window; })) {
            const QRect rect = RectOf(c["rect"]), inner = RectOf(c["window_rect"]);
            if (c["border"] == "none" && inner.x() > 0) break;
            return WindowGeometry {
                inner.translated(rect.topLeft()), rect.adjusted(0, -RectOf(c["deco_rect"]).height(), 0, 0)};
        }
        return std::nullopt;
    }

    std::optional<WindowId> FocusedWindow() const override {
        const auto focused = Containers([](auto& c) { return c["focused"].toBool(); });
        return focused.empty() ? std::nullopt : std::optional(Id(focused.front()));
    }

    QImage Screenshot(size_t monitor) const override {
        const QImage image = QImage::fromData(Run(Environment(), {"grim", "-o", OutputName(monitor), "-"}), "PNG");
        Require(!image.isNull(), "the screenshot is no PNG image");
        return image.convertToFormat(QImage::Format_RGB32);
    }

    void Focus(WindowId window) const override { Sway({Criteria(window) + "focus"}); }

    // Letters in a row go as one text: one by one, some reach the program as other keys, Esc among them.
    void PressKeys(const QStringList& keys) const override {
        QStringList arguments{"wtype"};
        for (qsizetype i = 0; i < keys.size(); ++i) {
            if (keys[i].size() > 1) arguments << "-k" << keys[i];
            else if (i > 0 && keys[i - 1].size() == 1) arguments.back() += keys[i];
            else arguments << keys[i];
        }
        Run(Environment(), arguments);
    }

    void MovePointer(QPoint point, bool click) const override {
        pointer_->MoveTo(point);
        if (click) pointer_->Click();
    }

    // Focused before and after, as a drag of the title bar leaves it.
    void MoveWindow(WindowId window, QPoint place) const override {
        const QString on = Criteria(window);
        Sway({on + "focus; " + on + QString("move absolute position %1 %2; ").arg(place.x()).arg(place.y()) + on +
              "focus"});
    }

    void CloseWindow(WindowId window) const override { Sway({Criteria(window) + "kill"}); }

private:
    static QString Criteria(WindowId window) { return QString("[con_id=%1] ").arg(window); }
    static WindowId Id(const QJsonObject& c) { return static_cast<WindowId>(c["id"].toInteger()); }
    QProcessEnvironment Environment() const {
        QProcessEnvironment environment = user_.Environment();
        if (!swaySocket_.isEmpty()) {
            environment.insert("WAYLAND_DISPLAY", waylandDisplay_);
            environment.insert("SWAYSOCK", swaySocket_);
        }
        return environment;
    }
    QByteArray Sway(const QStringList& arguments) const {
        return Run(Environment(), QStringList {"swaymsg"} + arguments);
    }
    // The windows in sway's tree for which `wanted` holds.
    std::vector<QJsonObject> Containers(const std::function<bool(const QJsonObject&)>& wanted) const {
        std::vector<QJsonObject> found;
        std::function<void(const QJsonObject&)> collect = [&](const QJsonObject& node) {
            if ((node["type"] == "con" || node["type"] == "floating_con") && wanted(node)) found.push_back(node);
            for (const char* children : {"nodes", "floating_nodes"}) {
                for (const QJsonValue& child : node[children].toArray()) collect(child.toObject());
            }
        };
        collect(QJsonDocument::fromJson(Sway({"-t", "get_tree"})).object());
        return found;
    }

    TestUser user_;
    QString waylandDisplay_, swaySocket_, xDisplay_;
    std::unique_ptr<ChildProcess> compositor_;
    ChildProcess idleKeyboard_;
    std::unique_ptr<VirtualPointer> pointer_;
};


}  // namespace

// Qt draws at a fractional scale from 6.5 on; before, at the next whole one, which sway resamples.
constexpr bool kToolkitDrawsFractions = QT_VERSION >= QT_VERSION_CHECK(6, 5, 0);

const Desktop kSway{"Sway",
                    kToolkitDrawsFractions ? Capabilities{Capability::OutputScale, Capability::FractionalScale}
                                           : Capabilities{Capability::OutputScale},
                    [](const DesktopLayout& layout) { return std::make_unique<SwayDesktop>(layout); }};

}  // namespace quorvane::e2e
