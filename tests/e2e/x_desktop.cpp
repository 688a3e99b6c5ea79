#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <array>
#include <cmath>

#include "harness.h"

namespace quorvane::e2e {
namespace {

const QString kWine = "/usr/lib/wine/wine64";

// `xrandr --setmonitor`'s geometry, sized as at 96 dpi: "1024/271x768/203+0+0".
QString RandrGeometry(const QRect& r) {
    const auto mm = [](int pixels) { return std::lround(pixels * 25.4 / 96.0); };
    return QString::asprintf("%d/%ldx%d/%ld+%d+%d", r.width(), mm(r.width()), r.height(), mm(r.height()), r.x(), r.y());
}

// The numbers that the groups of `pattern` capture in `text`; none without a match.
std::vector<int> Numbers(const QByteArray& text, const QString& pattern) {
    const auto match = QRegularExpression(pattern).match(QString::fromUtf8(text));
    std::vector<int> numbers;
    for (int i = 1; match.hasMatch() && i <= match.lastCapturedIndex(); ++i)
        numbers.push_back(match.captured(i).toInt());
    return numbers;
}

std::optional<WindowId> ParseWindowId(const std::optional<QByteArray>& text) {
    bool ok = false;
    return text && text->trimmed().toULong(&ok) && ok ? std::optional(text->trimmed().toULong()) : std::nullopt;
}

QStringList Args(QPoint point) { return {QString::number(point.x()), QString::number(point.y())}; }

// An Xorg configuration with the dummy driver's outputs DUMMY0, DUMMY1, … as the layout's monitors. Wine 10 takes its
// monitors from RandR outputs only, and Xvfb has one whatever its RandR monitors; Wine 8 reads both servers alike.
QString DummyXorgConfig(const DesktopLayout& layout, const QRect& screen) {
    QString device, monitors;
    for (size_t i = 0; i < layout.monitors.size(); ++i) {
        const QRect r = layout.monitors[i].area;
        const int horizontal = r.width() + 160, vertical = r.height() + 30;  // blanking of any timing: nothing scans
        device += QString("  Option \"Monitor-DUMMY%1\" \"M%2\"\n").arg(i).arg(i + 1);
        monitors += QString("Section \"Monitor\"\n  Identifier \"M%1\"\n  HorizSync 5-1000\n  VertRefresh 5-200\n"
                            "  Modeline \"%2x%3\" %4 %2 %5 %6 %7 %3 %8 %9 %10\n")
                        .arg(i + 1).arg(r.width()).arg(r.height())
                        .arg(horizontal * vertical * 60 / 1e6, 0, 'f', 2)
                        .arg(r.width() + 40).arg(r.width() + 80).arg(horizontal)
                        .arg(r.height() + 3).arg(r.height() + 6).arg(vertical)
            + QString("  Option \"PreferredMode\" \"%1x%2\"\n  Option \"Position\" \"%3 %4\"\n"
                      "  Option \"Enable\" \"true\"\n").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y())
            + (i == layout.primary ? "  Option \"Primary\" \"true\"\n" : "") + "EndSection\n";
    }
    return "Section \"ServerFlags\"\n  Option \"AutoAddDevices\" \"false\"\n  Option \"AutoAddGPU\" \"false\"\n"
           "EndSection\nSection \"Device\"\n  Identifier \"dummy\"\n  Driver \"dummy\"\n  VideoRam 262144\n"
        + device + "EndSection\n" + monitors
        + QString("Section \"Screen\"\n  Identifier \"screen\"\n  Device \"dummy\"\n  DefaultDepth 24\n"
                  "  SubSection \"Display\"\n    Depth 24\n    Virtual %1 %2\n  EndSubSection\nEndSection\n")
              .arg(screen.right() + 1).arg(screen.bottom() + 1);
}

// An X server of its own with the layout's monitors, its Xft resolution and openbox, driven with xdotool, xwininfo
// and ImageMagick. On it runs the native program, with the language from the locale, on an Xvfb with RandR monitors;
// or the Windows program under Wine, with the language from the profile value sLanguage and the resolution from
// LogPixels, in the prefix that scripts/windows-e2e-setup made, on an Xorg whose outputs are the monitors.
class XDesktop : public Session {
public:
    XDesktop(DesktopLayout desktopLayout, bool wine) : Session(std::move(desktopLayout)), wine_(wine) {
        readsUtf8Files = !wine;
        QRect screen(0, 0, layout.minimumWidth, 1);
        for (const Monitor& monitor : layout.monitors) screen |= monitor.area;
        StartServer(screen);

        // Listed as " 0: +*M1 1024/271x768/203+0+0  screen", or with Xorg's names DUMMY0, ….
        QString wanted = QString("^Monitors: %1\n").arg(layout.monitors.size());
        for (size_t i = 0; i < layout.monitors.size(); ++i) {
            const QRect r = Area(i);
            if (!wine_) Plug("M" + QString::number(i + 1), r, i == layout.primary);
            // Of any physical size.
            const QString geometry = QString("%1/\\d+x%2/\\d+").arg(r.width()).arg(r.height())
                + QRegularExpression::escape(QString::asprintf("%+d%+d", r.x(), r.y()));
            const QString name = wine_ ? "DUMMY" + QString::number(i) : "M" + QString::number(i + 1);
            wanted += "(?=[\\s\\S]*[ +]" + QString(i == layout.primary ? "\\*" : "") + name + " " + geometry + " )";
        }
        const QString listed = X({"xrandr", "--listmonitors"});
        Require(
            QRegularExpression(wanted).match(listed).hasMatch(), "the monitors came out as\n" + listed.toStdString());
        if (layout.dpi != 96) X({"xrdb", "-nocpp", "-merge"}, "Xft.dpi: " + QByteArray::number(layout.dpi) + "\n");

        // The stock configuration, whatever the user's own. openbox drops windows mapped while it is still starting,
        // though it has announced itself: the program starts once openbox has run its start-up command.
        windowManager_.setProcessEnvironment(Environment());
        windowManager_.setStandardOutputFile(QProcess::nullDevice());
        windowManager_.setStandardErrorFile(scratch_.filePath("openbox.log"));
        const QString started = scratch_.filePath("openbox.started");
        windowManager_.start("openbox", {"--sm-disable", "--config-file", "/etc/xdg/openbox/rc.xml", "--startup",
                                         "touch " + started});
        Require(WaitUntil([&started] { return QFile::exists(started); }, kFirstAppearance),
                "openbox does not start:\n" + FileText(scratch_.filePath("openbox.log")));
    }
    ~XDesktop() override {
        if (wine_) TryRun(Environment(), {"/usr/lib/wine/wineserver", "-k"});  // it stays with its display
    }

