#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// Declared only: this header is included after the system's, whose macros
// clash with the services' constants.
namespace quorvane {
struct MonitorDesc;
}

// What the system says of the display, asked once and kept until one of the
// program's windows hears that the display, the settings or the DPI changed.
// The toolkit asks for the screen at every twips conversion, and under Wine
// each answer costs round trips to its server.
namespace quorvane::display_cache {

// GetSystemMetrics for the sizes of the screen and of the desktop and for
// the monitor count; nothing for other indices, which change unannounced.
std::optional<int32_t> Metric(int32_t index);
// The screen's logical resolution in dots per inch, across and down.
int DpiX();
int DpiY();
// In the system's order, the primary monitor first.
const std::vector<MonitorDesc>& Monitors();
// Every message of a top-level window: one of a change forgets all answers.
void Hear(unsigned int message);

}  // namespace quorvane::display_cache
