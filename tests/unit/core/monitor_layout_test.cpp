#include <gtest/gtest.h>

#include <tuple>

#include "platform/fake/fake_os.h"
#include "platform/monitor_layout.h"

namespace quorvane {
namespace {

constexpr int32_t kPrimary = 0x10001;
constexpr int32_t kSecond = 0x10002;
constexpr int32_t kNull = MONITOR_DEFAULTTONULL;
constexpr int32_t kToPrimary = MONITOR_DEFAULTTOPRIMARY;
constexpr int32_t kNearest = MONITOR_DEFAULTTONEAREST;
constexpr int32_t kMin = -2147483647 - 1;

// The largest intersection wins, the first on a tie; edges right and bottom
// are exclusive. Outside every monitor the flag decides; distances may span
// the whole 32-bit range.
TEST(MonitorLayout, MonitorFromRectAsTheTableSays)
{
    // The primary at the right, listed second; the other above it at the left.
    const std::vector<MonitorDesc> monitors{FakeMonitor(kSecond, -1024, -200, 1024, 768),
                                            FakeMonitor(kPrimary, 0, 0, 1024, 768, true)};
    const std::tuple<Rect, int32_t, int32_t> cases[] = {
        {{-100, 0, 24, 10}, kNull, kSecond},  {{-10, 0, 100, 10}, kNull, kPrimary},
        {{-10, 0, 10, 10}, kNull, kSecond},   {{-1, 567, 0, 568}, kNull, kSecond},
        {{0, 567, 1, 568}, kNull, kPrimary},  {{-1, 568, 0, 569}, kNull, 0},
        {{5000, 5000, 5001, 5001}, kNull, 0}, {{5000, 5000, 5001, 5001}, kToPrimary, kPrimary},
        {{5000, 5000, 5001, 5001}, kNearest, kPrimary}, {{-5000, 100, -4999, 101}, kNearest, kSecond},
        {{-10, 700, -9, 701}, kNearest, kPrimary},     {{-100, -300, -99, -299}, kNearest, kSecond},
        {{2147483646, 2147483646, 2147483647, 2147483647}, kNearest, kPrimary},
        {{kMin, kMin, kMin + 1, kMin + 1}, kNearest, kSecond},
    };
    for (const auto& c : cases) {
        const auto& [rect, flags, expected] = c;
        EXPECT_EQ(MonitorFromRectIn(monitors, rect, flags), expected) << "case " << &c - cases;
    }
    // Without a monitor marked primary the first one stands in.
    const std::vector<MonitorDesc> unmarked {
        FakeMonitor(kSecond, 1024, 0, 1280, 1024), FakeMonitor(kPrimary, 0, 0, 1024, 768)};
    EXPECT_EQ(MonitorFromRectIn(unmarked, {5000, 5000, 5001, 5001}, kToPrimary), kSecond);
    EXPECT_EQ(MonitorFromRectIn({}, {0, 0, 1, 1}, kToPrimary), 0);
    EXPECT_EQ(VirtualScreenOf(monitors), (Rect{-1024, -200, 1024, 768}));
    EXPECT_EQ(VirtualScreenOf({}), Rect{});
}

// The fake answers as the system: only to the size of its structure.
TEST(MonitorLayout, MonitorInfoNeedsTheRightSizeAndAKnownHandle)
{
    std::vector<MonitorDesc> monitors {
        FakeMonitor(kSecond, -1024, 0, 1024, 768), FakeMonitor(kPrimary, 0, 0, 1280, 1024, true)};
    monitors[1].work.bottom = 994;
    for (const auto& [size, handle, result] :
        {std::tuple {40u, kPrimary, 1}, {40u, -1, 0}, {39u, kPrimary, 0}, {41u, kPrimary, 0}}) {
        MonitorInfo info;
        info.cbSize = size;
        EXPECT_EQ(MonitorInfoIn(monitors, handle, info), result) << size;
        EXPECT_EQ(info.rcWork, (result ? Rect{0, 0, 1280, 994} : Rect{})) << size;
        EXPECT_EQ(info.dwFlags, result ? kMonitorInfoPrimary : 0u) << size;
    }
}

}  // namespace
}  // namespace quorvane
