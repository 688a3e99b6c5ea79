#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/toolkit/program.h"
#include "program_fixture.h"

// Every operation of the system fails in turn, in each phase of a run:
// the start-up, the step changes and the following of the dialog to another
// monitor. Each cell states what must come of it: the run goes on (the call
// unused, a sentinel or blank monitor record taking over, the result
// ignored) or it ends through the fatal path, with one message naming the
// error, exit status 1 and no window left visible. Nothing else may happen:
// no other exception, no hang, no step outside 1 to 8 while the run goes on.

namespace quorvane::testing {
namespace {

constexpr int32_t kPrimary = 0x40001;  // 1024 x 768 at (0, 0), found first by the scan
constexpr int32_t kRight = 0x40002;    // 1280 x 1024 at (1024, 0)

// A failure other than a missing function: "Error in loading DLL".
constexpr int32_t kLoadError = 48;

enum class Fault {
    Missing,      // not in its library: error 453 at the call
    Raises,       // the call raises kLoadError
    ReturnsZero,  // the call does nothing and returns 0, the system's failure result
    Unreadable,   // a folder in place of a text file: error 75 when it is opened
};

enum class Outcome {
    Unused,       // the phase never makes the call: all as without the fault
    Sentinel,     // the failed monitor query's -1 or 0 stands for the first record of the list
    BlankRecord,  // the monitor records keep zero rectangles
    EmptyValue,   // the profile gives no language abbreviation
    Ignored,      // the result is not used, the run goes on
    Fatal,        // the fatal path
};

// One call made to fail, or one text file made unreadable.
struct Injection {
    std::optional<OsCall> call;
    Fault fault;
    std::string file;
};

Injection Call(OsCall call, Fault fault) { return {call, fault, {}}; }
Injection UnreadableFile(const std::string& file) { return {std::nullopt, Fault::Unreadable, file}; }

void Inject(FakeOs& os, const Injection& injection)
{
    switch (injection.fault) {
    case Fault::Missing: os.MakeMissing(*injection.call); return;
    case Fault::Raises: os.MakeFailing(*injection.call, kLoadError); return;
    case Fault::ReturnsZero: os.MakeReturnZero(*injection.call); return;
    case Fault::Unreadable:
        std::filesystem::remove(injection.file);
        std::filesystem::create_directory(injection.file);
        return;
    }
}

std::string NameOf(const Injection& injection)
{
    static const char* const calls[] = {"GetSystemMetrics", "MonitorFromRect", "MonitorFromWindow", "GetMonitorInfoA",
                                        "SetWindowPos",     "ShowCursor",      "GetProfileStringA"};
    static const char* const faults[] = {"Missing", "Raises", "ReturnsZero", "Unreadable"};
    std::string target = injection.call ? calls[static_cast<int>(*injection.call)]
                                        : injection.file.substr(0, injection.file.find('.'));
    return target + faults[static_cast<int>(injection.fault)];
}

class InjectedFaultTest : public ProgramTest {
protected:
    // Two monitors side by side; the profile chooses Deutsch, language 3.
    void SetUpDesktop()
    {
        os_.SetMonitors({FakeMonitor(kPrimary, 0, 0, 1024, 768, true), FakeMonitor(kRight, 1024, 0, 1280, 1024)});
        os_.SetProfileLanguage("DEU");
    }

    // Runs a phase as the toolkit runs an event handler, so that a run-time
    // error takes the fatal path. The exit status if the program ended.
    static std::optional<int> RunPhase(const std::function<void()>& phase)
    {
        return ExitCodeOf([&phase] { toolkit::RunHandler(phase); });
    }

    void ExpectFatalEnd(std::optional<int> exitCode, int32_t error)
    {
        fatalExpected_ = true;
        EXPECT_EQ(exitCode, 1);
        ASSERT_EQ(windowSystem_.FatalMessages().size(), 1u);
        const std::string& message = windowSystem_.FatalMessages()[0];
        EXPECT_NE(message.find("Run-time error '" + std::to_string(error) + "'"), std::string::npos) << message;
        EXPECT_FALSE((TestForm().IsLoaded() && Native(TestForm()).Shown()) ||
                     (Guide().IsLoaded() && Native(Guide()).Shown()));
    }

