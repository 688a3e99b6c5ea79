#include "commands.h"

#include <QFile>

#include <stdexcept>

#include "child_process.h"

namespace quorvane::e2e {
namespace {

constexpr int kCommandTimeoutMs = 10'000;

// True when the command ended in time with status 0.
bool RunToEnd(ChildProcess& process, const QProcessEnvironment& environment, const QStringList& command,
              const QByteArray& input)
{
    process.setProcessEnvironment(environment);
    process.start(command.first(), command.mid(1));
    process.write(input);
    process.closeWriteChannel();
    return process.waitForFinished(kCommandTimeoutMs) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

}  // namespace

std::optional<QByteArray> RunCommand(const QProcessEnvironment& environment, const QStringList& command,
                                     const QByteArray& input)
{
    ChildProcess process;
    if (!RunToEnd(process, environment, command, input)) {
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

QByteArray RunCommandChecked(const QProcessEnvironment& environment, const QStringList& command,
                             const QByteArray& input)
{
    ChildProcess process;
    if (!RunToEnd(process, environment, command, input)) {
        const std::string why = process.error() == QProcess::UnknownError
                                    ? "status " + std::to_string(process.exitCode())
                                    : process.errorString().toStdString();
        throw std::runtime_error("'" + command.join(' ').toStdString() + "' failed (" + why +
                                 "): " + process.readAllStandardError().toStdString());
    }
    return process.readAllStandardOutput();
}

QProcessEnvironment NeutralEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                             "QT_ENABLE_HIGHDPI_SCALING", "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_FONT_DPI", "DISPLAY",
                             "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR", "SWAYSOCK", "LC_ALL", "LC_MESSAGES", "LANGUAGE"}) {
        environment.remove(name);
    }
    environment.insert("LANG", "C.UTF-8");
    return environment;
}

std::string FileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

}  // namespace quorvane::e2e
