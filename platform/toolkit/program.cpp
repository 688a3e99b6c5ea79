#include "platform/toolkit/program.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QList>
#include <cstdio>
#include <exception>

#include "platform/os_services.h"
#include "platform/run_time_error.h"
#include "platform/toolkit/form.h"

namespace quorvane::toolkit {

void RunHandler(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        Fatal(error.what());
    }
}

void Fatal(const std::string& message)
{
    Form::HideAll();
    std::fprintf(stderr, "quorvane: %s\n", message.c_str());
    Os().ShowFatalError(message);
    Os().EndProcess(1);
}

void DoEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void End() { Os().EndProcess(0); }

double TwipsPerPixelX() { return Os().Screen().twipsPerPixelX; }
double TwipsPerPixelY() { return Os().Screen().twipsPerPixelY; }

QString ToQString(const Text& text)
{
    const auto shown = text.substr(0, text.find(U'\0'));
    return QString::fromUcs4(shown.data(), static_cast<qsizetype>(shown.size()));
}

Text FromQString(const QString& text)
{
    const QList<uint> codePoints = text.toUcs4();
    return Text(codePoints.begin(), codePoints.end());
}

int KeyAscii(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Escape: return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return 8;
    default: break;
    }
    const QString text = event.text();
    if (text.isEmpty() || text.at(0).unicode() < 32 || text.at(0).unicode() == 127) {
        return -1;
    }
    return text.at(0).unicode();
}

}  // namespace quorvane::toolkit
