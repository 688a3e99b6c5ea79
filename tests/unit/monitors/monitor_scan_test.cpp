#include <gtest/gtest.h>

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
    const MonitorDesc primary = FakeMonitor(kPrimary, 0, 0, 1024, 768, true);
    const ScanCase cases[] = {
        // Columns -1024 to 1536 (the limit is the width, 2048), rows 0 and 480.
        {"left of the primary", {primary, FakeMonitor(kSecond, -1024, 0, 1024, 768)}, {kSecond, kPrimary}, 10},
        {"too small for a probe point", {primary, FakeMonitor(kSecond, 1024, 0, 320, 240)}, {kPrimary}, -1},
        // The probe point x + 320 overflows; the step x + 640 overflows after
        // a last probe at 2147483640. What was found before stays.
        {"probe point overflows",
         {FakeMonitor(kPrimary, 0, 1, 640, 478, true), FakeMonitor(kSecond, 0, 0, kMaxLong, 1)}, {kPrimary},
         kMaxLong / 640},
        {"step overflows",
         {FakeMonitor(kPrimary, -200, 1, 640, 478, true), FakeMonitor(kSecond, -200, 0, kMaxLong, 1)}, {kPrimary},
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

// Information refused for handle -1 keeps the handle with zero rectangles;
// missing, or failing with another error, it leaves the record blank.
TEST(MonitorScan, FailingProbesCountAsOneMonitorUnderKeyMinusOne)
{
    for (int variant = 0; variant < 3; ++variant) {
        SCOPED_TRACE(variant);
        FakeOs os;
        ScopedOs scoped(os);
        os.SetMonitors(testing::PrimaryAndRightMonitor());
        if (variant == 1) {
            os.MakeMissing(OsCall::MonitorFromRect);
            os.MakeMissing(OsCall::GetMonitorInfoA);
        } else {
            os.MakeFailing(OsCall::MonitorFromRect, kInvalidCall);
        }
        if (variant == 2) {
            os.MakeFailing(OsCall::GetMonitorInfoA, kInvalidCall);
        }
        clsMonitors list;
        ASSERT_EQ(list.Monitors().Count(), 1);
        std::vector<int32_t> fields(11, 0);
        fields[0] = variant == 0 ? -1 : 0;
        EXPECT_EQ(FieldsOf(*list.Monitors().Item("-1")), fields);
        if (variant == 0) {
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
