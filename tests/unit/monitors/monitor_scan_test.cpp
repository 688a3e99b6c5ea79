#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "monitor_test_support.h"
#include "monitors/cls_monitors.h"

namespace quorvane {
namespace {

using testing::FieldsOf;
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

std::vector<int32_t> DesktopOf(clsMonitors& list)
{
    return {list.DesktopLeft(), list.DesktopTop(), list.DesktopWidth(), list.DesktopHeight()};
}

TEST(MonitorScan, WithoutMonitorCountDescribesThePrimaryScreen)
{
    FakeOs os;
    ScopedOs scoped(os);
    os.SetMonitorCount(0);
    os.SetScreen({12000, 9000, 15, 15});

    clsMonitors list;
    ASSERT_EQ(list.Monitors().Count(), 1);
    EXPECT_EQ(FieldsOf(*list.Monitors().Item("0")), (std::vector<int32_t>{0, 0, 0, 800, 600, 0, 0, 800, 600, 800, 600}));
    EXPECT_EQ(os.CallCount(OsCall::MonitorFromRect), 0);
    EXPECT_EQ(DesktopOf(list), (std::vector<int32_t>{0, 0, 800, 600}));

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
    EXPECT_EQ(FieldsOf(*second),
              (std::vector<int32_t>{kSecond, 1024, 0, 2304, 1024, 1024, 0, 2304, 1024, 1280, 1024}));
    EXPECT_EQ(DesktopOf(list), (std::vector<int32_t>{0, 0, 2304, 1024}));

    // A refresh builds new records; a record taken earlier stays with its holder.
    list.Refresh();
    EXPECT_EQ(os.CallCount(OsCall::MonitorFromRect), 24);
    EXPECT_EQ(HandlesInOrder(list), (std::vector<int32_t>{kPrimary, kSecond}));
    EXPECT_NE(list.Monitors().Item(2), second);
    EXPECT_EQ(second->Width(), 1280);
}

struct ScanCase {
    const char* what;
    std::vector<MonitorDesc> monitors;
    std::vector<int32_t> handles;
    int probes;
};

TEST(MonitorScan, ProbeGridDecidesWhatIsFound)
{
    const ScanCase cases[] = {
        // Columns -1024 to 1536 (the limit is the width, 2048), rows 0 and 480.
        {"left of the primary",
         {FakeMonitor(kPrimary, 0, 0, 1024, 768, true), FakeMonitor(kSecond, -1024, 0, 1024, 768)},
         {kSecond, kPrimary},
         10},
        {"too small for a probe point",
         {FakeMonitor(kPrimary, 0, 0, 1024, 768, true), FakeMonitor(kSecond, 1024, 0, 320, 240)},
         {kPrimary},
         -1},
        // The probe point x + 320 overflows: the monitor found before it stays.
        {"probe point overflows",
         {FakeMonitor(kPrimary, 0, 1, 640, 478, true), FakeMonitor(kSecond, 0, 0, kMaxLong, 1)},
         {kPrimary},
         kMaxLong / 640},
        // The step x + 640 overflows after a last probe at 2147483640.
        {"step overflows",
         {FakeMonitor(kPrimary, -200, 1, 640, 478, true), FakeMonitor(kSecond, -200, 0, kMaxLong, 1)},
         {kPrimary},
         (kMaxLong - 320 + 200) / 640 + 1},
    };
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakeOs os;
        ScopedOs scoped(os);
        os.SetMonitors(c.monitors);
        clsMonitors list;
        EXPECT_EQ(HandlesInOrder(list), c.handles);
        if (c.probes >= 0) {
            EXPECT_EQ(os.CallCount(OsCall::MonitorFromRect), c.probes);
        }
    }
    FakeOs os;
    ScopedOs scoped(os);
    os.SetMonitors(cases[0].monitors);
    clsMonitors list;
    EXPECT_EQ(DesktopOf(list), (std::vector<int32_t>{-1024, 0, 2048, 768}));
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

struct FailureCase {
    const char* what;
    std::function<void(FakeOs&)> spoil;
    std::vector<int32_t> fields;  // of the only record, under key "-1"
};

TEST(MonitorScan, FailingProbesCountAsOneMonitorUnderKeyMinusOne)
{
    const std::vector<int32_t> blank(11, 0);
    std::vector<int32_t> handleOnly = blank;
    handleOnly[0] = -1;
    const FailureCase cases[] = {
        {"information refused for handle -1",
         [](FakeOs& os) { os.MakeFailing(OsCall::MonitorFromRect, kInvalidCall); }, handleOnly},
        {"information missing",
         [](FakeOs& os) {
             os.MakeMissing(OsCall::MonitorFromRect);
             os.MakeMissing(OsCall::GetMonitorInfoA);
         },
         blank},
        {"information raises another error",
         [](FakeOs& os) {
             os.MakeFailing(OsCall::MonitorFromRect, kInvalidCall);
             os.MakeFailing(OsCall::GetMonitorInfoA, kInvalidCall);
         },
         blank},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakeOs os;
        ScopedOs scoped(os);
        os.SetMonitors(testing::PrimaryAndRightMonitor());
        c.spoil(os);
        clsMonitors list;
        ASSERT_EQ(list.Monitors().Count(), 1);
        EXPECT_EQ(FieldsOf(*list.Monitors().Item("-1")), c.fields);
        if (c.fields == handleOnly) {
            EXPECT_EQ(os.CallCount(OsCall::MonitorFromRect), 12);  // a failure does not stop the scan
        }
    }
}

TEST(MonitorScan, OtherFailuresKeepKeysOrEndTheScanSilently)
{
    {
        // Missing information keeps the keys of real monitors, records untouched.
        FakeOs os;
        ScopedOs scoped(os);
        os.SetMonitors(testing::PrimaryAndRightMonitor());
        os.MakeMissing(OsCall::GetMonitorInfoA);
        clsMonitors list;
        ASSERT_EQ(list.Monitors().Count(), 2);
        EXPECT_EQ(FieldsOf(*list.Monitors().Item(MonitorKey(kSecond))), std::vector<int32_t>(11, 0));
    }
    FakeOs os;
    ScopedOs scoped(os);
    os.MakeFailing(OsCall::GetSystemMetrics, kInvalidCall);
    clsMonitors list;
    EXPECT_EQ(list.Monitors().Count(), 0);
    EXPECT_EQ(os.CallCount(OsCall::MonitorFromRect), 0);
}

}  // namespace
}  // namespace quorvane
