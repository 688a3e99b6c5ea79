#include <sys/stat.h>

#include <QLineF>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <filesystem>
#include <random>

#include "harness.h"

// What a user does and sees, as tables of actions. Places in the dialog are those of its layout at 96 dpi.
namespace quorvane::e2e {
namespace {

namespace fs = std::filesystem;
using Spoil = std::function<bool(const fs::path& file)>;

// One thing the user does or sees; it throws when what should follow does not. A script goes on after a failed check
// that changes nothing.
struct Action { std::string what; std::function<void(Program&)> act; bool fatal = true; };

// The program without a language setting: its first title, then `actions` up to the first fatal failure.
Scenario Script(std::string name, DesktopLayout layout, std::vector<Action> actions, Capabilities needs = {}) {
    return {std::move(name), std::move(layout), [actions](const Session& session) {
                Program p(session, kNoLanguage);
                if (!Passes("the start", [&] { p.AwaitTitle(StepTitle(1), kFirstAppearance); })) return;
                for (const Action& a : actions) {
                    if (!Passes(a.what + " after step " + std::to_string(p.step), [&] { a.act(p); }) && a.fatal) return;
                }
            }, std::move(needs)};
}

// The rows at which a diagonal crosses column `x`: one, or two on an exact half.
std::vector<int> DiagonalRows(int run, int rise, int x) {
    const long long lower = static_cast<long long>(x) * rise / run, remainder = 2LL * x * rise - 2 * lower * run;
    const int row = static_cast<int>(lower);
    return remainder < run ? std::vector{row} : remainder > run ? std::vector{row + 1} : std::vector{row, row + 1};
}

// `area` of a screenshot, but what the dialog `covered`, against the pattern of `step` on a monitor wider than tall:
// steps 1 to 4 white; 5 and 6 a light-cyan border and even columns on black; 7 and 8 a white border and both
// diagonals on black, a pixel per column at y = round(x * (H - 1) / (W - 1)), on an exact half at either neighbour.
// The wrong pixels, or "".
std::string PatternMismatches(const QImage& shot, const QRect& area, const QRect& covered, int step) {
    const int w = area.width(), h = area.height();
    if (step >= 5 && w <= h) return "the check knows steps 5 to 8 only on monitors wider than tall";
    constexpr QRgb kWhite = 0xffffffff, kBlack = 0xff000000, kLightCyan = 0xff00ffff;
    const auto visible = [&](int x, int y) { return !covered.contains(area.x() + x, area.y() + y); };
    const auto at = [&](int x, int y) { return shot.pixel(area.x() + x, area.y() + y) | kBlack; };
    const auto colour = [](QRgb c) { return QString::asprintf("(%d, %d, %d)", qRed(c), qGreen(c), qBlue(c)); };
    int wrong = 0;
    QString first;  // counted from the area's corner
    const auto report = [&](int x, int y, const QString& what) {
        if (!wrong++) first = QString::asprintf("(%d, %d) ", x, y) + what;
    };
    for (int x = 0; x < w; ++x) {
        std::vector<std::vector<int>> diagonals;
        if (step >= 7 && x > 0 && x < w - 1)
            diagonals = {DiagonalRows(w - 1, h - 1, x), DiagonalRows(w - 1, h - 1, w - 1 - x)};
        // A diagonal's pixel alone in its column is white; of a pair either may be.
        const auto on = [&](int y, size_t n) {
            return std::ranges::any_of(diagonals, [&](auto& d) { return d.size() == n && std::ranges::count(d, y); });
        };
        for (int y = 0; y < h; ++y) {
            const bool border = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            const QRgb wanted = step <= 4 ? kWhite : step <= 6 ? (border || x % 2 == 0 ? kLightCyan : kBlack)
                                                               : (border || on(y, 1) ? kWhite : kBlack);
            if (visible(x, y) && (border || !on(y, 2)) && at(x, y) != wanted) {
                report(x, y, "is " + colour(at(x, y)) + " instead of " + colour(wanted));
            }
        }
        for (const auto& d : diagonals) {
            if (d.size() > 1 && visible(x, d[0]) && visible(x, d[1]) && at(x, d[0]) != kWhite
                && at(x, d[1]) != kWhite) {
                report(x, d[0], "is not white, nor the pixel below (diagonal)");
            }
        }
    }
    return wrong ? std::to_string(wrong) + " wrong pixels, the first " + first.toStdString() : "";
}

// The step's pattern on every device pixel of the monitor but the dialog's.
Action ShowsPattern(size_t monitor) {
    return {"the pattern on monitor " + std::to_string(monitor + 1), [=](Program& p) {
                const QRect area = p.session.Area(monitor);
                const double scale = p.session.layout.DevicePixelsPerDesktopPixel(monitor);
                // Every device pixel the rectangle touches: at a fractional scale an edge may cut one.
                const auto device = [&](const QRect& r) {
                    const QRectF f = QRectF(r.translated(-area.topLeft()));
                    return QRectF(f.topLeft() * scale, f.size() * scale).toAlignedRect();
                };
                const QRect covered = device(p.Geometry().outer);
                std::string found;
                QImage shot;
                WaitUntil([&] {
                    shot = p.session.Screenshot(monitor);
                    return (found = PatternMismatches(shot, device(area), covered, p.step)).empty();
                });
                // For a look at what the checks saw.
                if (const QString folder = qEnvironmentVariable("QUORVANE_E2E_SHOTS"); !folder.isEmpty()) {
                    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
                    shot.save(QString("%1/%2.%3-step%4.png").arg(folder, test->test_suite_name(), test->name())
                                  .arg(p.step));
                }
                Require(found.empty(), "the pattern of step " + std::to_string(p.step) + ": " + found);
            }, false};
}

Action Key(const QString& key, int step) {
    return {"the key " + key.toStdString(), [=](Program& p) { p.Press({key}), p.ShowsStep(step); }};
}

// 1000 keys B, N, b, n in an order that ends on step 7, coming up from the gratings, and runs into the first and last
// steps. The title must then stay on step 7 for a second: every key was handled, and it did not pass by.
Action KeyStorm() {
    return {"1000 keys at full speed", [](Program& p) {
                std::mt19937 random(14);
                QStringList keys;
                for (int i = 0; i < 1000; ++i) keys << QString("bBnN"[random() % 4]);
                p.AwaitKeyFocus();
                for (qsizetype first = 0; first < keys.size(); first += 250) p.session.PressKeys(keys.mid(first, 250));
                for (int check = 0; check < 5; ++check, std::this_thread::sleep_for(200ms)) p.ShowsStep(7);
            }};
}

Action Click(bool next, int step) {
    return {next ? "a click on Next" : "a click on Back", [=](Program& p) {
                p.session.MovePointer(p.Geometry().client.topLeft() + QPoint(next ? 253 : 128, 148), true);
                p.ShowsStep(step);
            }};
}

Action ExitsWithEsc() {
    return {"Esc", [](Program& p) {
                p.Press({"Escape"});
                Require(p.WaitForExit() == 0, p.Failure("no clean exit"));
            }};
}

// The test window covers the area (or the monitor) exactly, without a frame.
Action Covers(size_t monitor, std::optional<QRect> area = {}) {
    return {"the test window over " + (area ? Text(*area) : "monitor " + std::to_string(monitor + 1)), [=](Program& p) {
                const QRect wanted = area.value_or(p.session.Area(monitor));
                const auto window = p.Geometry(true, [&](auto& g) { return g.outer == wanted; });
                Require(
                    window.outer == wanted, p.Failure("the test window lies at " + Text(window.outer) + " instead"));
                Require(window.client == window.outer, "the test window has a frame around " + Text(window.client));
            }};
}

// M1, M2 and M3 right of them, of the hot-plug plans.
const QRect kMonitors[] = {kSmallMonitor, kLargeMonitor, QRect(kLargeMonitor.right() + 1, 0, 800, 600)};

// The dialog dragged onto `monitor` (its frame or area 100 pixels in, by the desktop's gravity), not over its
// background; then the pointer over that background (right of the language frame, above the buttons), coming from the
// title bar as motion without an "enter" is ignored, in three moves as a toolkit drops one to where the last ended. The
// test window must come to the monitor under the dialog's corner, or without `monitor` the nearest to it.
Action Follow(std::optional<QRect> monitor, bool hover = true) {
    const std::string to = monitor ? Text(*monitor) : "the nearest monitor";
    return {hover ? "the test window following the dialog to " + to : "the dialog moved to " + to, [=](Program& p) {
                const auto dialog = p.Dialog();
                Require(dialog.has_value(), "no dialog to move");
                const QPoint place = monitor.value_or(QRect()).topLeft() + QPoint(100, 100);
                if (monitor) p.session.MoveWindow(dialog->id, place);
                Require(p.Await([&] {
                    const auto g = p.session.GeometryOf(dialog->id);
                    return g && (!monitor || g->outer.topLeft() == place || g->client.topLeft() == place);
                }), "the dialog does not move there");
                if (!hover) return;
                const WindowGeometry g = p.Geometry();
                const QPoint spot = g.client.topLeft() + QPoint(150, 120), c = g.outer.topLeft();
                p.session.MovePointer({spot.x(), (g.outer.top() + g.client.top()) / 2});
                for (const QPoint offset : {QPoint(0, 0), QPoint(1, 1), QPoint(2, 2)})
                    p.session.MovePointer(spot + offset);
                const auto away = [&](const QRect& a) {
                    return QLineF(
                        c, QPoint(std::clamp(c.x(), a.left(), a.right()), std::clamp(c.y(), a.top(), a.bottom())))
                        .length();
                };
                Covers(0, monitor.value_or(away(kMonitors[0]) < away(kMonitors[1]) ? kMonitors[0] : kMonitors[1]))
                    .act(p);
            }};
}

// Closed by its title bar, the dialog goes and comes back as a new window.
Action CloseDialog() {
    return {"the dialog closed by its title bar", [](Program& p) {
                const auto dialog = p.Dialog();
                Require(dialog.has_value(), "no dialog to close");
                p.session.CloseWindow(dialog->id);
                Require(p.RunsFor(300ms), p.Failure("closing the dialog ended the program"));
                const auto anew = [&] { return p.Dialog().value_or(*dialog).id != dialog->id; };
                Require(p.Await(anew), p.Failure("the dialog did not close"));
                p.ShowsStep(p.step);
            }};
}

// Clicks on the disabled test window, one on its picture (61 x 48 at 8, 8), change nothing.
Action IgnoresClicksOnTestWindow(size_t monitor) {
    return {"clicks on the test window", [=](Program& p) {
                const QRect area = p.session.Area(monitor);
                for (const QPoint spot : {area.bottomRight() - QPoint(50, 50), area.topLeft() + QPoint(38, 32)}) {
                    p.session.MovePointer(spot, true);
                    Require(p.RunsFor(300ms), p.Failure("a click on the test window ended the program"));
                }
                p.ShowsStep(p.step);
                p.AwaitKeyFocus();
            }};
}

// 20 twips (1.33 pixels) below the monitor's top, centred as it was before being widened a little.
Action DialogAtTopCentreOf(size_t monitor) {
    return {"the dialog's place", [=](Program& p) {
                const QRect area = p.session.Area(monitor);
                QRect dialog;
                const auto placed = [&] {
                    return dialog.y() == area.y() + 1 && std::abs(dialog.center().x() - area.center().x()) <= 8;
                };
                p.Await([&] { return (dialog = p.Geometry().outer), placed(); });
                Require(placed(), "the dialog lies at " + Text(dialog));
            }};
}

// The dialog's own area against its 516 x 167 pixels at 96 dpi.
Action DialogScaledBy(double factor) {
    return {"the dialog's size", [=](Program& p) {
                const QRect d = p.Geometry().client;
                Require(std::abs(d.width() / 516.0 - factor) <= 0.1 && std::abs(d.height() / 167.0 - factor) <= 0.1,
                        "the dialog's area " + Text(d) + " is not " + std::to_string(factor) + " times 516 x 167");
            }};
}

// A word per action: "-M2" unplugs M2, "+M2" plugs it in, "+M2*" as the primary; "d2" drags the dialog onto M2, "f2"
// and the test window follows, "fn" to the nearest monitor; "n2"/"b1" a key to step 2/1; "r" (and "r0" at once) the
// program still runs.
std::vector<Action> Plan(const QString& words) {
    std::vector<Action> actions;
    for (const QString& word : words.split(' ')) {
        const QRect area = kMonitors[std::max({word.mid(1, 1).toInt(), word.mid(2, 1).toInt(), 1}) - 1];
        const QString name = word.mid(1, 2);
        const bool plug = word[0] == '+', primary = word.endsWith('*');
        if (plug || word[0] == '-') {
            actions.push_back({"monitor " + name.toStdString() + (plug ? " plugged in" : " unplugged"),
                [=](Program& p) { p.session.Plug(name, plug ? std::optional(area) : std::nullopt, primary); }});
        } else if (word[0] == 'r') {
            actions.push_back(
                {"the program still running", [span = word == "r" ? 100ms : 0ms](Program& p) {
                     Require(p.RunsFor(span) && !p.MessageBox(), p.Failure("the program ended or reports an error"));
                 }});
        } else {
            actions.push_back(word[0] == 'n' || word[0] == 'b' ? Key(word.left(1), word[1].digitValue())
                              : word == "fn" ? Follow(std::nullopt) : Follow(area, word[0] == 'f'));
        }
    }
    return actions;
}

// Twelve cycles that end as they began, fifty times, each followed by a key: the monitor under both windows goes and
// comes back; the one under the dialog alone; a new one takes both and goes from under them; a burst; the other one
// becomes the primary one (which moves all in the program's coordinates); … Then the test window follows the dialog to
// each monitor.
std::vector<Action> FiftyCycles() {
    const QString cycles[] = {
        "-M1 r +M1*", "d2 -M2 r +M2 f2", "+M3 f3 -M3 r fn f1", "-M2 +M3 +M2 -M1 -M3 +M1*", "f2 -M2 +M2* f1 f2",
        "+M3 -M3", "-M2 r +M2*", "d1 -M1 r +M1 f1", "+M3 f3 -M3 r fn f1", "-M2 +M3 +M2* -M1 -M3 +M1",
        "f1 -M1 +M1* f2 f1", "+M3 -M3",
    };
    std::vector<Action> actions;
    for (int cycle = 1; cycle <= 50; ++cycle) {
        for (Action& action : Plan(cycles[(cycle - 1) % 12] + (cycle % 2 ? " n2 r0" : " b1 r0"))) {
            action.what = "cycle " + std::to_string(cycle) + ": " + action.what;
            actions.push_back(action);
        }
    }
    for (const Action& action : Plan("+M3 f3 f1 f2 f1 n2")) actions.push_back(action);
    actions.push_back(ExitsWithEsc());
    return actions;
}

// The starting language from the locale or the Windows profile, or English.
void StartingLanguages(const Session& session) {
    const std::pair<UserLanguage, Language> settings[]
        = {{kGerman, Language::Deutsch}, {{"en_US.UTF-8", "ENU"}, Language::English},
            {{"ja_JP.UTF-8", "JPN"}, Language::Japanese}, {kNoLanguage, Language::English}};
    for (const auto& [setting, language] : settings) {
        const std::string with
            = "with " + setting.locale.toStdString() + " / '" + setting.windowsCode.toStdString() + "'";
        Passes(with, [&] { Program(session, setting, language).AwaitTitle(StepTitle(1, language), kFirstAppearance); });
    }
}

// The sample lines of a text file, each with its CR LF.
QList<QByteArray> SampleLines(const std::string& name) {
    QFile file(QString::fromStdString(QUORVANE_DATA_DIR "/" + name));
    Require(file.open(QIODevice::ReadOnly), "cannot read the sample " + name);
    QList<QByteArray> lines;
    while (!file.atEnd()) lines << file.readLine();
    return lines;
}

bool Write(const fs::path& path, const QList<QByteArray>& lines) {
    QFile file(path);
    const QByteArray bytes = lines.join();
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The program in a copy of the sample data in which `spoil` changed `name`; its user, maybe another, must be able to
// read the copy.
void InSpoiltData(const Session& session, const UserLanguage& setting, const std::string& name, const Spoil& spoil,
                  const std::function<void(Program&)>& check) {
    QTemporaryDir dir;
    const fs::path path = dir.path().toStdString();
    fs::copy(QUORVANE_DATA_DIR, path, fs::copy_options::recursive);
    fs::permissions(path, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    Require(spoil(path / name), "cannot spoil " + name);
    Program program(session, setting, Language::English, dir.path());
    check(program);
}

// Bytes that are no UTF-8 text from their first byte on, the same every run.
QByteArray RandomBytes() {
    std::mt19937 random(7);
    QByteArray bytes("\xFF");
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>(random() & 0xFF);
    return bytes;
}

// A way to spoil a file, and the run-time error and line the message must name besides it. `utf8Only` where files are
// UTF-8 on a POSIX file system: in a Windows code page every byte is text, and Windows has no named pipes.
struct Spoiling { std::string what; Spoil spoil; std::optional<int> error, line; bool utf8Only = false; };

std::vector<Spoiling> SpoilingsOf(const std::string& name, std::vector<int> shortLines, int badLine) {
    constexpr int kFileNotFound = 53, kInputPastEnd = 62, kFileAccess = 75;
    const QList<QByteArray> lines = SampleLines(name);
    QList<QByteArray> notUtf8 = lines;
    notUtf8[badLine - 1].insert(1, "\xFF");
    const auto replaced = [](const Spoil& make) { return [=](auto& file) { return fs::remove(file) && make(file); }; };
    std::vector<Spoiling> spoilings = {
        {"missing", [](auto& file) { return fs::remove(file); }, kFileNotFound, {}},
        {"without read permission", [](auto& file) { return ::chmod(file.c_str(), 0) == 0; }, kFileAccess, {}},
        // Every read of a process's own memory from offset 0 fails, for root too.
        {"failing every read", replaced([](auto& file) { return fs::create_symlink("/proc/self/mem", file), true; }),
         kFileAccess, {}},
        {"a directory", replaced([](auto& file) { return fs::create_directory(file); }), kFileAccess, {}},
        {"a named pipe without writer", replaced([](auto& file) { return ::mkfifo(file.c_str(), 0644) == 0; }),
         kFileAccess, {}, true},
        // Bytes the system's code page cannot hold: some run-time error.
        {"not UTF-8 on line " + std::to_string(badLine), [=](auto& file) { return Write(file, notUtf8); }, {}, badLine,
         true},
        {"random bytes", [](auto& file) { return Write(file, {RandomBytes()}); }, {}, 1, true},
    };
    for (const int kept : shortLines) {
        spoilings.push_back({"cut after line " + std::to_string(kept),
                             [=](auto& file) { return Write(file, lines.mid(0, kept)); }, kInputPastEnd, kept});
    }
    return spoilings;
}

// The start-up ends with a message naming the file (and line) in a message box that waits for the user and is the
// only window; dismissed, it leaves no window and a failure status of the program's own (not a signal).
void CheckStartUpFails(Program& run, const std::string& file, const Spoiling& spoiling) {
    const QRegularExpression complete("Run-time error[^\n]*(?=\n)");
    std::string message;
    run.Await([&] { return !(message = complete.match(run.Errors().c_str()).captured().toStdString()).empty(); },
              kFirstAppearance);
    Require(!message.empty(), run.Failure("no run-time error"));
    Require(message.find(file) != std::string::npos, "the file is not named: " + message);
    const std::string error = spoiling.error ? "Run-time error '" + std::to_string(*spoiling.error) + "'" : "";
    Require(message.starts_with(error), "not " + error + ": " + message);
    const QRegularExpression line(QString("\\bline %1\\b").arg(spoiling.line.value_or(0)));
    Require(!spoiling.line || line.match(QString::fromStdString(message)).hasMatch(), "no line named: " + message);
    std::optional<WindowId> box;
    run.Await([&] { return (box = run.MessageBox()).has_value(); });
    Require(box.has_value(), run.Failure("no message box"));
    Require(run.RunsFor(200ms), "the program did not wait for the message box");
    const std::vector<Window> windows = run.Windows();
    Require(windows.size() == 1 && windows.front().id == *box, "more than the message box on screen");
    run.session.Focus(*box);
    run.session.PressKeys({"Return"});
    const auto status = run.WaitForExit();
    Require(status.has_value(), "the program still ran after the message box was dismissed");
    Require(*status > 0 && *status < 128, "the program ended with status " + std::to_string(*status));
    Require(WaitUntil([&] { return run.session.VisibleWindowsOf(run.pid).empty(); }), "a window outlived the program");
}

Scenario Failures(const std::string& name, const std::string& file, std::vector<int> shortLines, int badLine) {
    return {name, SideBySide(), [=](const Session& session) {
                // Root reads a file whatever its mode; "failing every read" stands in.
                const bool readsAll = !session.account && ::geteuid() == 0;
                for (const Spoiling& s : SpoilingsOf(file, shortLines, badLine)) {
                    if ((s.what.ends_with("permission") && readsAll) || (s.utf8Only && !session.readsUtf8Files))
                        continue;
                    Passes(file + " " + s.what, [&] {
                        InSpoiltData(session, kNoLanguage, file, s.spoil,
                            [&](Program& run) { CheckStartUpFails(run, file, s); });
                    });
                }
            }};
}

// A line of 10 MB that the program ignores or keeps only the start of, in place of line `line` or inserted before it:
// the program shows its first title and ends cleanly with Esc.
void CheckLongLines(const Session& session) {
    const QByteArray ascii(10 * 1024 * 1024, 'x'), accented = QByteArray("\xC3\xA4").repeated(ascii.size() / 2);  // ä
    const std::string longTitle = "Long title, cut after its 30th character", german = StepTitle(1, Language::Deutsch);
    const struct {
        std::string what, file;
        int line;
        bool insert;
        QByteArray text;
        UserLanguage setting;
        std::string title;
    } cases[] = {
        {"first line of the English block, never shown", "LcdTFile.txt", 75, false, ascii, kNoLanguage, StepTitle(1)},
        {"title of step 1 in English, cut to 30 characters", "LcdTFile.txt", 86, false, longTitle.c_str() + accented,
            kNoLanguage, longTitle.substr(0, 30)},
        {"after the matching entry DEU on line 4, never read", "LcLCFile.txt", 5, true, "SVX=" + ascii, kGerman,
            german},
        {"value of the matching entry, whose line number still chooses", "LcLCFile.txt", 4, false, "DEU=" + ascii,
            kGerman, german},
    };
    for (const auto& c : cases) {
        QList<QByteArray> lines = SampleLines(c.file);
        lines.insert(c.line - 1, c.text + "\r\n");
        if (!c.insert) lines.removeAt(c.line);
        Passes(c.file + ", " + c.what, [&] {
            InSpoiltData(session, c.setting, c.file, [&](auto& file) { return Write(file, lines); }, [&](Program& run) {
                run.AwaitTitle(c.title, kFirstAppearance);
                Require(run.TestWindow().has_value(), "no test window");
                run.Press({"Escape"});
                Require(run.WaitForExit() == 0, run.Failure("no clean exit"));
            });
        });
    }
}

std::vector<Scenario> Scenarios() {
    // 1600 x 1200 and 1920 x 1080 device pixels.
    const DesktopLayout scaled{{{QRect(0, 0, 800, 600), 2}, {QRect(800, 0, 1280, 1024)}}};
    const DesktopLayout fractional{{{QRect(0, 0, 1280, 720), 1.5}, {QRect(1280, 0, 1280, 1024)}}};
    const DesktopLayout scaledInDevicePixels{
        {{QRect(0, 0, 1600, 1200), 2}, {QRect(1600, 0, 1280, 1024)}}, 0, 0, 96, true};
    const std::vector<Action> steps157 = {Covers(0), ShowsPattern(0), Key("n", 2), Key("n", 3), Key("n", 4),
        Key("n", 5), ShowsPattern(0), Key("n", 6), Key("n", 7), ShowsPattern(0), ExitsWithEsc()};
    DesktopLayout highDpi = SideBySide(), roomForM3 = SideBySide();
    highDpi.dpi = 144;
    roomForM3.minimumWidth = kMonitors[2].right() + 1;
    // Both coordinates of the primary monitor's corner differ from the screen's.
    const DesktopLayout lowerRightPrimary{{{kSmallMonitor}, {QRect(1024, 100, 1280, 1024)}}, 1};
    return {
        {"StartingLanguageFollowsUserSetting", SideBySide(), StartingLanguages},
        // Every step's title and pattern by keys in both cases, B stopping at step 1.
        Script("LeftPrimaryCoveredThroughEveryStep", SideBySide(0),
               {Covers(0), ShowsPattern(0), IgnoresClicksOnTestWindow(0), Key("n", 2), ShowsPattern(0), Key("N", 3),
                ShowsPattern(0), Key("n", 4), ShowsPattern(0), Key("n", 5), ShowsPattern(0), Key("N", 6),
                ShowsPattern(0), Key("n", 7), ShowsPattern(0), Key("N", 8), ShowsPattern(0), Key("b", 7), Key("B", 6),
                ShowsPattern(0), Key("B", 5), Key("b", 4), Key("b", 3), Key("B", 2), Key("b", 1), Key("B", 1),
                ExitsWithEsc()}),
        // The left monitor then lies at negative desktop coordinates.
        Script("RightPrimaryCovered", SideBySide(1), {Covers(1), IgnoresClicksOnTestWindow(1), ExitsWithEsc()},
               {Capability::PrimaryChoice}),
        // Listed, and on Wayland announced, second: the monitor at the desktop's origin is the one to cover.
        Script("OriginMonitorListedSecondCovered", {{{kLargeMonitor}, {kSmallMonitor}}, 1},
               {Covers(1), ExitsWithEsc()}),
        Script("DialogWorksByPointerAndTitleBar", SideBySide(),
               {DialogScaledBy(1), Click(true, 2), Click(true, 3), Click(false, 2), CloseDialog(), Key("n", 3),
                ExitsWithEsc()}),
        Script("DialogSitsCentredAtTopOfPrimary", lowerRightPrimary, {DialogAtTopCentreOf(1)},
               {Capability::PrimaryChoice, Capability::WindowPlacement}),
        // The pattern is drawn for the new monitor at the next step.
        Script("TestWindowFollowsDialogToOtherMonitorAndBack", SideBySide(),
               {Follow(kLargeMonitor), Key("n", 2), ShowsPattern(1), Key("n", 3), Key("n", 4), Key("n", 5),
                ShowsPattern(1), Follow(kSmallMonitor), Key("n", 6), ShowsPattern(0), Key("n", 7), ShowsPattern(0),
                ExitsWithEsc()}),
        // Keys are handled nested in the redraw of those before, which yields between its passes on steps 5 to 8.
        Script("ThousandStepKeysEndOnFinalStepsPattern", SideBySide(), {KeyStorm(), ShowsPattern(0), ExitsWithEsc()}),
        // The toolkit scales the dialog by 1.5; the pattern keeps to device pixels.
        Script("HighDpiDialogGrowsWhileGratingStaysOnePixel", highDpi,
               {DialogScaledBy(1.5), Covers(0), Key("n", 2), Key("n", 3), Key("n", 4), Key("n", 5), ShowsPattern(0)},
               {Capability::ToolkitDpi}),
        Script("ScaledOutputPatternsInDevicePixels", scaled, steps157, {Capability::OutputScale}),
        Script("ScaledOutputInDevicePixelLayoutPatternsInDevicePixels", scaledInDevicePixels, steps157,
               {Capability::OutputScale, Capability::DevicePixelLayout}),
        Script("FractionalScaleOutputPatternsInDevicePixels", fractional, steps157, {Capability::FractionalScale}),
        Script("FiftyMonitorCyclesLeaveTheProgramWorking", roomForM3, FiftyCycles(), {Capability::MonitorHotPlug}),
        // Line 1 is a heading, line 3 an entry read before any match. The catalogue: a line short of its seven blocks
        // of 74 lines, and far short; line 300 lies in block 5.
        Failures("SpoiltLanguageCodeFileEndsStartUpWithMessage", "LcLCFile.txt", {1}, 3),
        Failures("SpoiltCatalogueEndsStartUpWithMessage", "LcdTFile.txt", {100, 517}, 300),
        {"TenMegabyteLinesAreRead", SideBySide(), CheckLongLines},
    };
}

struct ScenarioTest : ::testing::Test {
    explicit ScenarioTest(std::function<void()> body) : body(std::move(body)) {}
    void TestBody() override { body(); }
    std::function<void()> body;
};

}  // namespace
}  // namespace quorvane::e2e

// Each scenario on each desktop that can, on a session of its own. QProcess needs the application's event dispatcher;
// listing needs no desktop.
int main(int argc, char** argv) {
    using namespace quorvane::e2e;
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    static const std::vector<Scenario> scenarios = Scenarios();
    for (const Desktop* desktop : {&kX11, &kSway, &kGnome, &kWine}) {
        for (const Scenario& s : scenarios) {
            if (!std::ranges::includes(desktop->capabilities, s.needs)) continue;
            ::testing::RegisterTest(desktop->suite, s.name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                                    [desktop, &s]() -> ::testing::Test* {
                                        return new ScenarioTest([desktop, &s] { s.play(*desktop->start(s.layout)); });
                                    });
        }
    }
    return RUN_ALL_TESTS();
}
