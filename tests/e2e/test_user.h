#pragma once

#include <pwd.h>

#include <QDir>
#include <QTemporaryDir>

#include <filesystem>

#include "harness.h"

namespace quorvane::e2e {

// The user a Wayland desktop and the program run as: when this is root, which compositors refuse, one made the first
// time, with copies of the program and sample data it can reach (a build under /root is out of its reach). Either way
// with a runtime folder of their own.
class TestUser {
public:
    TestUser() {
        if (::geteuid() == 0) {
            const char* const user = "quorvane-e2e";  // another test may make it at the same moment
            if (!::getpwnam(user))
                TryRun(NeutralEnvironment(),
                    {"useradd", "--system", "--create-home", "--home-dir", QString("/var/lib/") + user, "--shell",
                        "/usr/sbin/nologin", user});
            const passwd* entry = ::getpwnam(user);
            Require(entry != nullptr, "cannot make the test user");
            home = QString::fromLocal8Bit(entry->pw_dir);
            account = Account{entry->pw_uid, entry->pw_gid};
        }
        Require(!account || ::chown(runtime.path().toLocal8Bit().constData(), account->uid, account->gid) == 0,
                "no runtime folder for the test user");
        if (!account) return;
        program_ = Path("quorvane");
        sampleData_ = Path("data");
        std::error_code failed;
        std::filesystem::copy_file(QUORVANE_EXE, program_.toStdString(), failed);
        if (!failed) std::filesystem::copy(QUORVANE_DATA_DIR, sampleData_.toStdString(), failed);
        Require(!failed, "cannot copy the program for the test user: " + failed.message());
    }

    QString Path(const QString& name) const { return runtime.filePath(name); }
    QProcessEnvironment Environment() const {
        QProcessEnvironment environment = NeutralEnvironment();
        environment.insert("HOME", home);
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        return environment;
    }
    // A file in the runtime folder, in folders made as needed; all the user's.
    void Write(const QString& name, const QString& text) const {
        QFile file(Path(name));
        bool written = QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly)
            && file.write(text.toUtf8()) == text.toUtf8().size() && file.flush();
        for (QString made = file.fileName(); account && made != runtime.path(); made = QFileInfo(made).path())
            written = written && ::chown(made.toLocal8Bit().constData(), account->uid, account->gid) == 0;
        Require(written, "cannot write " + file.fileName().toStdString());
    }
    // The program in `directory`, or in the copy of the sample data.
    void Start(ChildProcess& program, const QProcessEnvironment& environment, const QString& directory) const {
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(directory == QUORVANE_DATA_DIR ? sampleData_ : directory);
        program.start(program_, {});
    }
    // A message bus of the user's own at `name` in the runtime folder, which this process may use too.
    QString StartBus(ChildProcess& daemon, const QString& name) const {
        Write(name + ".conf", "<busconfig><include>/usr/share/dbus-1/session.conf</include>"
                              "<policy context=\"default\"><allow user=\"root\"/></policy></busconfig>");
        daemon.setProcessEnvironment(Environment());
        daemon.start("dbus-daemon", {"--nofork", "--config-file=" + Path(name + ".conf"),
                                        "--address=unix:path=" + Path(name)});
        Require(WaitUntil([&] { return QFile::exists(Path(name)) || daemon.waitForFinished(0); }, kFirstAppearance)
                    && daemon.state() != QProcess::NotRunning,
                "dbus-daemon does not start: " + daemon.readAllStandardError().toStdString());
        return "unix:path=" + Path(name);
    }

    std::optional<Account> account;
    QString home = QDir::homePath();
    QTemporaryDir runtime;  // XDG_RUNTIME_DIR, the user's own

private:
    QString program_ = QUORVANE_EXE, sampleData_ = QUORVANE_DATA_DIR;  // where the user can reach them
};

}  // namespace quorvane::e2e
