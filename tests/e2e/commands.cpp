#include "commands.h"

#include <QFile>

#include "child_process.h"
#include "session.h"

namespace quorvane::e2e {

QByteArray RunCommandChecked(const QProcessEnvironment& environment, const QStringList& command,
                             const QByteArray& input)
{
    ChildProcess process;
    process.setProcessEnvironment(environment);
    process.start(command.first(), command.mid(1));
    process.write(input);
    process.closeWriteChannel();
    const bool done = process.waitForFinished(10'000);
    Require(done && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
            "'" + command.join(' ').toStdString() + "' failed (" + process.errorString().toStdString() + ", status " +
                std::to_string(process.exitCode()) + "): " + process.readAllStandardError().toStdString());
    return process.readAllStandardOutput();
}

std::optional<QByteArray> RunCommand(const QProcessEnvironment& environment, const QStringList& command)
{
    try {
        return RunCommandChecked(environment, command);
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
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
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "";
}

}  // namespace quorvane::e2e
