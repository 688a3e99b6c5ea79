#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "session.h"

namespace quorvane::e2e {

// An Xvfb of its own on a free display number with the layout's RandR
// monitors, the layout's Xft resolution and openbox, observed and driven with
// xdotool, xwininfo and ImageMagick. Whatever runs X clients on it, native
// or not, shares this; subclasses start the program.
class XvfbDesktop : public Session {
public:
    explicit XvfbDesktop(DesktopLayout layout);

    std::vector<Window> VisibleWindowsOf(qint64 pid) const override;
    std::optional<WindowGeometry> GeometryOf(WindowId window) const override;
    std::optional<WindowId> FocusedWindow() const override;
    QImage Screenshot(size_t monitor) const override;

    void Focus(WindowId window) const override;
    void PressKeys(const QStringList& keys) const override;
    void MovePointer(QPoint point) const override;
    void Click(QPoint point) const override;
    // The window manager puts the frame's or the client area's corner there,
    // as the window's gravity says.
    void MoveWindow(WindowId window, QPoint place) const override;
    void CloseWindow(WindowId window) const override;

    // The monitor "M1" carries the screen's output: while it is unplugged,
    // the automatic monitor covering the whole screen is back.
    void Plug(const QString& name, const QRect& area, bool primary) const override;
    void Unplug(const QString& name) const override;

protected:
    // This process's environment aimed at the display, without the settings
    // that would take Qt elsewhere or pick another language.
    QProcessEnvironment ClientEnvironment() const;
    // Runs a short command on the display: its standard output, or nothing
    // when it fails or does not end in time.
    std::optional<QByteArray> Run(const QStringList& command) const;
    // The same, throwing when the command fails, and feeding it `input`.
    QByteArray RunChecked(const QStringList& command, const QByteArray& input = {}) const;
    QString ScratchPath(const QString& name) const { return scratch_.filePath(name); }

private:
    QTemporaryDir scratch_;
    QString display_;
    ChildProcess server_;
    ChildProcess windowManager_;
};

}  // namespace quorvane::e2e
