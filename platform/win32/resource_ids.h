#pragma once

// Shared by the resource script and the code that loads the resources.
#define QUORVANE_ICON 1
