#pragma once

#include "monitors/cls_monitor.h"
#include "startup/program_state.h"

namespace quorvane {

// Makes the record's monitor the target rectangle: Left, Top, Right, Bottom,
// then width and height read again from the record (32-bit checked).
void SetTargetRectangle(ProgramState& state, const clsMonitor& record);

}  // namespace quorvane