    void Start(ChildProcess& program, const UserLanguage& language, const QString& directory) const override {
        const QString dpi = QString::number(layout.dpi);
        for (const auto& [key, name, type, value] :
             {std::array<QString, 4>{"HKCU\\Control Panel\\International", "sLanguage", "REG_SZ", language.windowsCode},
              {"HKCU\\Control Panel\\Desktop", "LogPixels", "REG_DWORD", dpi},
              {"HKLM\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts", "LogPixels",
               "REG_DWORD", dpi}}) {
            if (wine_) X({kWine, "reg", "add", key, "/v", name, "/t", type, "/d", value, "/f"});
        }
        QProcessEnvironment environment = Environment();
        if (!wine_) environment.insert("LANG", language.locale);
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(directory);
        program.start(wine_ ? kWine : QUORVANE_EXE, wine_ ? QStringList{QUORVANE_WINDOWS_EXE} : QStringList{});
    }

    std::vector<Window> VisibleWindowsOf(qint64 pid) const override {
        std::vector<Window> windows;  // xdotool fails when it finds none
        for (const QByteArray& line :
             TryX({"xdotool", "search", "--onlyvisible", "--pid", QString::number(pid)}).value_or("").split('\n')) {
            const auto id = ParseWindowId(line);
            const auto name = id ? TryX({"xdotool", "getwindowname", QString::number(*id)}) : std::nullopt;
            if (name && name->endsWith('\n')) windows.push_back({*id, name->chopped(1).toStdString()});
        }
        return windows;
    }

    std::optional<WindowGeometry> GeometryOf(WindowId window) const override {
        const QString id = QString::number(window);
        const auto c = Numbers(TryX({"xwininfo", "-id", id}).value_or(""),
                               R"(Absolute upper-left X:\s*(-?\d+)\s*Absolute upper-left Y:\s*(-?\d+)[\s\S]*)"
                               R"(Width:\s*(\d+)\s*Height:\s*(\d+))");
        // "_NET_FRAME_EXTENTS = left, right, top, bottom", or "...:  not found."
        const auto extents = TryX({"xprop", "-id", id, "-notype", "_NET_FRAME_EXTENTS"});
        if (c.size() != 4 || !extents) return std::nullopt;
        const QRect client(c[0], c[1], c[2], c[3]);
        const auto f = Numbers(*extents, R"(= (\d+), (\d+), (\d+), (\d+))");
        return WindowGeometry{client, f.empty() ? client : client.adjusted(-f[0], -f[2], f[1], f[3])};
    }

    std::optional<WindowId> FocusedWindow() const override {
        return ParseWindowId(TryX({"xdotool", "getactivewindow"}));
    }

