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

// ------------------------------------------------------------ step changes

enum class ExitWay { ExitButton, EscOnStepButton, EscOnLanguageButton };

struct StepCell {
    Injection injection;
    Outcome outcome;
    // After the walk through all eight steps and back, which never fails:
    // how the program is left, its exit status, the error named on the
    // fatal path, the ShowCursor calls the ending made and the counter after it.
    ExitWay exit;
    int exitCode;
    int32_t error;
    int showCursorCalls;
    int32_t cursor;
};

void PrintTo(const StepCell& cell, std::ostream* out) { *out << NameOf(cell.injection); }

// A normal end: the dialog hides the cursor from 1 down to -1 (two calls),
// the test window shows it once more.
StepCell EndsNormally(OsCall call, Fault fault, ExitWay exit)
{
    return {.injection = Call(call, fault), .outcome = Outcome::Unused, .exit = exit, .exitCode = 0, .error = 0,
            .showCursorCalls = 3, .cursor = 0};
}

const StepCell kStepCells[] = {
    EndsNormally(OsCall::GetSystemMetrics, Fault::Missing, ExitWay::ExitButton),
    EndsNormally(OsCall::GetSystemMetrics, Fault::Raises, ExitWay::EscOnStepButton),
    EndsNormally(OsCall::GetSystemMetrics, Fault::ReturnsZero, ExitWay::EscOnLanguageButton),
    EndsNormally(OsCall::MonitorFromRect, Fault::Missing, ExitWay::ExitButton),
    EndsNormally(OsCall::MonitorFromRect, Fault::Raises, ExitWay::EscOnStepButton),
    EndsNormally(OsCall::MonitorFromRect, Fault::ReturnsZero, ExitWay::EscOnLanguageButton),
    EndsNormally(OsCall::MonitorFromWindow, Fault::Missing, ExitWay::ExitButton),
    EndsNormally(OsCall::MonitorFromWindow, Fault::Raises, ExitWay::EscOnStepButton),
    EndsNormally(OsCall::MonitorFromWindow, Fault::ReturnsZero, ExitWay::EscOnLanguageButton),
    EndsNormally(OsCall::GetMonitorInfoA, Fault::Missing, ExitWay::ExitButton),
    EndsNormally(OsCall::GetMonitorInfoA, Fault::Raises, ExitWay::EscOnStepButton),
    EndsNormally(OsCall::GetMonitorInfoA, Fault::ReturnsZero, ExitWay::EscOnLanguageButton),
    EndsNormally(OsCall::SetWindowPos, Fault::Missing, ExitWay::ExitButton),
    EndsNormally(OsCall::SetWindowPos, Fault::Raises, ExitWay::EscOnStepButton),
    EndsNormally(OsCall::SetWindowPos, Fault::ReturnsZero, ExitWay::EscOnLanguageButton),
    // The dialog's unload hides the cursor first: its first call fails.
    {.injection = Call(OsCall::ShowCursor, Fault::Missing), .outcome = Outcome::Fatal, .exit = ExitWay::ExitButton,
     .exitCode = 1, .error = 453, .showCursorCalls = 1, .cursor = 1},
    {.injection = Call(OsCall::ShowCursor, Fault::Raises), .outcome = Outcome::Fatal,
     .exit = ExitWay::EscOnStepButton, .exitCode = 1, .error = kLoadError, .showCursorCalls = 1, .cursor = 1},
    // A counter that does not fall ends the hiding after its second call.
    {.injection = Call(OsCall::ShowCursor, Fault::ReturnsZero), .outcome = Outcome::Ignored,
     .exit = ExitWay::EscOnLanguageButton, .exitCode = 0, .error = 0, .showCursorCalls = 3, .cursor = 1},
    EndsNormally(OsCall::GetProfileStringA, Fault::Missing, ExitWay::ExitButton),
    EndsNormally(OsCall::GetProfileStringA, Fault::Raises, ExitWay::EscOnStepButton),
    EndsNormally(OsCall::GetProfileStringA, Fault::ReturnsZero, ExitWay::EscOnLanguageButton),
};

