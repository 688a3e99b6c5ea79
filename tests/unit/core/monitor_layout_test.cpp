#include <gtest/gtest.h>

#include "platform/fake/fake_os.h"
#include "platform/monitor_layout.h"

namespace quorvane {
namespace {

constexpr int32_t kPrimary = 0x10001;
constexpr int32_t kSecond = 0x10002;

Rect Pixel(int32_t x, int32_t y) { return {x, y, x + 1, y + 1}; }

TEST(MonitorLayout, LargestIntersectionWins)
{
    const std::vector<MonitorDesc> monitors{FakeMonitor(kPrimary, 0, 0, 1024, 768, true),
                                            FakeMonitor(kSecond, 1024, 0, 1280, 1024)};
    EXPECT_EQ(MonitorFromRectIn(monitors, {1000, 0, 1100, 10}, MONITOR_DEFAULTTONULL), kSecond);  // 24 vs 76 columns
    EXPECT_EQ(MonitorFromRectIn(monitors, {974, 0, 1034, 10}, MONITOR_DEFAULTTONULL), kPrimary);  // 50 vs 10
    EXPECT_EQ(MonitorFromRectIn(monitors, {1014, 0, 1034, 10}, MONITOR_DEFAULTTONULL), kPrimary); // a tie: the first
    EXPECT_EQ(MonitorFromRectIn(monitors, Pixel(1023, 767), MONITOR_DEFAULTTONULL), kPrimary);
    EXPECT_EQ(MonitorFromRectIn(monitors, Pixel(1024, 767), MONITOR_DEFAULTTONULL), kSecond);     // right edge is exclusive
    EXPECT_EQ(MonitorFromRectIn(monitors, Pixel(100, 768), MONITOR_DEFAULTTONULL), 0);            // bottom edge too
}

TEST(MonitorLayout, FlagDecidesOutsideEveryMonitor)
{
    // The primary is not the first monitor of the list.
    const std::vector<MonitorDesc> monitors{FakeMonitor(kSecond, 1024, 0, 1280, 1024),
                                            FakeMonitor(kPrimary, 0, 0, 1024, 768, true)};
    const Rect outside = Pixel(5000, 5000);
    EXPECT_EQ(MonitorFromRectIn(monitors, outside, MONITOR_DEFAULTTONULL), 0);
    EXPECT_EQ(MonitorFromRectIn(monitors, outside, MONITOR_DEFAULTTOPRIMARY), kPrimary);
    EXPECT_EQ(MonitorFromRectIn(monitors, outside, MONITOR_DEFAULTTONEAREST), kSecond);
    EXPECT_EQ(MonitorFromRectIn(monitors, Pixel(100, 900), MONITOR_DEFAULTTONEAREST), kPrimary);  // 133 below it
    EXPECT_EQ(MonitorFromRectIn({}, outside, MONITOR_DEFAULTTOPRIMARY), 0);

    // Without a monitor marked primary the first one stands in.
    const std::vector<MonitorDesc> unmarked{FakeMonitor(kSecond, 1024, 0, 1280, 1024),
                                            FakeMonitor(kPrimary, 0, 0, 1024, 768)};
    EXPECT_EQ(MonitorFromRectIn(unmarked, outside, MONITOR_DEFAULTTOPRIMARY), kSecond);
}

TEST(MonitorLayout, NearestWithMonitorsAtNegativeCoordinates)
{
    const std::vector<MonitorDesc> monitors{FakeMonitor(kPrimary, 0, 0, 1024, 768, true),
                                            FakeMonitor(kSecond, -1024, -200, 1024, 768)};
    EXPECT_EQ(MonitorFromRectIn(monitors, Pixel(-5000, 100), MONITOR_DEFAULTTONEAREST), kSecond);
    EXPECT_EQ(MonitorFromRectIn(monitors, Pixel(-100, -300), MONITOR_DEFAULTTONEAREST), kSecond);
    EXPECT_EQ(MonitorFromRectIn(monitors, Pixel(-10, 700), MONITOR_DEFAULTTONEAREST), kPrimary);  // 10 left of it
    EXPECT_EQ(MonitorFromRectIn(monitors, Pixel(1100, -1000), MONITOR_DEFAULTTONEAREST), kPrimary);
    EXPECT_EQ(MonitorFromRectIn(monitors, Pixel(-500, 0), MONITOR_DEFAULTTONULL), kSecond);


    // Distances across the whole 32-bit range: squares beyond 64 bits.
    const std::vector<MonitorDesc> far{FakeMonitor(kPrimary, 0, 0, 1024, 768, true),
                                       FakeMonitor(kSecond, -2048, -1536, 1024, 768)};
    EXPECT_EQ(MonitorFromRectIn(far, Pixel(2147483646, 2147483646), MONITOR_DEFAULTTONEAREST), kPrimary);
    EXPECT_EQ(MonitorFromRectIn(far, Pixel(-2147483647 - 1, -2147483647 - 1), MONITOR_DEFAULTTONEAREST), kSecond);

    const Rect desktop = VirtualScreenOf(monitors);
    EXPECT_EQ(desktop, (Rect{-1024, -200, 1024, 768}));
    EXPECT_EQ(VirtualScreenOf({}), Rect{});
}

TEST(MonitorLayout, MonitorInfoNeedsTheRightSizeAndAKnownHandle)
{
    MonitorDesc primary = FakeMonitor(kPrimary, 0, 0, 1280, 1024, true);
    primary.work.bottom = 994;
    const std::vector<MonitorDesc> monitors{primary, FakeMonitor(kSecond, -1024, 0, 1024, 768)};

    MonitorInfo info;
    info.cbSize = 40;
    ASSERT_NE(MonitorInfoIn(monitors, kPrimary, info), 0);
    EXPECT_EQ(info.rcMonitor, (Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(info.rcWork, (Rect{0, 0, 1280, 994}));
    EXPECT_EQ(info.dwFlags, kMonitorInfoPrimary);
    ASSERT_NE(MonitorInfoIn(monitors, kSecond, info), 0);
    EXPECT_EQ(info.rcMonitor, (Rect{-1024, 0, 0, 768}));
    EXPECT_EQ(info.dwFlags, 0u);

    MonitorInfo unknown;
    unknown.cbSize = 40;
    EXPECT_EQ(MonitorInfoIn(monitors, -1, unknown), 0);
    EXPECT_EQ(unknown.rcMonitor, Rect{});

    for (uint32_t wrongSize : {0u, 39u, 41u, 72u}) {
        MonitorInfo wrong;
        wrong.cbSize = wrongSize;
        EXPECT_EQ(MonitorInfoIn(monitors, kPrimary, wrong), 0) << wrongSize;
        EXPECT_EQ(wrong.rcMonitor, Rect{}) << wrongSize;
    }
}

}  // namespace
}  // namespace quorvane
