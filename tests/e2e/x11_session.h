#pragma once

#include "xvfb_desktop.h"

namespace quorvane::e2e {

// The native program on X11: the language comes from the locale.
class X11Session : public XvfbDesktop {
public:
    static inline const Capabilities kCapabilities = {Capability::PrimaryChoice, Capability::WindowPlacement,
                                                      Capability::MonitorHotPlug, Capability::ToolkitDpi};

    using XvfbDesktop::XvfbDesktop;

    void Start(ChildProcess& program, const Launch& launch) const override
    {
        QProcessEnvironment environment = ClientEnvironment();
        environment.insert("LANG", launch.language.locale);
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(launch.workingDirectory);
        program.start(QUORVANE_EXE, {});
    }
};

}  // namespace quorvane::e2e
