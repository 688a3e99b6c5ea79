#include "pattern/frm_test_form.h"
#include "platform/desktop_os.h"
#include "platform/toolkit/application.h"
#include "startup/program_windows.h"

int main()
{
    quorvane::toolkit::Application application;
    const auto os = quorvane::CreateDesktopOs();
    quorvane::ScopedOs services(*os);
    quorvane::ProgramWindows windows;
    return application.Run([] {
        quorvane::TestForm().Load();
        quorvane::TestForm().Show();
    });
}
