#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "monitors/cls_monitors.h"
#include "platform/monitor_layout.h"
#include "win32_os_test.h"

namespace quorvane {

void PrintTo(const Rect& r, std::ostream* out)
{
    *out << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}

namespace windows_tests {
namespace {

// The desktop that scripts/windows-tests gives Wine: two RandR monitors, the
// primary 1024 x 768 at (0, 0) and 1280 x 1024 to its right. Without a
// taskbar the work areas are the whole monitors.
const Rect kPrimaryArea{0, 0, 1024, 768};
const Rect kSecondArea{1024, 0, 2304, 1024};

Rect MonitorArea(const clsMonitor& m) { return {m.Left(), m.Top(), m.Right(), m.Bottom()}; }
Rect WorkArea(const clsMonitor& m) { return {m.WorkLeft(), m.WorkTop(), m.WorkRight(), m.WorkBottom()}; }

TEST_F(Win32OsTest, TheScanListsBothMonitorsInOrder)
{
    clsMonitors list;

    EXPECT_EQ(list.DesktopLeft(), 0);
    EXPECT_EQ(list.DesktopTop(), 0);
    EXPECT_EQ(list.DesktopWidth(), 2304);
    EXPECT_EQ(list.DesktopHeight(), 1024);

    ASSERT_EQ(list.Monitors().Count(), 2);
    const auto primary = list.Monitors().Item(1);
    const auto second = list.Monitors().Item(2);
    EXPECT_EQ(MonitorArea(*primary), kPrimaryArea);
    EXPECT_EQ(WorkArea(*primary), kPrimaryArea);
    EXPECT_EQ(primary->Width(), 1024);
    EXPECT_EQ(primary->Height(), 768);
    EXPECT_EQ(MonitorArea(*second), kSecondArea);
    EXPECT_EQ(WorkArea(*second), kSecondArea);
    EXPECT_EQ(second->Width(), 1280);
    EXPECT_EQ(second->Height(), 1024);

    EXPECT_NE(primary->Handle(), 0);
    EXPECT_NE(second->Handle(), primary->Handle());
    EXPECT_EQ(list.Monitors().Item(MonitorKey(primary->Handle())), primary);
    EXPECT_EQ(list.Monitors().Item(MonitorKey(second->Handle())), second);

    list.Refresh();  // the same monitors under the same keys, as new records
    ASSERT_EQ(list.Monitors().Count(), 2);
    EXPECT_EQ(list.Monitors().Item(1)->Handle(), primary->Handle());
    EXPECT_EQ(list.Monitors().Item(2)->Handle(), second->Handle());
}

TEST_F(Win32OsTest, PointQueriesAnswerAsTheFakeDoes)
{
    clsMonitors list;
    ASSERT_EQ(list.Monitors().Count(), 2);
    const int32_t primary = list.Monitors().Item(1)->Handle();
    const int32_t second = list.Monitors().Item(2)->Handle();
    // The fake's rules, given the same monitors.
    const std::vector<MonitorDesc> fake{{primary, kPrimaryArea, kPrimaryArea, true},
                                        {second, kSecondArea, kSecondArea, false}};

    struct Case {
        int32_t x, y, flags, expected;
    };
    const Case cases[] = {
        {1, 1, MONITOR_DEFAULTTONULL, primary},
        {1, 1, MONITOR_DEFAULTTOPRIMARY, primary},
        {1, 1, MONITOR_DEFAULTTONEAREST, primary},
        {1023, 767, MONITOR_DEFAULTTONULL, primary},
        {1024, 0, MONITOR_DEFAULTTONULL, second},
        {1500, 900, MONITOR_DEFAULTTONULL, second},
        {1500, 900, MONITOR_DEFAULTTOPRIMARY, second},
        {1500, 900, MONITOR_DEFAULTTONEAREST, second},
        // Below the primary, in the gap of the desktop: nearer to the primary.
        {500, 900, MONITOR_DEFAULTTONULL, 0},
        {500, 900, MONITOR_DEFAULTTOPRIMARY, primary},
        {500, 900, MONITOR_DEFAULTTONEAREST, primary},
        {-10, 100, MONITOR_DEFAULTTONEAREST, primary},
        {5000, 5000, MONITOR_DEFAULTTONULL, 0},
        {5000, 5000, MONITOR_DEFAULTTOPRIMARY, primary},
        {5000, 5000, MONITOR_DEFAULTTONEAREST, second},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("point (" + std::to_string(c.x) + ", " + std::to_string(c.y) + "), flags " +
                     std::to_string(c.flags));
        EXPECT_EQ(list.GetMonitorFromXYPoint(c.x, c.y, c.flags), c.expected);
        EXPECT_EQ(MonitorFromRectIn(fake, {c.x, c.y, c.x + 1, c.y + 1}, c.flags), c.expected);
    }
}

TEST_F(Win32OsTest, ThePrimaryScreenIsMeasuredInTwips)
{
    const ScreenMetrics screen = os_.Screen();
    EXPECT_EQ(screen.twipsPerPixelX, 15);
    EXPECT_EQ(screen.twipsPerPixelY, 15);
    EXPECT_EQ(screen.widthTwips, 1024 * 15);
    EXPECT_EQ(screen.heightTwips, 768 * 15);
}

}  // namespace
}  // namespace windows_tests
}  // namespace quorvane
