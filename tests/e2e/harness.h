#pragma once

#include <grp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QProcess>

#include <chrono>
#include <set>
#include <thread>

namespace quorvane::e2e {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

// Limits for a loaded two-core machine: a first window may take long, a reaction to a key or a move less so.
inline constexpr milliseconds kFirstAppearance = 40s, kReaction = 20s;

// Polls `condition` until it holds or `timeout` has passed; true when it held.
template <typename Condition>
bool WaitUntil(Condition condition, milliseconds timeout = kReaction) {
    for (const auto deadline = std::chrono::steady_clock::now() + timeout; !condition();
         std::this_thread::sleep_for(20ms)) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
    }
    return true;
}

// What was seen instead of what should have been: it ends the check.
inline void Require(bool holds, const std::string& otherwise) {
    if (!holds) throw std::runtime_error(otherwise);
}

// Runs `check`; a failure it throws is the test's, reported as `what`'s.
inline bool Passes(const std::string& what, const std::function<void()>& check) {
    try {
        check();
        return true;
    } catch (const std::exception& failure) {
        ADD_FAILURE() << what << ": " << failure.what();
        return false;
    }
}

inline std::string Text(const QRect& r) {  // "1024x768+0+0"
    return QString::asprintf("%dx%d%+d%+d", r.width(), r.height(), r.x(), r.y()).toStdString();
}

inline std::string FileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "";
}

struct Account { uid_t uid; gid_t gid; };

// A process that outlives neither this object nor the test program, as `account`'s user if given. It is asked to end
// first, so that servers remove their sockets.
class ChildProcess : public QProcess {
public:
    explicit ChildProcess(std::optional<Account> account = std::nullopt) {
        setChildProcessModifier([parent = ::getpid(), account] {
            // Changing the user clears the parent-death signal, so it comes first.
            if (account && (::setgroups(1, &account->gid) || ::setgid(account->gid) || ::setuid(account->uid)))
                ::_exit(126);
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != parent) ::_exit(127);  // the test program died before that
        });
    }
    ~ChildProcess() override {
        if (state() == NotRunning) return;
        terminate();
        if (!waitForFinished(2000)) kill(), waitForFinished(-1);
    }
};

// A short command's standard output; throws with its standard error when it fails or outlasts 10 s.
inline QByteArray Run(
    const QProcessEnvironment& environment, const QStringList& command, const QByteArray& input = {}) {
    ChildProcess process;
    process.setProcessEnvironment(environment);
    process.start(command.first(), command.mid(1));
    process.write(input);
    process.closeWriteChannel();
    Require(process.waitForFinished(10'000) && process.exitStatus() == QProcess::NormalExit && !process.exitCode(),
            "'" + command.join(' ').toStdString() + "' failed (" + process.errorString().toStdString() + "): " +
                process.readAllStandardError().toStdString());
    return process.readAllStandardOutput();
}

inline std::optional<QByteArray> TryRun(const QProcessEnvironment& environment, const QStringList& command) try {
    return Run(environment, command);
} catch (const std::runtime_error&) {
    return std::nullopt;
}

// This process's environment without what would take Qt elsewhere or pick another language.
inline QProcessEnvironment NeutralEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                             "QT_ENABLE_HIGHDPI_SCALING", "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_FONT_DPI", "DISPLAY",
                             "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR", "SWAYSOCK", "LC_ALL", "LC_MESSAGES", "LANGUAGE"}) {
        environment.remove(name);
    }
    environment.insert("LANG", "C.UTF-8");
    return environment;
}

// In desktop coordinates, from the layout's top-left corner; windows on it are scaled by `scale`.
struct Monitor { QRect area; double scale = 1; };
// Monitors "M1", "M2", …, room for monitors plugged in later, and the toolkit's font resolution. A desktop pixel is
// `scale` device pixels across and down, or one where the desktop lays monitors out in device pixels while windows
// keep their monitor's scale (mutter's default), which a desktop that can does if asked.
struct DesktopLayout {
    std::vector<Monitor> monitors;
    size_t primary = 0;
    int minimumWidth = 0, dpi = 96;
    bool layoutInDevicePixels = false;

    double DevicePixelsPerDesktopPixel(size_t monitor) const {
        return layoutInDevicePixels ? 1 : monitors.at(monitor).scale;
    }
    QSize DeviceSize(size_t monitor) const {
        return (QSizeF(monitors.at(monitor).area.size()) * DevicePixelsPerDesktopPixel(monitor)).toSize();
    }
};

// A 1024 x 768 monitor left of a 1280 x 1024 one.
inline const QRect kSmallMonitor{0, 0, 1024, 768}, kLargeMonitor{1024, 0, 1280, 1024};
inline DesktopLayout SideBySide(size_t primary = 0) { return {{{kSmallMonitor}, {kLargeMonitor}}, primary}; }

