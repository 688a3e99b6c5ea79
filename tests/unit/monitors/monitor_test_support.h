#pragma once

#include <cstdint>
#include <vector>

#include "monitors/cls_monitor.h"
#include "platform/fake/fake_os.h"
#include "platform/run_time_error.h"
#include "support/error_number.h"

namespace quorvane::testing {

constexpr int32_t kPrimary = 0x10001;
constexpr int32_t kSecond = 0x10002;

// Primary 1024 x 768 at (0, 0), a 1280 x 1024 monitor to its right: desktop 0, 0, 2304 x 1024.
inline std::vector<MonitorDesc> PrimaryAndRightMonitor()
{
    return {FakeMonitor(kPrimary, 0, 0, 1024, 768, true), FakeMonitor(kSecond, 1024, 0, 1280, 1024)};
}

// A record's fields: handle, monitor and work rectangles (left, top, right, bottom), width, height.
inline std::vector<int32_t> FieldsOf(const clsMonitor& record)
{
    return {record.Handle(),   record.Left(),      record.Top(),     record.Right(),
            record.Bottom(),   record.WorkLeft(),  record.WorkTop(), record.WorkRight(),
            record.WorkBottom(), record.Width(),   record.Height()};
}

}  // namespace quorvane::testing
