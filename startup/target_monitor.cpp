#include "startup/target_monitor.h"

#include "platform/checked_arith.h"

namespace quorvane {

void SetTargetRectangle(ProgramState& state, const clsMonitor& record)
{
    state.TargetLeft = record.Left();
    state.TargetTop = record.Top();
    state.TargetRight = record.Right();
    state.TargetBottom = record.Bottom();
    state.TargetWidth = arith::Sub(record.Right(), record.Left());
    state.TargetHeight = arith::Sub(record.Bottom(), record.Top());
}

}  // namespace quorvane
