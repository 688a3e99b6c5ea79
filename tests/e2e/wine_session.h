#pragma once

#include "commands.h"
#include "xvfb_desktop.h"

namespace quorvane::e2e {

// The Windows program under Wine on the same X desktop: the language comes
// from the profile value sLanguage, the resolution from LogPixels, in a
// prefix that scripts/windows-e2e-setup made. Wine reads its monitors when
// its server starts, so monitors do not come and go while it runs, and its
// frames are a few pixels off the window manager's, so a window's exact
// place is not seen.
class WineSession : public XvfbDesktop {
public:
    static inline const Capabilities kCapabilities = {Capability::PrimaryChoice, Capability::ToolkitDpi};

    using XvfbDesktop::XvfbDesktop;

    bool ReadsUtf8Files() const override { return false; }

    // The server goes with the display it started on.
    ~WineSession() override { RunCommand(WineEnvironment(), {kWineServer, "-k"}); }

    void Start(ChildProcess& program, const Launch& launch) const override
    {
        const QString dpi = QString::number(Layout().dpi);
        for (const QStringList& value :
             {QStringList{"HKCU\\Control Panel\\International", "sLanguage", "REG_SZ", launch.language.windowsCode},
              QStringList{"HKCU\\Control Panel\\Desktop", "LogPixels", "REG_DWORD", dpi},
              QStringList{"HKLM\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts", "LogPixels",
                          "REG_DWORD", dpi}}) {
            RunCommandChecked(WineEnvironment(),
                              {kWine, "reg", "add", value[0], "/v", value[1], "/t", value[2], "/d", value[3], "/f"});
        }
        program.setProcessEnvironment(WineEnvironment());
        program.setWorkingDirectory(launch.workingDirectory);
        program.start(kWine, {QUORVANE_WINDOWS_EXE});
    }

private:
    static inline const QString kWine = "/usr/lib/wine/wine64";
    static inline const QString kWineServer = "/usr/lib/wine/wineserver";

    // One locale for every Wine command: Wine rewrites the profile's
    // language when the locale changes.
    QProcessEnvironment WineEnvironment() const
    {
        QProcessEnvironment environment = ClientEnvironment();
        environment.insert("WINEPREFIX", QUORVANE_WINE_PREFIX);
        environment.insert("WINEDEBUG", "-all");
        environment.insert("WINEDLLOVERRIDES", "mscoree,mshtml=");
        environment.insert("LC_ALL", "C.UTF-8");
        return environment;
    }
};

}  // namespace quorvane::e2e
