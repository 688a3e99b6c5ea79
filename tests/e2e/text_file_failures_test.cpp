#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "quorvane_run.h"
#include "scenario.h"

namespace quorvane::e2e {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The start-up must end, or be done, this soon after the program starts.
constexpr std::chrono::milliseconds kStartLimit = 1s;
constexpr qsizetype kLongLine = 10 * 1024 * 1024;

// A working directory with the sample data, in which a test spoils a file.
class ScratchData {
public:
    ScratchData()
    {
        if (!dir_.isValid()) {
            throw std::runtime_error("no temporary folder: " + dir_.errorString().toStdString());
        }
        fs::copy(QUORVANE_DATA_DIR, dir_.path().toStdString(), fs::copy_options::recursive);
    }

    QString Path() const { return dir_.path(); }
    fs::path File(const std::string& name) const { return fs::path(dir_.path().toStdString()) / name; }

private:
    QTemporaryDir dir_;
};

// The lines of a sample file, each with its CR LF.
QList<QByteArray> SampleLines(const std::string& name)
{
    QFile file(QString::fromStdString(QUORVANE_DATA_DIR "/" + name));
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read the sample " + name);
    }
    QList<QByteArray> lines;
    while (!file.atEnd()) {
        lines << file.readLine();
    }
    return lines;
}

bool Write(const fs::path& path, const QByteArray& bytes)
{
    QFile file(QString::fromStdString(path.string()));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray Joined(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines) {
        bytes += line;
    }
    return bytes;
}

// Bytes that are no text, the same on every run.
QByteArray RandomBytes()
{
    std::mt19937 random(7);
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i) {
        bytes += static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

// The number of the first line that is not UTF-8 text, counted from 1.
std::optional<int> FirstLineNotUtf8(const QByteArray& bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringDecoder decoder(QStringConverter::Utf8);
        const QString text = decoder.decode(lines[i]);
        if (decoder.hasError()) {
            return static_cast<int>(i + 1);
        }
    }
    return std::nullopt;
}

// One way to spoil a text file and what the message must name besides the
// file: the run-time error, and the line where one applies.
struct Spoiling {
    std::string what;
    std::function<bool(const fs::path& file)> spoil;
    std::optional<int> error;
    std::optional<int> line;
};

constexpr int kFileNotFound = 53;
constexpr int kInputPastEnd = 62;
constexpr int kFileAccess = 75;

std::vector<Spoiling> SpoilingsOf(const std::string& name, int shortLines, int badLine)
{
    const QList<QByteArray> lines = SampleLines(name);
    const QByteArray noise = RandomBytes();
    const std::optional<int> noiseLine = FirstLineNotUtf8(noise);
    if (noiseLine != 1) {
        throw std::runtime_error("the random bytes were meant to be no UTF-8 text from their first line");
    }
    return {
        {"missing", [](const fs::path& file) { return fs::remove(file); }, kFileNotFound, std::nullopt},
        {"without read permission", [](const fs::path& file) { return ::chmod(file.c_str(), 0) == 0; },
         kFileAccess, std::nullopt},
        // Every read of this process's own memory from offset 0 fails, for root too.
        {"failing every read",
         [](const fs::path& file) {
             fs::remove(file);
             fs::create_symlink("/proc/self/mem", file);
             return true;
         },
         kFileAccess, std::nullopt},
        {"a directory", [](const fs::path& file) { return fs::remove(file) && fs::create_directory(file); },
         kFileAccess, std::nullopt},
        {"a named pipe without writer",
         [](const fs::path& file) { return fs::remove(file) && ::mkfifo(file.c_str(), 0600) == 0; }, kFileAccess,
         std::nullopt},
        {"cut after line " + std::to_string(shortLines),
         [=](const fs::path& file) { return Write(file, Joined(lines.mid(0, shortLines))); }, kInputPastEnd,
         shortLines},
        // Bytes the system's code page cannot hold: some run-time error.
        {"not UTF-8 on line " + std::to_string(badLine),
         [=](const fs::path& file) {
             QList<QByteArray> spoilt = lines;
             spoilt[badLine - 1].insert(1, "\xFF");
             return Write(file, Joined(spoilt));
         },
         std::nullopt, badLine},
        {"random bytes", [=](const fs::path& file) { return Write(file, noise); }, std::nullopt, noiseLine},
    };
}

// The first run-time error the program wrote to standard error, waiting for
// it; nothing when none came in time.
std::optional<std::string> FatalMessage(const QuorvaneRun& run)
{
    std::optional<std::string> message;
    WaitUntil([&] {
        const std::string errors = run.Errors();
        const size_t start = errors.find("Run-time error");
        const size_t end = errors.find('\n', start);
        if (start != std::string::npos && end != std::string::npos) {
            message = errors.substr(start, end - start);
        }
        return message.has_value();
    });
    return message;
}

