#include "sway_session.h"

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>

#include "commands.h"

namespace quorvane::e2e {
namespace {

const char* const kUser = "quorvane-e2e";

// The account sway and the program run as: the test user when this runs as
// root, made the first time; otherwise this process's own.
std::optional<Account> TestUserAccount(QString& home)
{
    home = QDir::homePath();
    if (::geteuid() != 0) {
        return std::nullopt;
    }
    if (!::getpwnam(kUser)) {
        // Another test may make it at the same moment; only its absence counts.
        RunCommand(NeutralEnvironment(), {"useradd", "--system", "--create-home", "--home-dir",
                                          QString("/var/lib/") + kUser, "--shell", "/usr/sbin/nologin", kUser});
    }
    const passwd* user = ::getpwnam(kUser);
    Require(user != nullptr, std::string("cannot make the user ") + kUser);
    home = QString::fromLocal8Bit(user->pw_dir);
    return Account{user->pw_uid, user->pw_gid};
}

QRect RectOf(const QJsonValue& value)
{
    const QJsonObject rect = value.toObject();
    return QRect(rect["x"].toInt(), rect["y"].toInt(), rect["width"].toInt(), rect["height"].toInt());
}

QString OutputName(size_t monitor)
{
    return "HEADLESS-" + QString::number(monitor + 1);
}

WindowId IdOf(const QJsonObject& container)
{
    return static_cast<WindowId>(container["id"].toInteger());
}

void CollectContainers(const QJsonObject& node, std::vector<QJsonObject>& found)
{
    if (node["type"] == "con" || node["type"] == "floating_con") {
        found.push_back(node);
    }
    for (const char* children : {"nodes", "floating_nodes"}) {
        for (const QJsonValue& child : node[children].toArray()) {
            CollectContainers(child.toObject(), found);
        }
    }
}

}  // namespace

SwaySession::SwaySession(DesktopLayout layout)
    : Session(std::move(layout)), account_(TestUserAccount(home_)), compositor_(account_)
{
    // The runtime folder must belong to the user and be theirs alone.
    Require(runtime_.isValid() && (!account_ || ::chown(runtime_.path().toLocal8Bit().constData(), account_->uid,
                                                        account_->gid) == 0),
            "no runtime folder for the test user");
    QFile config(runtime_.filePath("config"));
    Require(config.open(QIODevice::WriteOnly), "cannot write the sway configuration");
    QRect desktop;
    for (size_t i = 0; i < Layout().monitors.size(); ++i) {
        const Monitor& monitor = Layout().monitors[i];
        const QSize device = monitor.area.size() * monitor.scale;
        config.write(QString("output %1 resolution %2x%3 position %4 %5 scale %6\n")
                         .arg(OutputName(i)).arg(device.width()).arg(device.height())
                         .arg(monitor.area.x()).arg(monitor.area.y()).arg(monitor.scale).toUtf8());
        desktop |= monitor.area;
    }
    // On a headless output sway draws its cursor into the picture, and so
    // into every screenshot: it hides it half a second after the last move.
    config.write("xwayland enable\nseat * hide_cursor 500\n");
    config.close();

    QProcessEnvironment environment = NeutralEnvironment();
    environment.insert("HOME", home_);
    environment.insert("XDG_RUNTIME_DIR", runtime_.path());
    environment.insert("WLR_BACKENDS", "headless");
    environment.insert("WLR_HEADLESS_OUTPUTS", QString::number(Layout().monitors.size()));
    environment.insert("WLR_LIBINPUT_NO_DEVICES", "1");
    environment.insert("WLR_RENDERER", "pixman");
    compositor_.setProcessEnvironment(environment);
    compositor_.setStandardOutputFile(QProcess::nullDevice());
    compositor_.setStandardErrorFile(runtime_.filePath("sway.log"));
    compositor_.start("sway", {"--config", config.fileName()});
    // sway makes its IPC socket after the Wayland one and answers at once.
    const QDir runtime(runtime_.path());
    const auto listening = [&] {
        const QStringList ipc = runtime.entryList({"sway-ipc.*.sock"}, QDir::System);
        const QStringList wayland = runtime.entryList({"wayland-?"}, QDir::System);
        swaySocket_ = ipc.isEmpty() ? "" : runtime.filePath(ipc.front());
        waylandDisplay_ = wayland.isEmpty() ? "" : wayland.front();
        return !swaySocket_.isEmpty() && !waylandDisplay_.isEmpty();
    };
    WaitUntil([&] { return listening() || compositor_.waitForFinished(0); }, kFirstAppearance);
    Require(listening(), "sway does not start:\n" + FileText(runtime_.filePath("sway.log")));

    const QJsonArray outputs = QJsonDocument::fromJson(SwayMessage({"-t", "get_outputs"})).array();
    bool asWanted = static_cast<size_t>(outputs.size()) == Layout().monitors.size();
    for (size_t i = 0; asWanted && i < Layout().monitors.size(); ++i) {
        const QJsonObject output = outputs[static_cast<int>(i)].toObject();
        asWanted = output["name"] == OutputName(i) && RectOf(output["rect"]) == Area(i) &&
                   output["scale"].toDouble() == Layout().monitors[i].scale;
    }
    Require(asWanted, "the outputs did not come out as asked:\n" + QJsonDocument(outputs).toJson().toStdString());

    // XWayland's display number is whatever was free; sway locks it with its
    // process id.
    Require(WaitUntil([&] {
                const QDir tmp("/tmp");
                for (const QString& lock : tmp.entryList({".X*-lock"}, QDir::Files | QDir::Hidden)) {
                    if (QString::fromStdString(FileText(tmp.filePath(lock))).trimmed().toLongLong() ==
                        compositor_.processId()) {
                        xDisplay_ = ":" + lock.mid(2, lock.size() - 7);
                    }
                }
                return !xDisplay_.isEmpty();
            }),
            "sway does not start XWayland");

    pointer_ = std::make_unique<VirtualPointer>(runtime.filePath(waylandDisplay_), desktop);
    // Out of the way of the windows to come, which open on the focused output.
    pointer_->MoveTo(desktop.bottomRight());
    SwayMessage({"focus", "output", OutputName(Layout().primary)});
    // Each wtype plugs in a keyboard, and the program drops the first key of
    // a new one: one left plugged in keeps that from happening.
    idleKeyboard_.setProcessEnvironment(ClientEnvironment());
    idleKeyboard_.start("wtype", {"-s", "86400000"});
    Require(idleKeyboard_.waitForStarted(), "cannot start wtype");
}

QProcessEnvironment SwaySession::ClientEnvironment() const
{
    QProcessEnvironment environment = NeutralEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime_.path());
    environment.insert("WAYLAND_DISPLAY", waylandDisplay_);
    environment.insert("SWAYSOCK", swaySocket_);
    return environment;
}

