#pragma once

#include <QJsonObject>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <memory>

#include "session.h"
#include "virtual_pointer.h"

namespace quorvane::e2e {

// Headless sway with one output per monitor, HEADLESS-1, -2, …, and
// XWayland. sway refuses to run as root, so root runs it and the program as
// a user of their own. Windows are the tree's containers; keys come from
// wtype, the pointer from a virtual pointer, screenshots from grim.
class SwaySession : public Session {
public:
    static inline const Capabilities kCapabilities = {Capability::OutputScale};

    explicit SwaySession(DesktopLayout layout);

    std::optional<Account> ProgramAccount() const override { return account_; }
    void Start(ChildProcess& program, const Launch& launch) const override;

    std::vector<Window> VisibleWindowsOf(qint64 pid) const override;
    std::optional<WindowGeometry> GeometryOf(WindowId window) const override;
    std::optional<WindowId> FocusedWindow() const override;
    QImage Screenshot(size_t monitor) const override;

    void Focus(WindowId window) const override { SwayMessage({Criteria(window) + "focus"}); }
    void PressKeys(const QStringList& keys) const override;
    void MovePointer(QPoint point) const override { pointer_->MoveTo(point); }
    void Click(QPoint point) const override;
    void MoveWindow(WindowId window, QPoint place) const override;
    void CloseWindow(WindowId window) const override { SwayMessage({Criteria(window) + "kill"}); }

private:
    static QString Criteria(WindowId window) { return QString("[con_id=%1] ").arg(window); }
    // The environment of a client of this session.
    QProcessEnvironment ClientEnvironment() const;
    QByteArray SwayMessage(const QStringList& arguments) const;
    std::vector<QJsonObject> Containers() const;

    QString home_;  // first: filled while the account is looked up
    std::optional<Account> account_;
    QTemporaryDir runtime_;  // XDG_RUNTIME_DIR, the user's own
    QString waylandDisplay_;
    QString swaySocket_;
    QString xDisplay_;
    ChildProcess compositor_;
    ChildProcess idleKeyboard_;
    std::unique_ptr<VirtualPointer> pointer_;
};

}  // namespace quorvane::e2e