// Runs the program on the scratch data: the start-up must end within the
// limit with a message naming the file (and the line), shown in a message
// box that waits for the user; dismissed, it leaves no window behind and a
// failure status.
void CheckStartUpFails(const XSession& session, const ScratchData& data, const std::string& file,
                       const Spoiling& spoiling)
{
    SCOPED_TRACE(file + " " + spoiling.what);
    const auto start = Clock::now();
    QuorvaneRun run(session, "C", data.Path());
    const auto message = FatalMessage(run);
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    ASSERT_TRUE(message) << "no run-time error; standard error:\n" << run.Errors();
    std::cout << "  " << file << " " << spoiling.what << ": " << elapsed.count() << " ms to \"" << *message
              << "\"\n";
    EXPECT_LT(elapsed, kStartLimit) << *message;
    EXPECT_NE(message->find(file), std::string::npos) << *message;
    if (spoiling.error) {
        EXPECT_EQ(message->rfind("Run-time error '" + std::to_string(*spoiling.error) + "'", 0), 0u) << *message;
    }
    if (spoiling.line) {
        const QRegularExpression line(QString("\\bline %1\\b").arg(*spoiling.line));
        EXPECT_TRUE(line.match(QString::fromStdString(*message)).hasMatch()) << *message;
    }

    std::optional<WindowId> messageBox;
    WaitUntil([&] { return (messageBox = run.MessageBox()).has_value(); });
    ASSERT_TRUE(messageBox) << "no message box";
    EXPECT_TRUE(run.RunsFor(200ms)) << "the program did not wait for the message box";
    EXPECT_EQ(run.Windows(), std::vector<WindowId>{*messageBox}) << "more than the message box on screen";

    EXPECT_TRUE(run.DismissMessageBoxAndFail(*messageBox));
}

void CheckFailures(const std::string& file, int shortLines, int badLine)
{
    XSession session(SideBySide());
    for (const Spoiling& spoiling : SpoilingsOf(file, shortLines, badLine)) {
        if (spoiling.what == "without read permission" && ::geteuid() == 0) {
            // Root reads a file whatever its mode; "failing every read" stands in.
            std::cout << "  " << file << " " << spoiling.what << ": skipped, root reads it anyway\n";
            continue;
        }
        ScratchData data;
        ASSERT_TRUE(spoiling.spoil(data.File(file))) << "cannot spoil " << file << " as " << spoiling.what;
        CheckStartUpFails(session, data, file, spoiling);
    }
}

// Line 1 is only a heading, line 3 an entry read before any match.
TEST(TextFile, SpoiltLanguageCodeFileEndsStartUpWithMessage)
{
    CheckFailures("LcLCFile.txt", 1, 3);
}

// One line short of the seven blocks of 74 lines; line 300 lies in block 5.
TEST(TextFile, SpoiltCatalogueEndsStartUpWithMessage)
{
    CheckFailures("LcdTFile.txt", 517, 300);
}

// How long the program takes until the dialog shows `title`, watched on the
// window tree, which answers faster than a window search.
std::optional<std::chrono::milliseconds> TimeToDialog(const XSession& session, Clock::time_point start,
                                                      const std::string& title)
{
    const QByteArray quoted = "\"" + QByteArray::fromStdString(title) + "\"";
    if (!WaitUntil([&] { return session.Run({"xwininfo", "-root", "-tree"}).value_or("").contains(quoted); })) {
        return std::nullopt;
    }
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

// A line of 10 MB where the program ignores it or keeps only its start.
struct LongLine {
    std::string what;
    std::string file;
    int line;  // replaced, or inserted before when `insert`
    bool insert;
    QByteArray text;
    QString locale;
    std::string title;  // of step 1, as the dialog must show it
};

TEST(TextFile, TenMegabyteLinesAreReadInTime)
{
    const QByteArray ascii(kLongLine, 'x');
    QByteArray accented;
    while (accented.size() < kLongLine) {
        accented += "\xC3\xA4";  // ä
    }
    const std::string longTitle = "Long title, cut after its 30th character";
    const std::vector<LongLine> cases = {
        // The first line of a block is never shown.
        {"first line of the English block", "LcdTFile.txt", 75, false, ascii, "C", StepTitle(1)},
        // A title keeps its first 30 characters.
        {"title of step 1 in English", "LcdTFile.txt", 86, false, longTitle.c_str() + accented, "C",
         longTitle.substr(0, 30)},
        // The language code file is read only up to the matching entry, DEU on line 4.
        {"after the matching entry", "LcLCFile.txt", 5, true, "SVX=" + ascii, "de_DE.UTF-8",
         StepTitle(1, Language::Deutsch)},
        // A value that names no language: the matching line's number still chooses it.
        {"value of the matching entry", "LcLCFile.txt", 4, false, "DEU=" + ascii, "de_DE.UTF-8",
         StepTitle(1, Language::Deutsch)},
    };
    XSession session(SideBySide());
    for (const LongLine& longLine : cases) {
        SCOPED_TRACE(longLine.file + ", " + longLine.what);
        ScratchData data;
        QList<QByteArray> lines = SampleLines(longLine.file);
        if (longLine.insert) {
            lines.insert(longLine.line - 1, longLine.text + "\r\n");
        } else {
            lines[longLine.line - 1] = longLine.text + "\r\n";
        }
        ASSERT_TRUE(Write(data.File(longLine.file), Joined(lines)));

        const auto start = Clock::now();
        QuorvaneRun run(session, longLine.locale, data.Path());
        const auto elapsed = TimeToDialog(session, start, longLine.title);
        ASSERT_TRUE(elapsed) << "the dialog does not show \"" << longLine.title << "\"; standard error:\n"
                             << run.Errors();
        std::cout << "  " << longLine.file << ", " << longLine.what << ": dialog after " << elapsed->count()
                  << " ms\n";
        EXPECT_LT(*elapsed, kStartLimit);
        EXPECT_TRUE(run.DialogShows(longLine.title));
        EXPECT_TRUE(run.TestWindow());
        ASSERT_TRUE(run.DialogHasFocus());
        session.PressKey("Escape");
        EXPECT_EQ(run.WaitForExit(), 0);
    }
}

}  // namespace
}  // namespace quorvane::e2e
