#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <filesystem>
#include <random>

#include "scenario.h"

namespace quorvane::e2e {
namespace {

namespace fs = std::filesystem;

// The lines of a sample file, each with its CR LF.
QList<QByteArray> SampleLines(const std::string& name)
{
    QFile file(QString::fromStdString(QUORVANE_DATA_DIR "/" + name));
    Require(file.open(QIODevice::ReadOnly), "cannot read the sample " + name);
    QList<QByteArray> lines;
    while (!file.atEnd()) {
        lines << file.readLine();
    }
    return lines;
}

bool Write(const fs::path& path, const QList<QByteArray>& lines)
{
    QFile file(QString::fromStdString(path.string()));
    const QByteArray bytes = lines.join();
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A working directory with the sample data, in which `spoil` changes the file
// `name`, then the program's run there. The program may run as another user,
// who must be able to read the directory.
template <typename Check>
void InSpoiltData(const Session& session, const UserLanguage& setting, const std::string& name,
                  const std::function<bool(const fs::path&)>& spoil, Check check)
{
    QTemporaryDir dir;
    Require(dir.isValid(), "no temporary folder");
    const fs::path path = dir.path().toStdString();
    fs::copy(QUORVANE_DATA_DIR, path, fs::copy_options::recursive);
    fs::permissions(path, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    Require(spoil(path / name), "cannot spoil " + name);
    check(ProgramRun(session, Launch{setting, dir.path()}));
}

// Bytes that are no text, the same on every run, from their first line on.
QByteArray RandomBytes()
{
    std::mt19937 random(7);
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i) {
        bytes += static_cast<char>(random() & 0xFF);
    }
    QStringDecoder decoder(QStringConverter::Utf8);
    const QString firstLine = decoder.decode(bytes.left(bytes.indexOf('\n')));  // decoded here
    Require(decoder.hasError(), "the random bytes were meant to be no UTF-8 text from their first line");
    return bytes;
}

// One way to spoil a text file and what the message must name besides the
// file: the run-time error, and the line where one applies.
struct Spoiling {
    std::string what;
    std::function<bool(const fs::path& file)> spoil;
    std::optional<int> error;
    std::optional<int> line;
    // Spoilt only where files are UTF-8 on a POSIX file system: in a Windows
    // code page every byte is text, and Windows has no named pipes.
    bool utf8Only = false;
};

constexpr int kFileNotFound = 53;
constexpr int kInputPastEnd = 62;
constexpr int kFileAccess = 75;
const std::string kUnreadable = "without read permission";

std::vector<Spoiling> SpoilingsOf(const std::string& name, std::vector<int> shortLines, int badLine)
{
    const QList<QByteArray> lines = SampleLines(name);
    QList<QByteArray> notUtf8 = lines;
    notUtf8[badLine - 1].insert(1, "\xFF");
    const auto replaced = [](const auto& make) {
        return [=](const fs::path& file) { return fs::remove(file) && make(file); };
    };
    std::vector<Spoiling> spoilings = {
        {"missing", [](const fs::path& file) { return fs::remove(file); }, kFileNotFound, {}},
        {kUnreadable, [](const fs::path& file) { return ::chmod(file.c_str(), 0) == 0; }, kFileAccess, {}},
        // Every read of a process's own memory from offset 0 fails, for root too.
        {"failing every read", replaced([](auto& file) { fs::create_symlink("/proc/self/mem", file); return true; }),
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

// The start-up must end with a message naming the file (and the line),
// shown in a message box that waits for the user and is the only window;
// dismissed, it leaves no window behind and a failure status.
void CheckStartUpFails(const ProgramRun& run, const std::string& file, const Spoiling& spoiling)
{
    std::string message;
    run.Await(
        [&] {
            const std::string errors = run.Errors();
            const size_t start = errors.find("Run-time error");
            const size_t end = errors.find('\n', start);
            message = start != std::string::npos && end != std::string::npos ? errors.substr(start, end - start) : "";
            return !message.empty();
        },
        kFirstAppearance);
    Require(!message.empty(), run.Failure("no run-time error"));
    Require(message.find(file) != std::string::npos, "the file is not named: " + message);
    const std::string error = spoiling.error ? "Run-time error '" + std::to_string(*spoiling.error) + "'" : "";
    Require(message.rfind(error, 0) == 0, "not " + error + ": " + message);
    const QRegularExpression line(QString("\\bline %1\\b").arg(spoiling.line.value_or(0)));
    Require(!spoiling.line || line.match(QString::fromStdString(message)).hasMatch(), "no line named: " + message);

    std::optional<WindowId> box;
    run.Await([&] { return (box = run.MessageBox()).has_value(); });
    Require(box.has_value(), run.Failure("no message box"));
    Require(run.RunsFor(200ms), "the program did not wait for the message box");
    const std::vector<Window> windows = run.Windows();
    Require(windows.size() == 1 && windows.front().id == *box, "more than the message box on screen");
    run.DismissMessageBoxAndFail(*box);
}

Scenario Failures(const std::string& name, const std::string& file, std::vector<int> shortLines, int badLine)
{
    return {name, SideBySide(), [=](const Session& session) {
                // Root reads a file whatever its mode; "failing every read" stands in.
                const bool readsAll = !session.ProgramAccount() && ::geteuid() == 0;
                for (const Spoiling& spoiling : SpoilingsOf(file, shortLines, badLine)) {
                    if ((spoiling.what != kUnreadable || !readsAll) && (!spoiling.utf8Only || session.ReadsUtf8Files())) {
                        Passes(file + " " + spoiling.what, [&] {
                            InSpoiltData(session, kNoLanguage, file, spoiling.spoil,
                                         [&](const ProgramRun& run) { CheckStartUpFails(run, file, spoiling); });
                        });
                    }
                }
            }};
}

// A line of 10 MB where the program ignores it or keeps only its start: the
// line `line` replaced, or one inserted before it.
struct LongLine {
    std::string what;
    std::string file;
    int line;
    bool insert;
    QByteArray text;
    UserLanguage setting;
    std::string title;  // of step 1, as the dialog must show it
};

void CheckLongLines(const Session& session)
{
    const QByteArray ascii(10 * 1024 * 1024, 'x');
    const QByteArray accented = QByteArray("\xC3\xA4").repeated(ascii.size() / 2);  // ä
    const std::string longTitle = "Long title, cut after its 30th character";
    const std::vector<LongLine> cases = {
        // The first line of a block is never shown.
        {"first line of the English block", "LcdTFile.txt", 75, false, ascii, kNoLanguage, StepTitle(1)},
        // A title keeps its first 30 characters.
        {"title of step 1 in English", "LcdTFile.txt", 86, false, longTitle.c_str() + accented, kNoLanguage,
         longTitle.substr(0, 30)},
        // The language code file is read only up to the matching entry, DEU on line 4.
        {"after the matching entry", "LcLCFile.txt", 5, true, "SVX=" + ascii, kGerman, StepTitle(1, Language::Deutsch)},
        // A value that names no language: the matching line's number still chooses it.
        {"value of the matching entry", "LcLCFile.txt", 4, false, "DEU=" + ascii, kGerman,
         StepTitle(1, Language::Deutsch)},
    };
    for (const LongLine& longLine : cases) {
        QList<QByteArray> lines = SampleLines(longLine.file);
        lines.insert(longLine.line - 1, longLine.text + "\r\n");
        if (!longLine.insert) {
            lines.removeAt(longLine.line);
        }
        Passes(longLine.file + ", " + longLine.what, [&] {
            InSpoiltData(session, longLine.setting, longLine.file, [&](auto& file) { return Write(file, lines); },
                         [&](const ProgramRun& run) {
                             run.AwaitTitle(longLine.title, kFirstAppearance);
                             Require(run.TestWindow().has_value(), "no test window");
                             run.AwaitKeyFocus();
                             session.PressKeys({"Escape"});
                             Require(run.WaitForExit() == 0, run.Failure("no clean exit"));
                         });
        });
    }
}

// Line 1 is only a heading, line 3 an entry read before any match. For the
// catalogue: one line short of the seven blocks of 74 lines, and far short;
// line 300 lies in block 5.
const bool added = AddScenarios({
    Failures("SpoiltLanguageCodeFileEndsStartUpWithMessage", "LcLCFile.txt", {1}, 3),
    Failures("SpoiltCatalogueEndsStartUpWithMessage", "LcdTFile.txt", {100, 517}, 300),
    {"TenMegabyteLinesAreRead", SideBySide(), CheckLongLines},
});

}  // namespace
}  // namespace quorvane::e2e
