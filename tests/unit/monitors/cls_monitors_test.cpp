#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <tuple>
#include <utility>

#include "monitors/cls_monitors.h"
#include "platform/fake/fake_os.h"
#include "platform/run_time_error.h"
#include "platform/window_ref.h"

namespace quorvane {
namespace {

constexpr int32_t kPrimary = 0x10001;
constexpr int32_t kSecond = 0x10002;
constexpr int32_t kMaxLong = std::numeric_limits<int32_t>::max();

// Primary 1024 x 768 at (0, 0), a 1280 x 1024 monitor to its right.
std::vector<MonitorDesc> PrimaryAndRight()
{
    return {FakeMonitor(kPrimary, 0, 0, 1024, 768, true), FakeMonitor(kSecond, 1024, 0, 1280, 1024)};
}

// Handle, monitor and work rectangles (left, top, right, bottom), width, height.
std::vector<int32_t> FieldsOf(const clsMonitor& r)
{
    return {r.Handle(),  r.Left(),      r.Top(),         r.Right(), r.Bottom(), r.WorkLeft(),
            r.WorkTop(), r.WorkRight(), r.WorkBottom(), r.Width(), r.Height()};
}

std::vector<int32_t> HandlesOf(clsMonitors& list)
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

struct MonitorsTest : ::testing::Test {
    FakeOs os;
    ScopedOs scoped{os};
};

// Two monitors take 4 x 3 probes and are listed once in probe order. Desktop
// values are read on every access; Refresh builds the list anew.
TEST_F(MonitorsTest, TheScanListsEachMonitorOnceOrThePrimaryScreenWithoutMonitorCount)
{
    auto monitors = PrimaryAndRight();
    monitors[1].work.bottom = 994;  // a taskbar
    os.SetMonitors(monitors);
    clsMonitors list;
    EXPECT_EQ(os.CallCount(OsCall::MonitorFromRect), 12);
    EXPECT_EQ(HandlesOf(list), (std::vector<int32_t>{kPrimary, kSecond}));
    const auto second = list.Monitors().Item(MonitorKey(kSecond));
    EXPECT_EQ(FieldsOf(*second), (std::vector<int32_t>{kSecond, 1024, 0, 2304, 1024, 1024, 0, 2304, 994, 1280, 1024}));
    EXPECT_EQ(DesktopOf(list), (std::vector<int32_t>{0, 0, 2304, 1024}));
    os.SetMonitors({FakeMonitor(kPrimary, -640, -480, 640, 480, true)});
    EXPECT_EQ(DesktopOf(list), (std::vector<int32_t>{-640, -480, 640, 480}));
    list.Refresh();
    EXPECT_EQ(FieldsOf(*list.Monitors().Item(1)),
        (std::vector<int32_t> {kPrimary, -640, -480, 0, 0, -640, -480, 0, 0, 640, 480}));

    // Twips and factors are rounded halves to even, then divided truncating.
    os.SetMonitorCount(0);
    os.SetScreen({12000, 9000, 15, 15});
    list.Refresh();
    EXPECT_EQ(
        FieldsOf(*list.Monitors().Item("0")), (std::vector<int32_t> {0, 0, 0, 800, 600, 0, 0, 800, 600, 800, 600}));
    EXPECT_EQ(list.Monitors().Count(), 1);
    os.SetScreen({12007.5, 9000, 14.5, 15.5});
    EXPECT_EQ(DesktopOf(list), (std::vector<int32_t>{0, 0, 12008 / 14, 9000 / 16}));
}

// A failing probe is monitor -1; overflow ends the scan, keeping what was found.
// Information refused for -1 keeps the handle with zero rectangles; missing or
// failing, it leaves records blank. Without the monitor count the scan ends.
TEST(MonitorScan, ProbeGridAndFailuresDecideWhatIsFound)
{
    const MonitorDesc primary = FakeMonitor(kPrimary, 0, 0, 1024, 768, true);
    const std::vector<MonitorDesc> huge {
        FakeMonitor(kPrimary, 0, 1, 640, 478, true), FakeMonitor(kSecond, 0, 0, kMaxLong, 1)};
    const std::vector<MonitorDesc> shifted{FakeMonitor(kPrimary, -200, 1, 640, 478, true),
                                           FakeMonitor(kSecond, -200, 0, kMaxLong, 1)};
    // Monitors, functions missing, functions failing, handles found, probes.
    const std::tuple<std::vector<MonitorDesc>, std::vector<OsCall>, std::vector<OsCall>, std::vector<int32_t>, int>
        cases[] = {
            // Columns -1024 to 1536 (the limit is the width, 2048), rows 0 and 480.
            {{primary, FakeMonitor(kSecond, -1024, 0, 1024, 768)}, {}, {}, {kSecond, kPrimary}, 10},
            {{primary, FakeMonitor(kSecond, 1024, 0, 320, 240)}, {}, {}, {kPrimary}, 6}, // missed by every probe
            // The probe point x + 320 overflows, or the step x + 640 after a last
            // probe at 2147483640; what was found before stays.
            {huge, {}, {}, {kPrimary}, kMaxLong / 640},
            {shifted, {}, {}, {kPrimary}, (kMaxLong - 320 + 200) / 640 + 1},
            {PrimaryAndRight(), {}, {OsCall::MonitorFromRect}, {-1}, 12},
            {PrimaryAndRight(), {OsCall::MonitorFromRect, OsCall::GetMonitorInfoA}, {}, {0}, 12},
            {PrimaryAndRight(), {OsCall::GetMonitorInfoA}, {}, {0, 0}, 12},
            {PrimaryAndRight(), {}, {OsCall::GetSystemMetrics}, {}, 0},
        };
    for (const auto& c : cases) {
        const auto& [monitors, missing, failing, handles, probes] = c;
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        FakeOs os;
        ScopedOs scoped(os);
        os.SetMonitors(monitors);
        for (OsCall call : missing) {
            os.MakeMissing(call);
        }
        for (OsCall call : failing) {
            os.MakeFailing(call, kInvalidCall);
        }
        clsMonitors list;
        EXPECT_EQ(HandlesOf(list), handles);
        EXPECT_EQ(os.CallCount(OsCall::MonitorFromRect), probes);
        if (handles.size() == 1 && probes == 12) {
            EXPECT_EQ(FieldsOf(*list.Monitors().Item("-1")),
                (std::vector<int32_t> {handles[0], 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        }
    }
}

// A window of a given size in twips that records where it was moved.
struct TestWindow final : WindowRef {
    TestWindow(int64_t handle, double width, double height) : handle(handle), width(width), height(height) {}
    int64_t hWnd() const override { return handle; }
    double Width() const override { return width; }
    double Height() const override { return height; }
    void Move(double left, double top) override { movedTo = {left, top}; }
    int64_t handle;
    double width, height;
    std::optional<std::pair<double, double>> movedTo;
};
using Position = std::optional<std::pair<double, double>>;

struct CenterFormTest : MonitorsTest {
    // Primary with a 60-pixel taskbar at the left; the right monitor at
    // y = 100 with a 30-pixel taskbar at the bottom, under window 0x2001.
    CenterFormTest()
    {
        auto monitors = PrimaryAndRight();
        monitors[0].work.left = 60;
        monitors[1] = FakeMonitor(kSecond, 1024, 100, 1280, 1024);
        monitors[1].work.bottom = 1094;
        os.SetMonitors(monitors);
        os.SetWindowRect(0x2001, {1200, 200, 1600, 400});
    }

    Position Centre(double width, double height, int64_t reference = 0)
    {
        TestWindow form(0x3001, width, height);
        const TestWindow referenceForm(reference, 6000, 4500);
        EXPECT_EQ(clsMonitors().CenterFormOnMonitor(form, reference == 0 ? nullptr : &referenceForm), 0);
        return form.movedTo;
    }
};

// The box has the work area's size at the monitor's corner: the left
// taskbar pulls the window 900 twips left of the work area's centre.
TEST_F(CenterFormTest, CentresInTheWorkAreaSizedBoxAtTheMonitorCornerOrThePrimaryScreen)
{
    EXPECT_EQ(Centre(3000, 2000, int64_t{1} << 40), std::nullopt);  // no 32-bit handle, no call
    EXPECT_EQ(os.CallCount(OsCall::MonitorFromWindow), 0);
    EXPECT_EQ(Centre(4800, 3600, 0x2001), Position({15360 + 7200, 1500 + 5655}));  // work area 19200 x 14910
    EXPECT_EQ(Centre(3000, 2000), Position({5730, 4760}));                         // work area 14460 x 11520
    EXPECT_EQ(Centre(3001, 2000)->first, 5729);    // 11459 \ 2
    EXPECT_EQ(Centre(15001, 2000)->first, -270);   // -541 \ 2
    EXPECT_EQ(Centre(3000.5, 2000)->first, 5730);  // 11459.5 rounds to 11460
    EXPECT_EQ(Centre(3001.5, 2000)->first, 5729);  // 11458.5 rounds to 11458

    // Without a monitor or its functions on the primary screen, else unmoved.
    os.SetScreen({16000, 12000, 15, 15});
    EXPECT_EQ(Centre(3000, 2000, 0x2002), Position({6500, 5000}));  // the system knows no monitor for it
    os.MakeFailing(OsCall::MonitorFromWindow, kInvalidCall);
    EXPECT_EQ(Centre(3000, 2000, 0x2001), Position({6500, 5000}));
    os.MakeFailing(OsCall::GetMonitorInfoA, kInvalidCall);
    EXPECT_EQ(Centre(3000, 2000), std::nullopt);
    os.MakeMissing(OsCall::GetMonitorInfoA);
    EXPECT_EQ(Centre(3001, 2001), Position({6499, 4999}));
    os.MakeMissing(OsCall::MonitorFromWindow);  // its -1 is no monitor
    os.Restore(OsCall::GetMonitorInfoA);
    EXPECT_EQ(Centre(3000, 2000, 0x2001), std::nullopt);
}

}  // namespace
}  // namespace quorvane
