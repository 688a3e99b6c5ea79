#pragma once

namespace quorvane {

class frmTestForm;
class Form3;

// The two windows of the run, reachable from every handler.
frmTestForm& TestForm();
Form3& Guide();

// Creates both windows (unloaded) and makes them the run's windows for its lifetime.
class ProgramWindows {
public:
    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;
};

}  // namespace quorvane