    QImage Screenshot(size_t monitor) const override {
        const QImage image = QImage::fromData(X({"import", "-window", "root", "png:-"}), "PNG");
        Require(!image.isNull(), "the screenshot is no PNG image");
        return image.copy(Area(monitor)).convertToFormat(QImage::Format_RGB32);
    }

    void Focus(WindowId window) const override {
        X({"xdotool", "windowactivate", QString::number(window)});
        Require(WaitUntil([&] { return FocusedWindow() == window; }), "a window does not become active");
    }
    void PressKeys(const QStringList& keys) const override { X(QStringList{"xdotool", "key", "--delay", "0"} + keys); }
    void MovePointer(QPoint point, bool click) const override {
        X(QStringList{"xdotool", "mousemove"} + Args(point) + (click ? QStringList{"click", "1"} : QStringList{}));
    }
    // openbox puts the frame's or the client area's corner there, as the window's gravity says.
    void MoveWindow(WindowId window, QPoint place) const override {
        X(QStringList{"xdotool", "windowmove", QString::number(window)} + Args(place));
    }
    void CloseWindow(WindowId window) const override {
        Focus(window);
        PressKeys({"alt+F4"});  // as openbox's stock configuration has it
    }
    // The monitor "M1" carries the screen's output: while it is unplugged, the automatic monitor covering the whole
    // screen is back.
    void Plug(const QString& name, std::optional<QRect> area, bool primary) const override {
        X(area ? QStringList{"xrandr", "--setmonitor", (primary ? "*" : "") + name, RandrGeometry(*area),
                             name == "M1" ? "screen" : "none"}
               : QStringList{"xrandr", "--delmonitor", name});
    }

private:
    // Aimed at the display; every Wine command with one locale, since Wine rewrites the profile's language when the
    // locale changes.
    QProcessEnvironment Environment() const {
        QProcessEnvironment environment = NeutralEnvironment();
        environment.insert("DISPLAY", display_);
        for (const auto& [name, value] : {std::pair{"WINEPREFIX", QUORVANE_WINE_PREFIX}, {"WINEDEBUG", "-all"},
                                          {"WINEDLLOVERRIDES", "mscoree,mshtml="}, {"LC_ALL", "C.UTF-8"}}) {
            if (wine_) environment.insert(name, value);
        }
        return environment;
    }
    QByteArray X(const QStringList& command, const QByteArray& input = {}) const {
        return Run(Environment(), command, input);
    }
    std::optional<QByteArray> TryX(const QStringList& command) const { return TryRun(Environment(), command); }

    // The server picks a free display and writes its number to -displayfd once it accepts connections; -noreset keeps
    // the monitors when clients leave. Xorg runs as any user, on no console of its own.
    void StartServer(const QRect& screen) {
        const QStringList arguments{"-displayfd", "1", "-nolisten", "tcp", "-noreset"};
        server_.setStandardErrorFile(scratch_.filePath("server.log"));
        if (wine_) {
            QFile config(scratch_.filePath("xorg.conf"));
            Require(config.open(QIODevice::WriteOnly) && config.write(DummyXorgConfig(layout, screen).toUtf8()) > 0
                        && config.flush(), "cannot write Xorg's configuration");
            server_.start("/usr/lib/xorg/Xorg", arguments + QStringList{"-config", config.fileName(), "-logfile",
                scratch_.filePath("xorg.log"), "-novtswitch", "-keeptty", "-sharevts"});
        } else {
            server_.start("Xvfb", arguments + QStringList{"-screen", "0",
                QString("%1x%2x24").arg(screen.right() + 1).arg(screen.bottom() + 1)});
        }
        const QDeadlineTimer deadline(kFirstAppearance);
        while (!server_.canReadLine() && server_.waitForReadyRead(int(deadline.remainingTime()))) {
        }
        display_ = ":" + QString::fromLatin1(server_.readLine()).trimmed();
        Require(display_.size() > 1, "the X server reports no display:\n" + FileText(scratch_.filePath("server.log")));
    }

    const bool wine_;
    QTemporaryDir scratch_;
    QString display_;
    ChildProcess server_, windowManager_;
};


}  // namespace

// Wine reads the monitors when its server starts, so they do not come and go while it runs, and its frames are a few
// pixels off openbox's, so a window's exact place is not seen.
const Desktop kX11{"X11", {Capability::PrimaryChoice, Capability::WindowPlacement, Capability::MonitorHotPlug,
                           Capability::ToolkitDpi},
                   [](const DesktopLayout& layout) { return std::make_unique<XDesktop>(layout, false); }};
const Desktop kWine{"Wine", {Capability::PrimaryChoice, Capability::ToolkitDpi},
                    [](const DesktopLayout& layout) { return std::make_unique<XDesktop>(layout, true); }};

}  // namespace quorvane::e2e
