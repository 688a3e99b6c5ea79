#include "startup/program_windows.h"

#include <memory>

#include "guide/form3.h"
#include "pattern/frm_test_form.h"
#include "platform/run_time_error.h"

namespace quorvane {

namespace {
std::unique_ptr<frmTestForm> testForm;
std::unique_ptr<Form3> guide;
}  // namespace

frmTestForm& TestForm()
{
    if (!testForm) {
        throw RunTimeError(kInvalidCall, "the program's windows do not exist");
    }
    return *testForm;
}

Form3& Guide()
{
    if (!guide) {
        throw RunTimeError(kInvalidCall, "the program's windows do not exist");
    }
    return *guide;
}

ProgramWindows::ProgramWindows()
{
    testForm = std::make_unique<frmTestForm>();
    guide = std::make_unique<Form3>();
}

ProgramWindows::~ProgramWindows()
{
    guide.reset();
    testForm.reset();
}

}  // namespace quorvane
