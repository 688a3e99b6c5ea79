#include "platform/qt/qt_backend.h"

#include <QApplication>
#include <QFont>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "platform/qt/monitor_icon.h"
#include "platform/qt/qt_window.h"

namespace quorvane::qt {

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

QtBackend::QtBackend()
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

QtBackend::~QtBackend() = default;

std::unique_ptr<backend::NativeWindow> QtBackend::CreateWindow(backend::WindowStyle style,
                                                               backend::WindowEvents& events)
{
    return std::make_unique<QtWindow>(style, events);
}

void QtBackend::ProcessEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtBackend::Post(std::function<void()> task) { QTimer::singleShot(0, app_.get(), std::move(task)); }

void QtBackend::Run() { app_->exec(); }

void QtBackend::ShowFatalMessage(const std::string& message)
{
    QGuiApplication::restoreOverrideCursor();
    QMessageBox::critical(nullptr, QStringLiteral("Quorvane"), QString::fromStdString(message));
}

void QtBackend::Terminate(int exitCode)
{
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

}  // namespace quorvane::qt
