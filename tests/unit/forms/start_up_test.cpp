#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>

#include "program_fixture.h"
#include "support/error_number.h"

// Each system call failing in turn: the run goes on or ends through the fatal path.

namespace quorvane::testing {
namespace {

constexpr int32_t kPrimary = 0x40001, kRight = 0x40002, kLeft = 0x40003;
constexpr int32_t kLoadError = 48;  // a failure other than a missing function
const std::vector<MonitorDesc> kSideBySide = {FakeMonitor(kPrimary, 0, 0, 1024, 768, true),
                                              FakeMonitor(kRight, 1024, 0, 1280, 1024)};
const MonitorDesc kLeftMonitor = FakeMonitor(kLeft, -1280, 0, 1280, 1024);
constexpr std::array<int32_t, 5> kOnPrimary = {kPrimary, 0, 0, 1024, 768};

enum class Fault { None, Missing, Raises, ReturnsZero, Unreadable };  // -, error 453, kLoadError, 0, a folder (75)
using enum OsCall;
using enum Fault;

struct Injection {
    std::optional<OsCall> call;
    Fault fault = None;
    std::string file = {};
};

void Inject(FakeOs& os, const Injection& i)
{
    if (i.fault == Unreadable) {
        std::filesystem::remove(i.file), std::filesystem::create_directory(i.file);
    } else if (i.fault != None) {
        i.fault == Missing  ? os.MakeMissing(*i.call)
        : i.fault == Raises ? os.MakeFailing(*i.call, kLoadError)
                            : os.MakeReturnZero(*i.call);
    }
}

// Going on: target, its record's handle, language (profile DEU: 3), cursor, topmost calls. Or error and step.
struct Result {
    int32_t error = 0;
    int16_t step = 0;
    std::array<int32_t, 5> target = {};
    int32_t record = 0;
    int16_t language = 3;
    int32_t cursor = 1;
    size_t topmost = 2;
};
Result Fatal(int32_t error, int16_t step = 0) { return {error, step}; }
Result Runs(std::array<int32_t, 5> target, int32_t record, int16_t language = 3, int32_t cursor = 1, size_t topmost = 2)
{
    return {0, 1, target, record, language, cursor, topmost};
}

// No monitors: no several-monitor support, an 800 x 600 screen. Chosen: the target set before, 0 none.
struct StartCase {
    std::string name;
    Injection injection;
    Result result;
    std::vector<MonitorDesc> monitors = kSideBySide;
    int32_t chosen = 0;
};

const StartCase kStartCases[] = {
    {"PointOneOneNotTheFirstRecord", {}, Runs(kOnPrimary, kPrimary), {kLeftMonitor, kSideBySide[0]}},
    {"ChosenBeforeIsKept", {}, Runs({kRight, 1024, 0, 1280, 1024}, kRight), kSideBySide, kRight},
    {"ChosenFailureTakesTheFirst", {}, Runs({-1, -1280, 0, 1280, 1024}, kLeft), {kLeftMonitor, kSideBySide[0]}, -1},
    {"NoMonitorCount", {}, Runs({-1, 0, 0, 800, 600}, 0), {}},  // the record of the primary screen, "0"
    {"HandleWithoutRecord", {}, Fatal(5), {FakeMonitor(kPrimary, 0, 0, 320, 240, true), kSideBySide[1]}},
    {"WiderThanSixteenBits", {}, Fatal(6), {FakeMonitor(kPrimary, 0, 0, 32768, 480, true)}},
    // No monitor count: both lists stay empty; (1, 1) finds the primary, not in them.
    {"GetSystemMetricsMissing", {GetSystemMetrics, Missing}, Fatal(5)},
    {"GetSystemMetricsRaises", {GetSystemMetrics, Raises}, Fatal(5)},
    {"GetSystemMetricsReturnsZero", {GetSystemMetrics, ReturnsZero}, Fatal(5)},  // count 0: only the screen's "0"
    // Every probe is -1: one record "-1", its information refused, taken for (1, 1)'s -1.
    {"MonitorFromRectMissing", {MonitorFromRect, Missing}, Runs({-1, 0, 0, 0, 0}, -1)},
    {"MonitorFromRectRaises", {MonitorFromRect, Raises}, Runs({-1, 0, 0, 0, 0}, -1)},
    {"MonitorFromRectReturnsZero", {MonitorFromRect, ReturnsZero}, Fatal(9)},  // no record at all for (1, 1)'s 0
    // Raised failures leave the records blank; a refusal fills in the handle only.
    {"GetMonitorInfoAMissing", {GetMonitorInfoA, Missing}, Runs({kPrimary, 0, 0, 0, 0}, 0)},
    {"GetMonitorInfoARaises", {GetMonitorInfoA, Raises}, Runs({kPrimary, 0, 0, 0, 0}, 0)},
    {"GetMonitorInfoAReturnsZero", {GetMonitorInfoA, ReturnsZero}, Runs({kPrimary, 0, 0, 0, 0}, kPrimary)},
    {"SetWindowPosMissing", {SetWindowPos, Missing}, Fatal(453, 1)},  // the test window's activation, before drawing
    {"SetWindowPosRaises", {SetWindowPos, Raises}, Fatal(kLoadError, 1)},
    {"SetWindowPosReturnsZero", {SetWindowPos, ReturnsZero}, Runs(kOnPrimary, kPrimary, 3, 1, 0)},
    {"ShowCursorMissing", {ShowCursor, Missing}, Fatal(453, 1)},  // the dialog's activation
    {"ShowCursorRaises", {ShowCursor, Raises}, Fatal(kLoadError, 1)},
    {"ShowCursorReturnsZero", {ShowCursor, ReturnsZero}, Runs(kOnPrimary, kPrimary, 3, 0)},
    {"GetProfileStringAMissing", {GetProfileStringA, Missing}, Fatal(453)},
    {"GetProfileStringARaises", {GetProfileStringA, Raises}, Fatal(kLoadError)},
    {"GetProfileStringAReturnsZero", {GetProfileStringA, ReturnsZero}, Runs(kOnPrimary, kPrimary, 2)},  // "=English"
    {"LcLCFileUnreadable", {std::nullopt, Unreadable, "LcLCFile.txt"}, Fatal(75)},
    {"LcdTFileUnreadable", {std::nullopt, Unreadable, "LcdTFile.txt"}, Fatal(75)},
};


class StartUpTest : public ProgramTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartUpTest, TargetsTheRightMonitorOrEndsNamingTheFault)
{
    const StartCase& c = GetParam();
    const Result& r = c.result;
    os_.SetMonitors(c.monitors);
    os_.SetProfileLanguage("DEU");
    if (c.monitors.empty()) {
        os_.SetMonitorCount(0);
        os_.MakeMissing(MonitorFromRect);
        os_.SetScreen({800 * 15.0, 600 * 15.0, 15, 15});
    }
    State().TargetMonitor = c.chosen;
    Inject(os_, c.injection);
    if (r.error != 0) {
        ExpectFatal([] { StartProgram(); }, r.error);
        EXPECT_EQ(State().StepIndex, r.step);
        return;
    }
    ASSERT_EQ(ExitCodeOf([] { toolkit::RunHandler([] { StartProgram(); }); }), std::nullopt);
    ExpectTarget(r.target);
    ASSERT_TRUE(TestForm().CurrentMonitor);
    EXPECT_EQ(std::tuple(TestForm().CurrentMonitor->Handle(), State().StepIndex, State().LanguageIndex,
                         os_.CursorCounter(), os_.TopmostWindows().size(), os_.CallCount(MonitorFromWindow)),
              std::tuple(r.record, 1, r.language, r.cursor, r.topmost, 0));
    EXPECT_EQ(Guide().Caption(), State().StepTitle(r.language, 1));
    EXPECT_TRUE(Native(TestForm()).Shown() && Native(Guide()).Shown() && !TestForm().Enabled());
}

INSTANTIATE_TEST_SUITE_P(Cases, StartUpTest, ::testing::ValuesIn(kStartCases),
                         [](const auto& info) { return info.param.name; });

class FaultOfOneCall : public ProgramTest, public ::testing::WithParamInterface<Fault> {};

// On leaving, a failing first cursor call is fatal; a counter that does not fall stops the hiding.
TEST_P(FaultOfOneCall, LeavingWithAFailingCursorCall)
{
    StartProgram();
    Inject(os_, {ShowCursor, GetParam()});
    const int before = os_.CallCount(ShowCursor);
    const auto leave = [] { Guide().auto_mode_key_Click(2); };
    if (GetParam() == ReturnsZero) {
        EXPECT_EQ(ExitCodeOf([&] { toolkit::RunHandler(leave); }), 0);
    } else {
        ExpectFatal(leave, GetParam() == Missing ? 453 : kLoadError);
    }
    EXPECT_EQ(os_.CallCount(ShowCursor) - before, GetParam() == ReturnsZero ? 3 : 1);
}

// A failed look-up is kept as the target and takes the list's first record, the primary (1024 x 768).
TEST_P(FaultOfOneCall, FollowingWithAFailingMonitorLookUp)
{
    os_.SetMonitors(kSideBySide);
    StartProgram();
    Guide().auto_mode_key_Click(1);
    Guide().Move(1100 * 15.0, 100 * 15.0);
    Inject(os_, {MonitorFromRect, GetParam()});
    EXPECT_EQ(ExitCodeOf([] { toolkit::RunHandler([] { Guide().Form_MouseMove(0, 0, 0, 0); }); }), std::nullopt);
    ExpectTarget({GetParam() == ReturnsZero ? 0 : -1, 0, 0, 1024, 768});
    const auto line = [](int16_t k) { return State().StepLine(2, 2, k); };
    EXPECT_EQ(LabelCaptions(), (std::vector<Text>{line(1), U"", U"", U"", U"", line(6)}));
    Guide().auto_mode_key_Click(1);
    EXPECT_TRUE(ShowsPattern(3));
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultOfOneCall, ::testing::Values(Missing, Raises, ReturnsZero));

// Languages 0 to 7, items 0 to 4, steps 0 to 8, lines 1 to 6: else error 9, on reading and writing.
TEST(ProgramStateTest, TextTablesCheckTheirBounds)
{
    ProgramState s;
    EXPECT_EQ(ErrorNumberOf([&] { s.ButtonText(1, 5); }) + ErrorNumberOf([&] { s.SetButtonText(0, 5, U""); }) +
                  ErrorNumberOf([&] { s.StepTitle(8, 9); }) + ErrorNumberOf([&] { s.StepLine(-1, 1, 7); }),
              4 * kSubscriptOutOfRange);
}

}  // namespace
}  // namespace quorvane::testing
