#pragma once

#include "pattern/frm_test_form.h"

namespace quorvane::MODULE11 {

// Draws the pattern of the current step on the test window and writes the
// step's title and instructions into the guide dialog.
void DrawTestPattern(frmTestForm& window);

}  // namespace quorvane::MODULE11
