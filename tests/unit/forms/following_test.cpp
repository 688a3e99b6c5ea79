#include <array>
#include <string>
#include <tuple>

#include "program_fixture.h"

namespace quorvane::testing {
namespace {

constexpr int32_t kPrimary = 0x30001, kRight = 0x30002, kSmall = 0x30003;
const MonitorDesc kPrimaryMonitor = FakeMonitor(kPrimary, 0, 0, 1024, 768, true);
const MonitorDesc kRightMonitor = FakeMonitor(kRight, 1024, 0, 1280, 1024);
constexpr std::array<int32_t, 5> kOnPrimary = {kPrimary, 0, 0, 1024, 768}, kOnRight = {kRight, 1024, 0, 1280, 1024};

using FollowingTest = ProgramTest;

void DragDialogTo(int x, int y)
{
    Guide().Move(x * 15.0, y * 15.0);
    Guide().Form_MouseMove(0, 0, 0, 0);
}

// The corner's monitor or the nearest; one attached later is found by a refresh, one that no list
// holds (no probe point in 320 x 240) changes nothing. Handle 1 is no failed look-up.
TEST_F(FollowingTest, TheTestWindowFollowsTheDialogsCorner)
{
    const MonitorDesc below = FakeMonitor(1, 0, 768, 1024, 768);
    os_.SetMonitors({kPrimaryMonitor, below});
    StartProgram();
    os_.SetMonitors({kPrimaryMonitor, below, kRightMonitor, FakeMonitor(kSmall, 2304, 0, 320, 240)});
    for (const auto& [x, y, target] :
         {std::tuple{1100, 100, kOnRight}, {100, 100, kOnPrimary}, {2400, 500, kOnRight}, {-300, 300, kOnPrimary},
          {100, 800, {1, 0, 768, 1024, 768}}, {1100, 100, kOnRight}}) {
        SCOPED_TRACE(std::to_string(x) + ", " + std::to_string(y));
        DragDialogTo(x, y);
        ExpectTarget(target);
        ASSERT_TRUE(Guide().DialogMonitor);
        EXPECT_EQ(std::pair(Guide().DialogMonitor->Handle(), Guide().Left()), std::pair(target[0], x * 15.0));
    }
    const std::shared_ptr<clsMonitor> record = Guide().DialogMonitor;
    DragDialogTo(2400, 100);
    State().StepIndex = 0;  // before the start-up has set the first step nothing is looked at
    DragDialogTo(100, 100);
    ExpectTarget(kOnRight);
    EXPECT_EQ(Guide().DialogMonitor, record);
}

// On step 2, lines 2 and 3 speak of a resolution other than 1024 x 768 (either way round).
TEST_F(FollowingTest, StepTwoSaysWhetherTheNewMonitorHasTheReferenceResolution)
{
    os_.SetMonitors({kPrimaryMonitor, FakeMonitor(11, 1024, 0, 1366, 768), FakeMonitor(12, 2390, 0, 768, 1024),
                     FakeMonitor(13, 3158, 0, 1024, 600)});
    StartProgram();
    GoToStep(2);
    for (const auto& [x, reference] : {std::pair{1100, false}, {2400, true}, {3200, false}, {100, true}}) {
        SCOPED_TRACE(x);
        DragDialogTo(x, 100);
        const Text line2 = reference ? Text() : State().StepLine(State().LanguageIndex, 2, 2);
        const Text line3 = reference ? Text() : State().StepLine(State().LanguageIndex, 2, 3);
        EXPECT_EQ(std::pair(Guide().Test2(2).Caption(), Guide().Test2(3).Caption()), std::pair(line2, line3));
    }
}

// Too wide for 16 bits: the move stops there, before the target monitor is written.
TEST_F(FollowingTest, TheTargetMonitorIsWrittenLast)
{
    os_.SetMonitors({kPrimaryMonitor, FakeMonitor(kRight, 1024, 0, 32768, 480)});
    StartProgram();
    ExpectFatal([] { DragDialogTo(1100, 100); }, 6);
    EXPECT_EQ(std::tuple(State().TargetLeft, State().TargetWidth, State().PatternWidth, State().TargetMonitor),
              std::tuple(1024, 32768, 1024, kPrimary));
}

}  // namespace
}  // namespace quorvane::testing
