#include "pattern/frm_test_form.h"
#include "platform/qt/qt_os.h"
#include "platform/toolkit/application.h"
#include "startup/program_windows.h"

int main()
{
    quorvane::toolkit::Application application;
    quorvane::QtOs os;
    quorvane::ScopedOs services(os);
    quorvane::ProgramWindows windows;
    return application.Run([] {
        quorvane::TestForm().Load();
        quorvane::TestForm().Show();
    });
}
