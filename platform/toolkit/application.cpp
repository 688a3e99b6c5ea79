#include "platform/toolkit/application.h"

#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstdlib>

#include "platform/toolkit/monitor_icon.h"
#include "platform/toolkit/program.h"

namespace quorvane::toolkit {

namespace {

int argumentCount = 1;
char programName[] = "quorvane";
char* arguments[] = {programName, nullptr};

// A fatal condition inside Qt (no display, no platform plugin) ends the
// program with a message and status 1 instead of an abort.
void HandleQtMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    std::fprintf(stderr, "quorvane: %s\n", message.toLocal8Bit().constData());
    if (type == QtFatalMsg) {
        std::fflush(nullptr);
        std::_Exit(1);
    }
}

}  // namespace

Application::Application()
{
    // Geometry and drawing in device pixels; twips per pixel follow the screen's DPI.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qInstallMessageHandler(HandleQtMessage);
    // The program takes no command-line arguments, so Qt sees none either.
    app_ = std::make_unique<QApplication>(argumentCount, arguments);
    app_->setQuitOnLastWindowClosed(false);
    app_->setWindowIcon(MonitorIcon());
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans CJK")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("DejaVu Sans")});
}

Application::~Application() = default;

int Application::Run(const std::function<void()>& start)
{
    RunHandler(start);
    return app_->exec();
}

}  // namespace quorvane::toolkit