class InjectedFaultInStepChanges : public InjectedFaultTest, public ::testing::WithParamInterface<StepCell> {};

TEST_P(InjectedFaultInStepChanges, EndsAsStated)
{
    const StepCell& cell = GetParam();
    SetUpDesktop();
    StartProgram();
    Inject(os_, cell.injection);
    const OsCall call = *cell.injection.call;
    const int callsBefore = os_.CallCount(call);
    const int showCursorBefore = os_.CallCount(OsCall::ShowCursor);

    // Forward with the Next button, back with the B key; steps 5 to 8 yield while drawing.
    EXPECT_EQ(RunPhase([] {
                  for (int16_t step = 2; step <= 8; ++step) {
                      Guide().auto_mode_key_Click(1);
                      ExpectRunningStep(step);
                  }
                  for (int16_t step = 7; step >= 1; --step) {
                      PressKey('B');
                      ExpectRunningStep(step);
                  }
              }),
              std::nullopt);
    if (cell.outcome == Outcome::Unused) {
        EXPECT_EQ(os_.CallCount(call), callsBefore);
    }

    const ExitWay way = cell.exit;
    const std::optional<int> exitCode = RunPhase([way] {
        int16_t escape = 27;
        switch (way) {
        case ExitWay::ExitButton: Guide().auto_mode_key_Click(2); return;
        case ExitWay::EscOnStepButton: Guide().auto_mode_key_KeyPress(1, escape); return;
        case ExitWay::EscOnLanguageButton: Guide().Option2_KeyPress(State().LanguageIndex, escape); return;
        }
    });
    EXPECT_EQ(os_.CallCount(OsCall::ShowCursor) - showCursorBefore, cell.showCursorCalls);
    EXPECT_EQ(os_.CursorCounter(), cell.cursor);
    if (cell.outcome == Outcome::Fatal) {
        ExpectFatalEnd(exitCode, cell.error);
        return;
    }
    EXPECT_EQ(exitCode, cell.exitCode);
    EXPECT_FALSE(Guide().IsLoaded());
    EXPECT_TRUE(TestForm().Enabled());
    if (cell.outcome == Outcome::Unused) {
        EXPECT_EQ(os_.CallCount(call), callsBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(Cells, InjectedFaultInStepChanges, ::testing::ValuesIn(kStepCells),
                         [](const auto& info) { return NameOf(info.param.injection); });

// --------------------------------------------------------------- following

struct FollowingCell {
    Injection injection;
    Outcome outcome;
    // After the dialog, on step 2, was dragged onto the right monitor: the
    // target monitor (handle, left, top, width, height), the Handle field of
    // the record the dialog refers to, and whether the labels show the
    // 1024 x 768 case (labels 2 to 5 emptied) rather than lines 2 and 3 of
    // step 2 in labels 3 and 4.
    std::array<int32_t, 5> target;
    int32_t dialogRecord;
    bool referenceResolution;
};

void PrintTo(const FollowingCell& cell, std::ostream* out) { *out << NameOf(cell.injection); }

// The test window follows the dialog onto the right monitor.
FollowingCell Follows(OsCall call, Fault fault)
{
    return {.injection = Call(call, fault), .outcome = Outcome::Unused, .target = {kRight, 1024, 0, 1280, 1024},
            .dialogRecord = kRight, .referenceResolution = false};
}

const FollowingCell kFollowingCells[] = {
    Follows(OsCall::GetSystemMetrics, Fault::Missing),
    Follows(OsCall::GetSystemMetrics, Fault::Raises),
    Follows(OsCall::GetSystemMetrics, Fault::ReturnsZero),
    // The failed look-up takes the first record of the dialog's list, the
    // primary, and keeps the failed value as the target monitor.
    {.injection = Call(OsCall::MonitorFromRect, Fault::Missing), .outcome = Outcome::Sentinel,
     .target = {-1, 0, 0, 1024, 768}, .dialogRecord = kPrimary, .referenceResolution = true},
    {.injection = Call(OsCall::MonitorFromRect, Fault::Raises), .outcome = Outcome::Sentinel,
     .target = {-1, 0, 0, 1024, 768}, .dialogRecord = kPrimary, .referenceResolution = true},
    {.injection = Call(OsCall::MonitorFromRect, Fault::ReturnsZero), .outcome = Outcome::Sentinel,
     .target = {0, 0, 0, 1024, 768}, .dialogRecord = kPrimary, .referenceResolution = true},
    Follows(OsCall::MonitorFromWindow, Fault::Missing),
    Follows(OsCall::MonitorFromWindow, Fault::Raises),
    Follows(OsCall::MonitorFromWindow, Fault::ReturnsZero),
    // The dialog's list already holds the right monitor: nothing is asked again.
    Follows(OsCall::GetMonitorInfoA, Fault::Missing),
    Follows(OsCall::GetMonitorInfoA, Fault::Raises),
    Follows(OsCall::GetMonitorInfoA, Fault::ReturnsZero),
    Follows(OsCall::SetWindowPos, Fault::Missing),
    Follows(OsCall::SetWindowPos, Fault::Raises),
    Follows(OsCall::SetWindowPos, Fault::ReturnsZero),
    Follows(OsCall::ShowCursor, Fault::Missing),
    Follows(OsCall::ShowCursor, Fault::Raises),
    Follows(OsCall::ShowCursor, Fault::ReturnsZero),
    Follows(OsCall::GetProfileStringA, Fault::Missing),
    Follows(OsCall::GetProfileStringA, Fault::Raises),
    Follows(OsCall::GetProfileStringA, Fault::ReturnsZero),
};

class InjectedFaultWhileFollowing : public InjectedFaultTest, public ::testing::WithParamInterface<FollowingCell> {};

TEST_P(InjectedFaultWhileFollowing, EndsAsStated)
{
    const FollowingCell& cell = GetParam();
    SetUpDesktop();
    StartProgram();
    Guide().auto_mode_key_Click(1);
    ASSERT_EQ(State().StepIndex, 2);
    Guide().Move(1100 * 15.0, 100 * 15.0);
    Inject(os_, cell.injection);
    const OsCall call = *cell.injection.call;
    const int callsBefore = os_.CallCount(call);

    EXPECT_EQ(RunPhase([] { Guide().Form_MouseMove(0, 0, 0, 0); }), std::nullopt);
    const auto& t = cell.target;
    ExpectTarget(t[0], t[1], t[2], t[3], t[4]);
    ASSERT_TRUE(Guide().DialogMonitor);
    EXPECT_EQ(Guide().DialogMonitor->Handle(), cell.dialogRecord);
    const auto line = [](int16_t k) { return State().StepLine(3, 2, k); };
    EXPECT_EQ(LabelCaptions(), (cell.referenceResolution
                                    ? std::vector<Text>{line(1), U"", U"", U"", U"", line(6)}
                                    : std::vector<Text>{line(1), line(2), line(2), line(3), line(5), line(6)}));

    // The next step draws its pattern at the new size.
    EXPECT_EQ(RunPhase([] { Guide().auto_mode_key_Click(1); }), std::nullopt);
    ExpectRunningStep(3);
    EXPECT_EQ(Shown().width, t[3]);
    EXPECT_EQ(Shown().height, t[4]);
    if (cell.outcome == Outcome::Unused) {
        EXPECT_EQ(os_.CallCount(call), callsBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(Cells, InjectedFaultWhileFollowing, ::testing::ValuesIn(kFollowingCells),
                         [](const auto& info) { return NameOf(info.param.injection); });

}  // namespace
}  // namespace quorvane::testing
