#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "monitor_test_support.h"
#include "monitors/cls_monitors.h"
#include "platform/window_ref.h"

namespace quorvane {
namespace {

// A window of a given size in twips that records where it was moved.
class TestWindow final : public WindowRef {
public:
    TestWindow(int64_t handle, double width, double height) : handle_(handle), width_(width), height_(height) {}

    int64_t hWnd() const override { return handle_; }
    double Width() const override { return width_; }
    double Height() const override { return height_; }
    void Move(double left, double top) override { movedTo_ = {left, top}; }

    std::optional<std::pair<double, double>> MovedTo() const { return movedTo_; }

private:
    int64_t handle_;
    double width_;
    double height_;
    std::optional<std::pair<double, double>> movedTo_;
};

using Position = std::optional<std::pair<double, double>>;
Position At(double left, double top) { return std::make_pair(left, top); }

// Primary 1024 x 768 with a 60-pixel taskbar at the left; the 1280 x 1024
// monitor to its right has a 30-pixel taskbar at the bottom.
std::vector<MonitorDesc> MonitorsWithTaskbars()
{
    auto monitors = testing::PrimaryAndRightMonitor();
    monitors[0].work.left = 60;
    monitors[1].work.bottom = 994;
    return monitors;
}

class CenterFormOnMonitorTest : public ::testing::Test {
protected:
    CenterFormOnMonitorTest() { os.SetMonitors(MonitorsWithTaskbars()); }

    Position Centre(double width, double height, const WindowRef* reference = nullptr)
    {
        TestWindow form(0x3001, width, height);
        EXPECT_EQ(list.CenterFormOnMonitor(form, reference), 0);
        return form.MovedTo();
    }

    FakeOs os;
    ScopedOs scoped{os};
    clsMonitors list;
};

TEST_F(CenterFormOnMonitorTest, CentresInTheWorkAreaSizedBoxAtTheMonitorCorner)
{
    os.SetWindowRect(0x2001, {1200, 100, 1600, 400});
    const TestWindow reference(0x2001, 6000, 4500);
    // Work area 19200 x 14910 twips on the right monitor.
    EXPECT_EQ(Centre(4800, 3600, &reference), At(15360 + 7200, 0 + 5655));

    // Without a reference the primary monitor is used, wherever the window is;
    // the left taskbar pulls the window 900 twips left of the work area's centre.
    os.SetWindowRect(0x3001, {1200, 100, 1600, 400});
    EXPECT_EQ(Centre(3000, 2000), At(5730, 4760));
}

TEST_F(CenterFormOnMonitorTest, HalvingRoundsThenTruncatesTowardZero)
{
    // The primary's work area is 14460 twips wide.
    EXPECT_EQ(Centre(3001, 2000).value().first, 5729);     // 11459 \ 2
    EXPECT_EQ(Centre(15001, 2000).value().first, -270);    // -541 \ 2
    EXPECT_EQ(Centre(3000.5, 2000).value().first, 5730);   // 11459.5 rounds to 11460
    EXPECT_EQ(Centre(3001.5, 2000).value().first, 5729);   // 11458.5 rounds to 11458
}

TEST_F(CenterFormOnMonitorTest, MissingFunctionsOrNoMonitorCentreOnThePrimaryScreen)
{
    os.SetScreen({16000, 12000, 15, 15});
    const TestWindow unknown(0x2002, 6000, 4500);  // the system knows no monitor for it
    EXPECT_EQ(Centre(3000, 2000, &unknown), At(6500, 5000));

    os.SetWindowRect(0x2001, {1200, 100, 1600, 400});
    const TestWindow reference(0x2001, 6000, 4500);
    os.MakeFailing(OsCall::MonitorFromWindow, kInvalidCall);
    EXPECT_EQ(Centre(3000, 2000, &reference), At(6500, 5000));

    os.MakeMissing(OsCall::GetMonitorInfoA);
    EXPECT_EQ(Centre(3000, 2000), At(6500, 5000));
    // Without several-monitor support every monitor function is missing.
    os.MakeMissing(OsCall::MonitorFromRect);
    os.MakeMissing(OsCall::MonitorFromWindow);
    EXPECT_EQ(Centre(3001, 2001, &reference), At(6499, 4999));
}

TEST_F(CenterFormOnMonitorTest, OtherFailuresLeaveTheWindowWhereItIs)
{
    // A handle that does not fit in 32 bits.
    const TestWindow wide(int64_t{1} << 40, 6000, 4500);
    EXPECT_EQ(Centre(3000, 2000, &wide), std::nullopt);
    EXPECT_EQ(os.CallCount(OsCall::MonitorFromWindow), 0);

    // Monitor information refused for the -1 of a missing MonitorFromWindow.
    os.SetWindowRect(0x2001, {1200, 100, 1600, 400});
    const TestWindow reference(0x2001, 6000, 4500);
    os.MakeMissing(OsCall::MonitorFromWindow);
    EXPECT_EQ(Centre(3000, 2000, &reference), std::nullopt);

    os.MakeFailing(OsCall::GetMonitorInfoA, kInvalidCall);
    EXPECT_EQ(Centre(3000, 2000), std::nullopt);
}

}  // namespace
}  // namespace quorvane