    static void ExpectRunningStep(int16_t step)
    {
        ASSERT_EQ(State().StepIndex, step);
        EXPECT_TRUE(ShowsPattern(step)) << "step " << step;
        EXPECT_EQ(Guide().Caption(), State().StepTitle(State().LanguageIndex, step)) << "step " << step;
    }
};

// ---------------------------------------------------------------- start-up

struct StartUpCell {
    Injection injection;
    Outcome outcome;
    // A run that goes on: the target monitor (handle, left, top, width,
    // height), the Handle field of its record, the language, the cursor
    // counter and how many windows were made topmost.
    std::array<int32_t, 5> target = {};
    int32_t recordHandle = 0;
    int16_t language = 0;
    int32_t cursor = 0;
    size_t topmost = 0;
    // The fatal path: the error named and the step reached.
    int32_t error = 0;
    int16_t step = 0;
};

void PrintTo(const StartUpCell& cell, std::ostream* out) { *out << NameOf(cell.injection); }

constexpr std::array<int32_t, 5> kOnPrimary = {kPrimary, 0, 0, 1024, 768};

const StartUpCell kStartUpCells[] = {
    // The monitor count fails, so both lists end their scan silently and
    // stay empty; (1, 1) still finds the primary, whose key is not there.
    {.injection = Call(OsCall::GetSystemMetrics, Fault::Missing), .outcome = Outcome::Fatal, .error = 5, .step = 0},
    {.injection = Call(OsCall::GetSystemMetrics, Fault::Raises), .outcome = Outcome::Fatal, .error = 5, .step = 0},
    // Count 0: the list holds only the primary screen's record "0".
    {.injection = Call(OsCall::GetSystemMetrics, Fault::ReturnsZero), .outcome = Outcome::Fatal, .error = 5,
     .step = 0},
    // Every probe is -1: one record "-1", its information refused; (1, 1)
    // is -1 too and takes that first record.
    {.injection = Call(OsCall::MonitorFromRect, Fault::Missing), .outcome = Outcome::Sentinel,
     .target = {-1, 0, 0, 0, 0}, .recordHandle = -1, .language = 3, .cursor = 1, .topmost = 2},
    {.injection = Call(OsCall::MonitorFromRect, Fault::Raises), .outcome = Outcome::Sentinel,
     .target = {-1, 0, 0, 0, 0}, .recordHandle = -1, .language = 3, .cursor = 1, .topmost = 2},
    // No probe finds a monitor: (1, 1) gives 0, and the empty list has no first record.
    {.injection = Call(OsCall::MonitorFromRect, Fault::ReturnsZero), .outcome = Outcome::Fatal, .error = 9,
     .step = 0},
    {.injection = Call(OsCall::MonitorFromWindow, Fault::Missing), .outcome = Outcome::Unused, .target = kOnPrimary,
     .recordHandle = kPrimary, .language = 3, .cursor = 1, .topmost = 2},
    {.injection = Call(OsCall::MonitorFromWindow, Fault::Raises), .outcome = Outcome::Unused, .target = kOnPrimary,
     .recordHandle = kPrimary, .language = 3, .cursor = 1, .topmost = 2},
    {.injection = Call(OsCall::MonitorFromWindow, Fault::ReturnsZero), .outcome = Outcome::Unused,
     .target = kOnPrimary, .recordHandle = kPrimary, .language = 3, .cursor = 1, .topmost = 2},
    // Raised failures leave the records untouched; a refusal fills in the handle only.
    {.injection = Call(OsCall::GetMonitorInfoA, Fault::Missing), .outcome = Outcome::BlankRecord,
     .target = {kPrimary, 0, 0, 0, 0}, .recordHandle = 0, .language = 3, .cursor = 1, .topmost = 2},
    {.injection = Call(OsCall::GetMonitorInfoA, Fault::Raises), .outcome = Outcome::BlankRecord,
     .target = {kPrimary, 0, 0, 0, 0}, .recordHandle = 0, .language = 3, .cursor = 1, .topmost = 2},
    {.injection = Call(OsCall::GetMonitorInfoA, Fault::ReturnsZero), .outcome = Outcome::BlankRecord,
     .target = {kPrimary, 0, 0, 0, 0}, .recordHandle = kPrimary, .language = 3, .cursor = 1, .topmost = 2},
    // The test window's activation, before anything is drawn.
    {.injection = Call(OsCall::SetWindowPos, Fault::Missing), .outcome = Outcome::Fatal, .error = 453, .step = 1},
    {.injection = Call(OsCall::SetWindowPos, Fault::Raises), .outcome = Outcome::Fatal, .error = kLoadError,
     .step = 1},
    {.injection = Call(OsCall::SetWindowPos, Fault::ReturnsZero), .outcome = Outcome::Ignored, .target = kOnPrimary,
     .recordHandle = kPrimary, .language = 3, .cursor = 1, .topmost = 0},
    // The dialog's activation.
    {.injection = Call(OsCall::ShowCursor, Fault::Missing), .outcome = Outcome::Fatal, .error = 453, .step = 1},
    {.injection = Call(OsCall::ShowCursor, Fault::Raises), .outcome = Outcome::Fatal, .error = kLoadError,
     .step = 1},
    {.injection = Call(OsCall::ShowCursor, Fault::ReturnsZero), .outcome = Outcome::Ignored, .target = kOnPrimary,
     .recordHandle = kPrimary, .language = 3, .cursor = 0, .topmost = 2},
    {.injection = Call(OsCall::GetProfileStringA, Fault::Missing), .outcome = Outcome::Fatal, .error = 453,
     .step = 0},
    {.injection = Call(OsCall::GetProfileStringA, Fault::Raises), .outcome = Outcome::Fatal, .error = kLoadError,
     .step = 0},
    // An empty code matches the code file's last entry, "=English".
    {.injection = Call(OsCall::GetProfileStringA, Fault::ReturnsZero), .outcome = Outcome::EmptyValue,
     .target = kOnPrimary, .recordHandle = kPrimary, .language = 2, .cursor = 1, .topmost = 2},
    {.injection = UnreadableFile("LcLCFile.txt"), .outcome = Outcome::Fatal, .error = 75, .step = 0},
    {.injection = UnreadableFile("LcdTFile.txt"), .outcome = Outcome::Fatal, .error = 75, .step = 0},
};

class InjectedFaultAtStartUp : public InjectedFaultTest, public ::testing::WithParamInterface<StartUpCell> {};

TEST_P(InjectedFaultAtStartUp, EndsAsStated)
{
    const StartUpCell& cell = GetParam();
    SetUpDesktop();
    Inject(os_, cell.injection);
    const std::optional<int> exitCode = RunPhase([this] { StartProgram(); });
    if (cell.outcome == Outcome::Fatal) {
        ExpectFatalEnd(exitCode, cell.error);
        EXPECT_EQ(State().StepIndex, cell.step);
        return;
    }
    ASSERT_EQ(exitCode, std::nullopt);
    const auto& t = cell.target;
    ExpectTarget(t[0], t[1], t[2], t[3], t[4]);
    ASSERT_TRUE(TestForm().CurrentMonitor);
    EXPECT_EQ(TestForm().CurrentMonitor->Handle(), cell.recordHandle);
    EXPECT_EQ(State().StepIndex, 1);
    EXPECT_EQ(State().LanguageIndex, cell.language);
    EXPECT_EQ(Guide().Caption(), State().StepTitle(cell.language, 1));
    EXPECT_TRUE(Native(TestForm()).Shown());
    EXPECT_TRUE(Native(Guide()).Shown());
    EXPECT_FALSE(TestForm().Enabled());
    EXPECT_EQ(os_.CursorCounter(), cell.cursor);
    EXPECT_EQ(os_.TopmostWindows().size(), cell.topmost);
    if (cell.outcome == Outcome::Unused) {
        EXPECT_EQ(os_.CallCount(*cell.injection.call), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Cells, InjectedFaultAtStartUp, ::testing::ValuesIn(kStartUpCells),
                         [](const auto& info) { return NameOf(info.param.injection); });

// ------------------------------------------------- step changes, following

// Walking the steps and following the dialog ask the system nothing but the
// monitor look-up; leaving asks for the cursor. Only those calls can fail there.
TEST_F(InjectedFaultTest, StepsAndFollowingAskTheSystemOnlyForTheMonitorUnderTheDialog)
{
    SetUpDesktop();
    StartProgram();
    std::vector<int> before;
    for (int call = 0; call <= static_cast<int>(OsCall::GetProfileStringA); ++call) {
        before.push_back(os_.CallCount(static_cast<OsCall>(call)));
    }
    for (int16_t step = 2; step <= 8; ++step) {
        Guide().auto_mode_key_Click(1);
    }
    for (int16_t step = 7; step >= 2; --step) {
        PressKey('B');
    }
    Guide().Move(1100 * 15.0, 100 * 15.0);
    Guide().Form_MouseMove(0, 0, 0, 0);
    ExpectTarget(kRight, 1024, 0, 1280, 1024);
    for (int call = 0; call <= static_cast<int>(OsCall::GetProfileStringA); ++call) {
        EXPECT_EQ(os_.CallCount(static_cast<OsCall>(call)) - before[static_cast<size_t>(call)],
                  static_cast<OsCall>(call) == OsCall::MonitorFromRect ? 1 : 0)
            << NameOf(Call(static_cast<OsCall>(call), Fault::Missing));
    }
}

class InjectedFaultOfOneCall : public InjectedFaultTest, public ::testing::WithParamInterface<Fault> {};

// The dialog's unload hides the cursor first: a failing first call is fatal;
// a counter that does not fall ends the hiding after its second call.
TEST_P(InjectedFaultOfOneCall, LeavingWithAFailingCursorCall)
{
    SetUpDesktop();
    StartProgram();
    Inject(os_, Call(OsCall::ShowCursor, GetParam()));
    const int before = os_.CallCount(OsCall::ShowCursor);
    const std::optional<int> exitCode = RunPhase([] { Guide().auto_mode_key_Click(2); });
    EXPECT_EQ(os_.CursorCounter(), 1);
    if (GetParam() == Fault::ReturnsZero) {
        EXPECT_EQ(exitCode, 0);
        EXPECT_EQ(os_.CallCount(OsCall::ShowCursor) - before, 3);
        return;
    }
    EXPECT_EQ(os_.CallCount(OsCall::ShowCursor) - before, 1);
    ExpectFatalEnd(exitCode, GetParam() == Fault::Missing ? 453 : kLoadError);
}

// A failed look-up keeps its value as the target monitor and takes the first
// record of the dialog's list, the primary: the 1024 x 768 case empties
// labels 2 to 5 of step 2.
TEST_P(InjectedFaultOfOneCall, FollowingWithAFailingMonitorLookUp)
{
    SetUpDesktop();
    StartProgram();
    Guide().auto_mode_key_Click(1);
    Guide().Move(1100 * 15.0, 100 * 15.0);
    Inject(os_, Call(OsCall::MonitorFromRect, GetParam()));
    EXPECT_EQ(RunPhase([] { Guide().Form_MouseMove(0, 0, 0, 0); }), std::nullopt);
    ExpectTarget(GetParam() == Fault::ReturnsZero ? 0 : -1, 0, 0, 1024, 768);
    ASSERT_TRUE(Guide().DialogMonitor);
    EXPECT_EQ(Guide().DialogMonitor->Handle(), kPrimary);
    const auto line = [](int16_t k) { return State().StepLine(3, 2, k); };
    EXPECT_EQ(LabelCaptions(), (std::vector<Text>{line(1), U"", U"", U"", U"", line(6)}));
    EXPECT_EQ(RunPhase([] { Guide().auto_mode_key_Click(1); }), std::nullopt);
    ExpectRunningStep(3);
}

INSTANTIATE_TEST_SUITE_P(Faults, InjectedFaultOfOneCall,
                         ::testing::Values(Fault::Missing, Fault::Raises, Fault::ReturnsZero));

}  // namespace
}  // namespace quorvane::testing
