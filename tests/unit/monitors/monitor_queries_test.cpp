#include <gtest/gtest.h>

#include <limits>

#include "monitor_test_support.h"
#include "monitors/cls_monitors.h"

namespace quorvane {
namespace {

using testing::ErrorNumberOf;
using testing::kPrimary;
using testing::kSecond;

constexpr int32_t kMaxLong = std::numeric_limits<int32_t>::max();

TEST(MonitorFromPoint, FlagDecidesOutsideEveryMonitor)
{
    FakeOs os;
    ScopedOs scoped(os);
    // The primary listed second, so that "primary" is not simply "first".
    os.SetMonitors({FakeMonitor(kSecond, 1024, 0, 1280, 1024), FakeMonitor(kPrimary, 0, 0, 1024, 768, true)});
    clsMonitors list;

    EXPECT_EQ(list.GetMonitorFromXYPoint(1, 1, MONITOR_DEFAULTTOPRIMARY), kPrimary);
    EXPECT_EQ(list.GetMonitorFromXYPoint(1500, 900, MONITOR_DEFAULTTONULL), kSecond);
    EXPECT_EQ(list.GetMonitorFromXYPoint(5000, 5000, MONITOR_DEFAULTTONULL), 0);
    EXPECT_EQ(list.GetMonitorFromXYPoint(5000, 5000, MONITOR_DEFAULTTOPRIMARY), kPrimary);
    EXPECT_EQ(list.GetMonitorFromXYPoint(5000, 5000, MONITOR_DEFAULTTONEAREST), kSecond);
    EXPECT_EQ(list.GetMonitorFromXYPoint(-5000, 100, MONITOR_DEFAULTTONEAREST), kPrimary);
}

TEST(MonitorFromPoint, FailureIsMinusOneButOverflowReachesTheCaller)
{
    FakeOs os;
    ScopedOs scoped(os);
    clsMonitors list;

    os.MakeMissing(OsCall::MonitorFromRect);
    EXPECT_EQ(list.GetMonitorFromXYPoint(1, 1, MONITOR_DEFAULTTOPRIMARY), -1);
    os.MakeFailing(OsCall::MonitorFromRect, kInvalidCall);
    EXPECT_EQ(list.GetMonitorFromXYPoint(1, 1, MONITOR_DEFAULTTOPRIMARY), -1);

    const int calls = os.CallCount(OsCall::MonitorFromRect);
    EXPECT_EQ(ErrorNumberOf([&] { list.GetMonitorFromXYPoint(kMaxLong, 0, MONITOR_DEFAULTTONULL); }), kOverflow);
    EXPECT_EQ(ErrorNumberOf([&] { list.GetMonitorFromXYPoint(0, kMaxLong, MONITOR_DEFAULTTONULL); }), kOverflow);
    EXPECT_EQ(os.CallCount(OsCall::MonitorFromRect), calls);  // failed before asking

    os.Restore(OsCall::MonitorFromRect);
    EXPECT_EQ(list.GetMonitorFromXYPoint(kMaxLong - 1, kMaxLong - 1, MONITOR_DEFAULTTONULL), 0);
    EXPECT_EQ(list.GetMonitorFromXYPoint(kMaxLong - 1, kMaxLong - 1, MONITOR_DEFAULTTONEAREST), kPrimary);
}

TEST(MonitorFromWindow, MissingIsMinusOneOtherFailuresZero)
{
    FakeOs os;
    ScopedOs scoped(os);
    os.SetMonitors(testing::PrimaryAndRightMonitor());
    os.SetWindowRect(0x2001, {1200, 100, 1600, 400});
    clsMonitors list;

    EXPECT_EQ(list.GetMonitorFromWindow(0x2001, MONITOR_DEFAULTTOPRIMARY), kSecond);
    EXPECT_EQ(list.GetMonitorFromWindow(0x2002, MONITOR_DEFAULTTOPRIMARY), 0);  // no such window
    os.MakeMissing(OsCall::MonitorFromWindow);
    EXPECT_EQ(list.GetMonitorFromWindow(0x2001, MONITOR_DEFAULTTOPRIMARY), -1);
    os.Restore(OsCall::MonitorFromWindow);
    os.MakeFailing(OsCall::MonitorFromWindow, kInvalidCall);
    EXPECT_EQ(list.GetMonitorFromWindow(0x2001, MONITOR_DEFAULTTOPRIMARY), 0);
}

}  // namespace
}  // namespace quorvane
