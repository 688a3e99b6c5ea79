#include <QDBusConnection>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>

#include "test_user.h"

namespace quorvane::e2e {
namespace {

// Put before every snippet run in the shell: the visible windows and what the snippets use on both shell versions.
constexpr char kPrelude[] = R"(
const display = global.display, monitors = global.backend?.get_monitor_manager() ?? Meta.MonitorManager.get();
const seat = Clutter.get_default_backend().get_default_seat();
const rect = r => [r.x, r.y, r.width, r.height], now = () => display.get_current_time_roundtrip();
const us = () => GLib.get_monotonic_time();  // an event's time
// Two pictures on, the shell has handled what came before (the first may have begun already), apart from what follows.
const settle = async () => {
    for (let i = 0; i < 2; i++) {
        await new Promise(done => {
            const id = global.stage.connect('after-paint', () => done(global.stage.disconnect(id)));
            global.stage.queue_redraw();
        });
    }
};
// Till mutter has placed it, which waits for the program's consent, a new window lies at the desktop's corner, under
// the top bar, where no placed one goes; a busy program may take a while.
const windows = global.get_window_actors().filter(a => a.visible && a.meta_window.showing_on_its_workspace())
    .map(a => a.meta_window).filter(w => w.is_fullscreen() || w.get_frame_rect().x || w.get_frame_rect().y);
const byId = id => windows.find(w => w.get_id() == id) ?? (() => { throw new Error('no window ' + id); })();
)";

// Lays the monitors out as WANTED says, [connector, x, y, width, height, scale, primary] each, for this session only;
// answers with them as the shell has them once they are so, or after 15 s.
constexpr char kArrange[] = R"(
const call = (method, args) => new Promise((ok, fail) => Gio.DBus.session.call('org.gnome.Mutter.DisplayConfig',
    '/org/gnome/Mutter/DisplayConfig', 'org.gnome.Mutter.DisplayConfig', method, args, null, 0, -1, null,
    (bus, result) => { try { ok(bus.call_finish(result).deepUnpack()); } catch (e) { fail(e); } }));
const [serial, connected] = await call('GetCurrentState', null);
const mode = c => connected.find(([[name]]) => name == c)[1].find(m => m[6]['is-current']?.deepUnpack())[0];
await call('ApplyMonitorsConfig', new GLib.Variant('(uua(iiduba(ssa{sv}))a{sv})',
    [serial, 1, WANTED.map(([c, x, y, , , scale, primary]) => [x, y, scale, 0, primary, [[c, mode(c), {}]]]), {}]));
const seen = () => WANTED.map(([c]) => [c, monitors.get_monitor_for_connector(c)]).map(([c, i]) =>
    [c, ...rect(display.get_monitor_geometry(i)), display.get_monitor_scale(i), i == display.get_primary_monitor()]);
for (const until = us() + 15e6; JSON.stringify(seen()) != JSON.stringify(WANTED) && us() < until;) await settle();
return seen();
)";

QString Json(const QJsonArray& value) { return QString::fromUtf8(QJsonDocument(value).toJson(QJsonDocument::Compact)); }