QByteArray SwaySession::SwayMessage(const QStringList& arguments) const
{
    return RunCommandChecked(ClientEnvironment(), QStringList{"swaymsg"} + arguments);
}

void SwaySession::Start(ChildProcess& program, const Launch& launch) const
{
    QProcessEnvironment environment = ClientEnvironment();
    environment.remove("SWAYSOCK");
    environment.insert("DISPLAY", xDisplay_);
    environment.insert("HOME", home_);
    environment.insert("LANG", launch.language.locale);
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(launch.workingDirectory);
    program.start(QUORVANE_EXE, {});
}

std::vector<QJsonObject> SwaySession::Containers() const
{
    std::vector<QJsonObject> found;
    CollectContainers(QJsonDocument::fromJson(SwayMessage({"-t", "get_tree"})).object(), found);
    return found;
}

std::vector<Window> SwaySession::VisibleWindowsOf(qint64 pid) const
{
    std::vector<Window> windows;
    for (const QJsonObject& container : Containers()) {
        if (container["pid"].toInteger() == pid && container["visible"].toBool()) {
            windows.push_back({IdOf(container), container["name"].toString().toStdString()});
        }
    }
    return windows;
}

std::optional<WindowGeometry> SwaySession::GeometryOf(WindowId window) const
{
    // `rect` is the container below its title bar, `window_rect` the window
    // inside it and `deco_rect` the title bar.
    for (const QJsonObject& container : Containers()) {
        const QRect rect = RectOf(container["rect"]);
        const QRect inner = RectOf(container["window_rect"]);
        // A new window's frame is settled when its decoration is: till then
        // sway reports no border but the window already inside one.
        const bool framing = container["border"] == "none" && inner.x() > 0;
        if (IdOf(container) == window && !framing) {
            return WindowGeometry{inner.translated(rect.topLeft()),
                                  rect.adjusted(0, -RectOf(container["deco_rect"]).height(), 0, 0)};
        }
    }
    return std::nullopt;
}

std::optional<WindowId> SwaySession::FocusedWindow() const
{
    for (const QJsonObject& container : Containers()) {
        if (container["focused"].toBool()) {
            return IdOf(container);
        }
    }
    return std::nullopt;
}

QImage SwaySession::Screenshot(size_t monitor) const
{
    const QImage image =
        QImage::fromData(RunCommandChecked(ClientEnvironment(), {"grim", "-o", OutputName(monitor), "-"}), "PNG");
    Require(!image.isNull(), "the screenshot of " + OutputName(monitor).toStdString() + " is no PNG image");
    return image.convertToFormat(QImage::Format_RGB32);
}

void SwaySession::PressKeys(const QStringList& keys) const
{
    // Letters in a row go as one text: given one by one, some of them reach
    // the program as other keys, Esc among them.
    QStringList arguments;
    bool typing = false;
    for (const QString& key : keys) {
        if (key.size() > 1) {
            arguments << "-k" << key;
        } else if (typing) {
            arguments.back() += key;
        } else {
            arguments << key;
        }
        typing = key.size() == 1;
    }
    RunCommandChecked(ClientEnvironment(), QStringList{"wtype"} + arguments);
}

void SwaySession::Click(QPoint point) const
{
    pointer_->MoveTo(point);
    pointer_->Click();
}

void SwaySession::MoveWindow(WindowId window, QPoint place) const
{
    // Focused before and after, as a drag of the title bar leaves it.
    const QString criteria = Criteria(window);
    SwayMessage({criteria + "focus; " + criteria +
                 QString("move absolute position %1 %2; ").arg(place.x()).arg(place.y()) + criteria + "focus"});
}

}  // namespace quorvane::e2e