// What a desktop may be unable to do: make any monitor the primary one, let a program place its own windows, plug
// monitors in and out while programs run, give the toolkit a resolution other than 96 dpi, scale a monitor up, scale
// it by a fraction with the toolkit drawing at that fraction, lay scaled monitors out in device pixels.
enum class Capability {
    PrimaryChoice, WindowPlacement, MonitorHotPlug, ToolkitDpi, OutputScale, FractionalScale, DevicePixelLayout
};
using Capabilities = std::set<Capability>;

// The user's language as a desktop keeps it: the locale, or the Windows profile's abbreviation.
struct UserLanguage { QString locale, windowsCode; };
inline const UserLanguage kNoLanguage{"C", ""}, kGerman{"de_DE.UTF-8", "DEU"};

using WindowId = unsigned long;
struct Window { WindowId id; std::string title; };  // the title in UTF-8, byte for byte
// In desktop coordinates: the window's own area, and with its frame.
struct WindowGeometry { QRect client, outer; };

// A private desktop for one scenario: it starts the program and does and sees what a user would; what it started is
// stopped when it goes.
class Session {
public:
    explicit Session(DesktopLayout layout) : layout(std::move(layout)) {}
    virtual ~Session() = default;
    QRect Area(size_t monitor) const { return layout.monitors.at(monitor).area; }

    const DesktopLayout layout;
    std::optional<Account> account;  // the program's user, when not this process's
    bool readsUtf8Files = true;      // through POSIX files, not in a Windows code page

    virtual void Start(ChildProcess& program, const UserLanguage& language, const QString& directory) const = 0;
    virtual std::vector<Window> VisibleWindowsOf(qint64 pid) const = 0;  // leaving out those gone meanwhile
    virtual std::optional<WindowGeometry> GeometryOf(WindowId window) const = 0;
    virtual std::optional<WindowId> FocusedWindow() const = 0;
    virtual QImage Screenshot(size_t monitor) const = 0;  // in device pixels, without the pointer, as RGB32
    virtual void Focus(WindowId window) const = 0;
    virtual void PressKeys(const QStringList& keys) const = 0;  // letters as typed, other keys by X names
    virtual void MovePointer(QPoint point, bool click = false) const = 0;
    virtual void MoveWindow(WindowId window, QPoint place) const = 0;  // its top-left corner, as a drag would
    virtual void CloseWindow(WindowId window) const = 0;  // as the close button of its title bar
    // Plugs a monitor in, or without an area unplugs it.
    virtual void Plug(const QString&, std::optional<QRect>, bool = false) const {
        throw std::logic_error("no hot plug");
    }
};

// A desktop: its test suite, what it can do, and how a session on it starts.
struct Desktop {
    const char* suite;
    Capabilities capabilities;
    std::function<std::unique_ptr<Session>(const DesktopLayout&)> start;
};
extern const Desktop kX11, kWine, kSway, kGnome;

enum class Language { Japanese = 1, English = 2, Deutsch = 3 };  // the catalogue's blocks

// A step's title as shown: its line in the sample catalogue, cut or padded with blanks to 30 characters.
inline std::string StepTitle(int step, Language language = Language::English) {
    QFile file(QUORVANE_DATA_DIR "/LcdTFile.txt");
    Require(file.open(QIODevice::ReadOnly), "cannot read the sample catalogue");
    // Blocks of 74 lines; a step's title is the second of its eight lines.
    const QList<QByteArray> lines = file.readAll().split('\n');
    const qsizetype index = (static_cast<int>(language) - 1) * 74 + 11 + 8 * (step - 1);
    Require(index < lines.size(), "the sample catalogue is too short");
    return QString::fromUtf8(lines[index]).remove('\r').leftJustified(30, ' ', true).toStdString();
}

// The program under test, stopped when this object goes, with its language and the step last seen. The waits throw
// when what they wait for does not come, and give up once it has ended.
class Program {
public:
    Program(const Session& session, const UserLanguage& setting, Language language = Language::English,
            const QString& directory = QUORVANE_DATA_DIR)
        : session(session), language(language), process_(session.account) {
        process_.setStandardOutputFile(QProcess::nullDevice());
        session.Start(process_, setting, directory);
        // Qt's error text carries the system's, as "execvp: Permission denied".
        Require(process_.waitForStarted(), "cannot start " + process_.program().toStdString()
                    + (session.account ? " as user " + std::to_string(session.account->uid) : "") + ": "
                    + process_.errorString().toStdString());
        pid = process_.processId();
    }