// A headless GNOME Shell with virtual monitors Meta-0, Meta-1, … as the layout's, run as the test user with buses of
// its own and settings from a key file. It is seen and driven through an extension of the tests' own that runs
// snippets of JavaScript inside the shell.
class GnomeDesktop : public Session {
public:
    explicit GnomeDesktop(DesktopLayout desktopLayout) : Session(std::move(desktopLayout)) {
        account = user_.account;
        static const int version = int(  // of "GNOME Shell 43.9"
            QString(Run(NeutralEnvironment(), {"gnome-shell", "--version"})).section(' ', 2).toDouble());
        const QString uuid = "testshell@quorvane.org", extension = "data/gnome-shell/extensions/" + uuid + "/";
        user_.Write(extension + "metadata.json",
            QString(R"({"uuid": "%1", "name": "Test shell", "description": "For tests", "shell-version": ["%2"]})")
                .arg(uuid).arg(version));
        const QString wrapper = version < 45 ? "/extension-legacy.js" : "/extension.js";
        user_.Write(extension + "extension.js", QString::fromStdString(FileText(QUORVANE_GNOME_EXTENSION + wrapper)
                                                    + FileText(QUORVANE_GNOME_EXTENSION "/hook.js")));
        // No banners, tour, animations, hot corner, blanking or keys repeated by a program too busy to see them let go.
        user_.Write("config/glib-2.0/settings/keyfile",
            "[org/gnome/desktop/notifications]\nshow-banners=false\n"
            "[org/gnome/desktop/interface]\nenable-animations=false\nenable-hot-corners=false\n"
            "[org/gnome/desktop/session]\nidle-delay=uint32 0\n[org/gnome/desktop/peripherals/keyboard]\nrepeat=false\n"
            "[org/gnome/shell]\nwelcome-dialog-last-shown-version='999'\ndisable-user-extensions=false\n"
            "enabled-extensions=['" + uuid + "']\n[org/gnome/mutter]\nexperimental-features="
            + (layout.layoutInDevicePixels ? "@as []\n" : "['scale-monitor-framebuffer']\n"));

        bus_ = user_.StartBus(sessionBus_, "bus");
        QProcessEnvironment environment = Environment();
        environment.insert("DBUS_SYSTEM_BUS_ADDRESS", user_.StartBus(systemBus_, "system_bus"));
        environment.insert("GSETTINGS_BACKEND", "keyfile");
        QStringList arguments{"--headless", "--wayland", "--no-x11", "--wayland-display=wayland-0"};
        QJsonArray placing;
        for (size_t i = 0; i < layout.monitors.size(); ++i) {
            const QRect area = Area(i);
            const QSize device = layout.DeviceSize(i);
            arguments << "--virtual-monitor" << QString("%1x%2").arg(device.width()).arg(device.height());
            placing.append(QJsonArray{"Meta-" + QString::number(i), area.x(), area.y(), area.width(), area.height(),
                layout.monitors[i].scale, i == layout.primary});
        }
        shell_.setProcessEnvironment(environment);
        shell_.setStandardOutputFile(QProcess::nullDevice());
        shell_.setStandardErrorFile(user_.Path("shell.log"));
        shell_.start("gnome-shell", arguments);
        const auto ready = [&] {
            // The overview it starts in is hidden once the start-up is over.
            return TryShell("if (Main.layoutManager._startingUp) return false; Main.overview.hide(); "
                            "return !Main.overview.visible") == QJsonValue(true);
        };
        WaitUntil([&] { return ready() || shell_.waitForFinished(0); }, kFirstAppearance);
        Require(ready(), "GNOME Shell does not start (" + lastError_ + "):\n" + FileText(user_.Path("shell.log")));

        // The shell drops what a device sends before the seat lists it.
        Shell("const types = [Clutter.InputDeviceType.KEYBOARD_DEVICE, Clutter.InputDeviceType.POINTER_DEVICE]; "
              "[globalThis.testKeyboard, globalThis.testPointer] = types.map(t => seat.create_virtual_device(t)); "
              "while (!types.every(t => seat.list_devices().some(d => d.get_device_type() == t))) await settle()");
        const QJsonArray seen = Shell(QString(kArrange).replace("WANTED", Json(placing))).toArray();
        Require(seen == placing, "the monitors came out as " + Json(seen).toStdString());

        // Out of the way of the windows to come, which open on the monitor under the pointer.
        MovePointer(Area(layout.primary).bottomRight(), false);
    }
    ~GnomeDesktop() override { QDBusConnection::disconnectFromBus(bus_); }

    void Start(ChildProcess& program, const UserLanguage& language, const QString& directory) const override {
        QProcessEnvironment environment = Environment();
        // As a GNOME session gives its programs.
        environment.insert("WAYLAND_DISPLAY", "wayland-0");
        environment.insert("XDG_SESSION_TYPE", "wayland");
        environment.insert("XDG_CURRENT_DESKTOP", "GNOME");
        environment.insert("LANG", language.locale);
        user_.Start(program, environment, directory);
    }

    std::vector<Window> VisibleWindowsOf(qint64 pid) const override {
        std::vector<Window> found;
        for (const QJsonValue& w : Windows()) {
            if (w["pid"].toInteger() == pid) found.push_back({Id(w), w["title"].toString().toStdString()});
        }
        return found;
    }

    // Qt draws the frame itself on GNOME, but not around a full-screen window: a title bar and thin borders, from
    // Qt 6.7 on in GNOME's own look, in device pixels where the layout counts them.
    std::optional<WindowGeometry> GeometryOf(WindowId window) const override {
        constexpr QMargins frame
            = QT_VERSION >= QT_VERSION_CHECK(6, 7, 0) ? QMargins(1, 39, 1, 1) : QMargins(3, 30, 3, 3);
        for (const QJsonValue& w : Windows()) {
            if (Id(w) != window) continue;
            const QJsonArray f = w["frame"].toArray();
            const QRect outer(f[0].toInt(), f[1].toInt(), f[2].toInt(), f[3].toInt());
            const auto on
                = std::ranges::find_if(layout.monitors, [&](auto& m) { return m.area.contains(outer.center()); });
            const double scale = layout.layoutInDevicePixels && on != layout.monitors.end() ? on->scale : 1;
            return WindowGeometry{w["fullscreen"].toBool() ? outer : outer - frame * scale, outer};
        }
        return std::nullopt;
    }

    std::optional<WindowId> FocusedWindow() const override {
        for (const QJsonValue& w : Windows()) {
            if (w["focus"].toBool()) return Id(w);
        }
        return std::nullopt;
    }

