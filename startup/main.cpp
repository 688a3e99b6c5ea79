#include "pattern/frm_test_form.h"
#include "platform/desktop.h"
#include "platform/toolkit/program.h"
#include "startup/program_windows.h"

int main()
{
    const quorvane::Desktop desktop = quorvane::CreateDesktop();
    quorvane::backend::ScopedBackend windowSystem(*desktop.backend);
    quorvane::ScopedOs services(*desktop.os);
    quorvane::ProgramWindows windows;
    quorvane::toolkit::Run([] {
        quorvane::TestForm().Load();
        quorvane::TestForm().Show();
    });
    return 0;
}
