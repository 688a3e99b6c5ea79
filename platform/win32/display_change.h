#pragma once

namespace quorvane {

// Every message of a top-level window comes here: after one that tells of a
// change of the display, the settings or the DPI, Win32Os asks the system
// again for what it keeps of the display.
void HearDisplayChange(unsigned int message);

}  // namespace quorvane