    QImage Screenshot(size_t monitor) const override {
        const QRect r = Area(monitor);
        const QString file = user_.Path("screenshot.png");
        Shell(QString("const stream = Gio.File.new_for_path('%1').replace(null, false, 0, null); "
                      "await new Shell.Screenshot().screenshot_area(%2, %3, %4, %5, stream); stream.close(null)")
                  .arg(file).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()));
        const QImage image = QImage(file, "PNG").convertToFormat(QImage::Format_RGB32);
        Require(image.size() == layout.DeviceSize(monitor),
            "the screenshot is " + Text(image.rect()) + ", not the monitor in device pixels");
        return image;
    }

    void Focus(WindowId window) const override { Shell(QString("byId(%1).activate(now())").arg(window)); }

    void PressKeys(const QStringList& keys) const override {
        // At a fast typist's pace: the shell would hand the program hundreds of keys at once.
        Shell("for (const [i, key] of "
              + Json(QJsonArray::fromStringList(keys)) + ".entries()) { "
              "if (Clutter['KEY_' + key] === undefined) throw new Error('no key ' + key); "
              "for (const state of [Clutter.KeyState.PRESSED, Clutter.KeyState.RELEASED]) "
              "testKeyboard.notify_keyval(us(), Clutter['KEY_' + key], state); if (i % 10 == 9) await settle(); }");
    }

    void MovePointer(QPoint at, bool click) const override {
        // Each motion seen on its own: the shell merges those it has not handled yet.
        Shell(QString("testPointer.notify_absolute_motion(us(), %1, %2); await settle(); if (%3) for (const state of "
                      "[Clutter.ButtonState.PRESSED, Clutter.ButtonState.RELEASED]) "
                      "testPointer.notify_button(us(), Clutter.BUTTON_PRIMARY, state)")
                  .arg(at.x()).arg(at.y()).arg(click));
    }

    // Focused before and after, as a drag of the title bar leaves it.
    void MoveWindow(WindowId window, QPoint at) const override {
        // Again till it holds a while: a late answer of the program to mutter's placement of a window just shown puts
        // it back. Then the program learns its output.
        WaitUntil([&] {
            return Shell(QString("const w = byId(%1); w.activate(now()); w.move_frame(true, %2, %3); "
                                 "w.activate(now()); await settle(); await new Promise(done => setTimeout(done, 300)); "
                                 "const r = w.get_frame_rect(); return r.x == %2 && r.y == %3 && !await settle()")
                             .arg(window).arg(at.x()).arg(at.y())) == QJsonValue(true);
        });
    }

    void CloseWindow(WindowId window) const override { Shell(QString("byId(%1).delete(now())").arg(window)); }

private:
    static WindowId Id(const QJsonValue& w) { return static_cast<WindowId>(w["id"].toInteger()); }
    QProcessEnvironment Environment() const {
        QProcessEnvironment environment = user_.Environment();
        environment.insert("DBUS_SESSION_BUS_ADDRESS", bus_);
        environment.insert("XDG_CONFIG_HOME", user_.Path("config"));
        environment.insert("XDG_DATA_HOME", user_.Path("data"));
        return environment;
    }

    std::optional<QJsonValue> TryShell(const QString& code) const {
        QDBusMessage call = QDBusMessage::createMethodCall(
            "org.gnome.Shell", "/org/quorvane/TestShell", "org.quorvane.TestShell", "Run");
        call << kPrelude + code;
        const QDBusMessage answer = QDBusConnection::connectToBus(bus_, bus_).call(call, QDBus::Block,
            int(kReaction.count()));
        lastError_ = answer.errorMessage().toStdString();
        if (answer.type() != QDBusMessage::ReplyMessage) return std::nullopt;
        return QJsonDocument::fromJson("[" + answer.arguments().value(0).toString().toUtf8() + "]").array().at(0);
    }
    QJsonValue Shell(const QString& code) const {
        const auto result = TryShell(code);
        Require(result.has_value(), "GNOME Shell failed: " + lastError_);
        return *result;
    }
    QJsonArray Windows() const {
        return Shell("return windows.map(w => ({id: w.get_id(), pid: w.get_pid(), title: w.get_title(), "
                     "frame: rect(w.get_frame_rect()), fullscreen: w.is_fullscreen(), "
                     "focus: w.has_focus()}))")
            .toArray();
    }

    TestUser user_;
    ChildProcess sessionBus_{user_.account}, systemBus_{user_.account}, shell_{user_.account};
    QString bus_;  // the session bus's address, also the name of this process's connection to it
    mutable std::string lastError_;
};

}  // namespace

// Qt draws at a fractional scale from 6.5 on, mutter asks for one from GNOME 44 on; Debian has either both or neither.
const Desktop kGnome{"Gnome",
    QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
        ? Capabilities{Capability::OutputScale, Capability::DevicePixelLayout, Capability::FractionalScale}
        : Capabilities{Capability::OutputScale, Capability::DevicePixelLayout},
                     [](const DesktopLayout& layout) { return std::make_unique<GnomeDesktop>(layout); }};

}  // namespace quorvane::e2e
