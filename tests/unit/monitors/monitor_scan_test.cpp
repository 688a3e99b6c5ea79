#include <gtest/gtest.h>

#include <limits>

#include "monitor_test_support.h"
#include "monitors/cls_monitors.h"

namespace quorvane {
namespace {

using testing::kPrimary;
using testing::kSecond;

constexpr int32_t kMaxLong = std::numeric_limits<int32_t>::max();

std::vector<int32_t> HandlesInOrder(clsMonitors& list)
{
    std::vector<int32_t> handles;
    for (int32_t position = 1; position <= list.Monitors().Count(); ++position) {
        handles.push_back(list.Monitors().Item(position)->Handle());
    }
    return handles;
}

TEST(MonitorScan, WithoutMonitorCountDescribesThePrimaryScreen)
{
    FakeOs os;
    ScopedOs scoped(os);
    os.SetMonitorCount(0);
    os.SetScreen({12000, 9000, 15, 15});

    clsMonitors list;
    ASSERT_EQ(list.Monitors().Count(), 1);
    const auto record = list.Monitors().Item("0");
    EXPECT_EQ(record->Handle(), 0);
    EXPECT_EQ(record->Left(), 0);
    EXPECT_EQ(record->Top(), 0);
    EXPECT_EQ(record->Right(), 800);
    EXPECT_EQ(record->Bottom(), 600);
    EXPECT_EQ(record->WorkLeft(), 0);
    EXPECT_EQ(record->WorkTop(), 0);
    EXPECT_EQ(record->WorkRight(), 800);
    EXPECT_EQ(record->WorkBottom(), 600);
    EXPECT_EQ(record->Width(), 800);
    EXPECT_EQ(record->Height(), 600);
    EXPECT_EQ(os.CallCount(OsCall::MonitorFromRect), 0);

    EXPECT_EQ(list.DesktopLeft(), 0);
    EXPECT_EQ(list.DesktopTop(), 0);
    EXPECT_EQ(list.DesktopWidth(), 800);
    EXPECT_EQ(list.DesktopHeight(), 600);

    // Twips and factors are rounded halves to even, then divided truncating.
    os.SetScreen({12007.5, 9000, 14.5, 15.5});
    EXPECT_EQ(list.DesktopWidth(), 12008 / 14);  // 857
    EXPECT_EQ(list.DesktopHeight(), 9000 / 16);  // 562
}

TEST(MonitorScan, TwoMonitorsTakeTwelveProbesAndAreListedOnceInProbeOrder)
{
    FakeOs os;
    ScopedOs scoped(os);
    os.SetMonitors(testing::PrimaryAndRightMonitor());

    clsMonitors list;
    EXPECT_EQ(os.CallCount(OsCall::MonitorFromRect), 12);  // 4 columns x 3 rows
    EXPECT_EQ(HandlesInOrder(list), (std::vector<int32_t>{kPrimary, kSecond}));
    const auto second = list.Monitors().Item(MonitorKey(kSecond));
    EXPECT_EQ(second->Left(), 1024);
    EXPECT_EQ(second->Right(), 2304);
    EXPECT_EQ(second->Bottom(), 1024);
    EXPECT_EQ(second->Width(), 1280);
    EXPECT_EQ(second->Height(), 1024);

    EXPECT_EQ(list.DesktopLeft(), 0);
    EXPECT_EQ(list.DesktopTop(), 0);
    EXPECT_EQ(list.DesktopWidth(), 2304);
    EXPECT_EQ(list.DesktopHeight(), 1024);

    // A refresh builds new records; a record taken earlier stays with its holder.
    list.Refresh();
    EXPECT_EQ(os.CallCount(OsCall::MonitorFromRect), 24);
    EXPECT_EQ(HandlesInOrder(list), (std::vector<int32_t>{kPrimary, kSecond}));
    EXPECT_NE(list.Monitors().Item(2), second);
    EXPECT_EQ(second->Width(), 1280);
}

TEST(MonitorScan, MonitorLeftOfThePrimaryComesFirst)
{
    FakeOs os;
    ScopedOs scoped(os);
    os.SetMonitors({FakeMonitor(kPrimary, 0, 0, 1024, 768, true), FakeMonitor(kSecond, -1024, 0, 1024, 768)});

    clsMonitors list;
    // Columns -1024 to 1536 (the limit is the width, 2048), rows 0 and 480.
    EXPECT_EQ(os.CallCount(OsCall::MonitorFromRect), 10);
    EXPECT_EQ(HandlesInOrder(list), (std::vector<int32_t>{kSecond, kPrimary}));
    EXPECT_EQ(list.DesktopLeft(), -1024);
    EXPECT_EQ(list.DesktopWidth(), 2048);
    EXPECT_EQ(list.Monitors().Item(1)->Left(), -1024);
}

TEST(MonitorScan, MonitorWithoutAProbePointIsMissed)
{
    FakeOs os;
    ScopedOs scoped(os);
    os.SetMonitors({FakeMonitor(kPrimary, 0, 0, 1024, 768, true), FakeMonitor(kSecond, 1024, 0, 320, 240)});

    clsMonitors list;
    EXPECT_EQ(HandlesInOrder(list), (std::vector<int32_t>{kPrimary}));
}

TEST(MonitorScan, DesktopValuesAreReadOnEveryAccess)
{
    FakeOs os;
    ScopedOs scoped(os);
    clsMonitors list;
    EXPECT_EQ(list.DesktopWidth(), 1024);

    os.SetMonitors(testing::PrimaryAndRightMonitor());
    const int calls = os.CallCount(OsCall::GetSystemMetrics);
    EXPECT_EQ(list.DesktopWidth(), 2304);
    EXPECT_EQ(list.DesktopHeight(), 1024);
    EXPECT_EQ(os.CallCount(OsCall::GetSystemMetrics), calls + 4);  // monitor count and metric, twice
    EXPECT_EQ(list.Monitors().Count(), 1);                       // the list itself waits for Refresh
}

TEST(MonitorScan, FailingProbesCountAsOneMonitorUnderKeyMinusOne)
{
    // The monitor information fails for handle -1: handle kept, rectangles zero.
    {
        FakeOs os;
        ScopedOs scoped(os);
        os.SetMonitors(testing::PrimaryAndRightMonitor());
        os.MakeFailing(OsCall::MonitorFromRect, kInvalidCall);
        clsMonitors list;
        EXPECT_EQ(os.CallCount(OsCall::MonitorFromRect), 12);
        ASSERT_EQ(list.Monitors().Count(), 1);
        const auto record = list.Monitors().Item("-1");
        EXPECT_EQ(record->Handle(), -1);
        EXPECT_EQ(record->Right(), 0);
        EXPECT_EQ(record->WorkBottom(), 0);
        EXPECT_EQ(record->Width(), 0);
    }
    // The monitor information is missing: the record stays blank.
    {
        FakeOs os;
        ScopedOs scoped(os);
        os.MakeMissing(OsCall::MonitorFromRect);
        os.MakeMissing(OsCall::GetMonitorInfoA);
        clsMonitors list;
        ASSERT_EQ(list.Monitors().Count(), 1);
        EXPECT_EQ(list.Monitors().Item("-1")->Handle(), 0);
    }
    // The monitor information raises another error: the record stays blank too.
    {
        FakeOs os;
        ScopedOs scoped(os);
        os.MakeFailing(OsCall::MonitorFromRect, kInvalidCall);
        os.MakeFailing(OsCall::GetMonitorInfoA, kInvalidCall);
        clsMonitors list;
        ASSERT_EQ(list.Monitors().Count(), 1);
        EXPECT_EQ(list.Monitors().Item("-1")->Handle(), 0);
    }
}

TEST(MonitorScan, MissingMonitorInformationKeepsTheKeysOfRealMonitors)
{
    FakeOs os;
    ScopedOs scoped(os);
    os.SetMonitors(testing::PrimaryAndRightMonitor());
    os.MakeMissing(OsCall::GetMonitorInfoA);

    clsMonitors list;
    ASSERT_EQ(list.Monitors().Count(), 2);
    const auto record = list.Monitors().Item(MonitorKey(kSecond));
    EXPECT_EQ(record->Handle(), 0);  // untouched
    EXPECT_EQ(record->Width(), 0);
}

TEST(MonitorScan, OtherFailuresEndTheScanSilently)
{
    FakeOs os;
    ScopedOs scoped(os);
    os.MakeFailing(OsCall::GetSystemMetrics, kInvalidCall);
    clsMonitors list;
    EXPECT_EQ(list.Monitors().Count(), 0);
    EXPECT_EQ(os.CallCount(OsCall::MonitorFromRect), 0);
}

TEST(MonitorScan, OverflowNearTheLimitEndsTheScanKeepingWhatWasFound)
{
    // The probe point x + 320 overflows: a monitor found before it stays.
    {
        FakeOs os;
        ScopedOs scoped(os);
        os.SetMonitors({FakeMonitor(kPrimary, 0, 1, 640, 478, true), FakeMonitor(kSecond, 0, 0, kMaxLong, 1)});
        clsMonitors list;
        EXPECT_EQ(HandlesInOrder(list), (std::vector<int32_t>{kPrimary}));
        EXPECT_EQ(os.CallCount(OsCall::MonitorFromRect), kMaxLong / 640);
    }
    // The step x + 640 overflows after a last probe at 2147483640.
    {
        FakeOs os;
        ScopedOs scoped(os);
        os.SetMonitors({FakeMonitor(kPrimary, -200, 1, 640, 478, true), FakeMonitor(kSecond, -200, 0, kMaxLong, 1)});
        clsMonitors list;
        EXPECT_EQ(HandlesInOrder(list), (std::vector<int32_t>{kPrimary}));
        EXPECT_EQ(os.CallCount(OsCall::MonitorFromRect), (kMaxLong - 320 + 200) / 640 + 1);
    }
}

}  // namespace
}  // namespace quorvane