    // Polls like WaitUntil, but not beyond the program's end.
    template <typename Condition>
    bool Await(Condition condition, milliseconds timeout = kReaction) {
        return WaitUntil([&] { return condition() || Ended(); }, timeout) && condition();
    }
    bool Ended() { return process_.state() == QProcess::NotRunning || process_.waitForFinished(0); }
    bool RunsFor(milliseconds span) { return !process_.waitForFinished(int(span.count())) && !Ended(); }
    // The exit status, or 128 + the signal; nothing when it still ran after kReaction and was killed.
    std::optional<int> WaitForExit() {
        if (!Ended() && !process_.waitForFinished(int(kReaction.count()))) {
            process_.kill();
            process_.waitForFinished(-1);
            return std::nullopt;
        }
        return process_.exitCode() + (process_.exitStatus() == QProcess::NormalExit ? 0 : 128);
    }
    std::string Errors() {  // on its standard error so far
        QCoreApplication::processEvents();  // the process reads its pipes then
        return errors_ += process_.readAllStandardError().toStdString();
    }
    // `what` failed: the report, with the program's standard error.
    std::string Failure(const std::string& what) {
        const auto status = Ended() ? "; the program ended with status " + std::to_string(*WaitForExit()) : "";
        return what + status + "; standard error:\n" + Errors();
    }

    // Its visible windows by title: the test window, the message box and the dialog as the one other.
    std::vector<Window> Windows() { return Ended() ? std::vector<Window>{} : session.VisibleWindowsOf(pid); }
    std::optional<WindowId> TestWindow() { return Titled("Form2"); }
    std::optional<WindowId> MessageBox() { return Titled("Quorvane"); }
    std::optional<Window> Dialog() {
        std::vector<Window> others = Windows();
        std::erase_if(others, [](const Window& w) { return w.title == "Form2" || w.title == "Quorvane"; });
        return others.size() == 1 ? std::optional(others.front()) : std::nullopt;
    }

    void AwaitTitle(const std::string& title, milliseconds timeout = kReaction) {
        std::optional<Window> dialog;
        if (Await([&] { return (dialog = Dialog()) && dialog->title == title; }, timeout)) return;
        std::string shown = dialog ? "\"" + dialog->title + "\"" : "no dialog among the windows";
        for (const Window& window : dialog ? std::vector<Window>{} : Windows()) shown += " \"" + window.title + "\"";
        throw std::runtime_error(Failure("the dialog's title is " + shown + " instead of \"" + title + "\""));
    }
    void ShowsStep(int shown) { AwaitTitle(StepTitle(step = shown, language)); }
    void Press(const QStringList& keys) { AwaitKeyFocus(), session.PressKeys(keys); }

    // Until keys reach the program: the dialog has the focus, or the test window has kept it for 2 s, as where a
    // desktop leaves it on a full-screen window and the program hands the keys on.
    void AwaitKeyFocus() {
        std::optional<std::chrono::steady_clock::time_point> since;
        const bool ready = Await([&] {
            const auto focused = session.FocusedWindow();
            const auto dialog = Dialog();
            if (focused && dialog && *focused == dialog->id) return true;
            if (!focused || focused != TestWindow()) {
                since.reset();
                return false;
            }
            since = since.value_or(std::chrono::steady_clock::now());
            return std::chrono::steady_clock::now() - *since >= 2s;
        });
        Require(ready, Failure("no window of the program has the focus"));
    }
    // The dialog's or the test window's geometry once `wanted` holds, or the last one seen.
    WindowGeometry Geometry(bool testWindow = false, const std::function<bool(const WindowGeometry&)>& wanted = {}) {
        std::optional<WindowGeometry> found;
        Await([&] {
            const auto dialog = testWindow ? std::nullopt : Dialog();
            const auto id = testWindow ? TestWindow() : dialog ? std::optional(dialog->id) : std::nullopt;
            return id && (found = session.GeometryOf(*id)) && (!wanted || wanted(*found));
        });
        Require(found.has_value(), Failure(testWindow ? "no test window" : "no dialog on screen"));
        return *found;
    }

    const Session& session;
    const Language language;
    int step = 1;  // last seen
    qint64 pid = 0;

private:
    std::optional<WindowId> Titled(const std::string& title) {
        const auto windows = Windows();
        const auto found = std::ranges::find(windows, title, &Window::title);
        return found == windows.end() ? std::nullopt : std::optional(found->id);
    }

    ChildProcess process_;
    std::string errors_;
};

// What a user does and must see, on the desktops with the capabilities it needs.
struct Scenario {
    std::string name;
    DesktopLayout layout;
    std::function<void(const Session&)> play;
    Capabilities needs = {};
};

}  // namespace quorvane::e2e
