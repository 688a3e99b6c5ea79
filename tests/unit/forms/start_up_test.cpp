#include <QWidget>
#include <filesystem>
#include <ostream>
#include <string>

#include "platform/toolkit/program.h"
#include "program_fixture.h"
#include "sample_texts.h"

namespace quorvane::testing {
namespace {

constexpr int32_t kPrimary = 0x20001;
constexpr int32_t kSecond = 0x20002;

class StartUpTest : public ProgramTest {
protected:
    // The start-up as the program runs it: inside the toolkit's handler, so
    // that a run-time error takes the fatal path.
    std::optional<int> ExitCodeOfStart()
    {
        return ExitCodeOf([this] { toolkit::RunHandler([this] { StartProgram(); }); });
    }

    static bool AnyWindowVisible()
    {
        return (TestForm().IsLoaded() && TestForm().Client()->isVisible()) ||
               (Guide().IsLoaded() && Guide().Client()->isVisible());
    }

    // The test window's outer rectangle in twips at 15 twips per pixel.
    static void ExpectTestWindowOver(int32_t left, int32_t top, int32_t width, int32_t height)
    {
        EXPECT_EQ(TestForm().Left(), left * 15.0);
        EXPECT_EQ(TestForm().Top(), top * 15.0);
        EXPECT_EQ(TestForm().Width(), width * 15.0);
        EXPECT_EQ(TestForm().Height(), height * 15.0);
    }

    void ExpectOneFatalMessageWith(const std::string& part)
    {
        ASSERT_EQ(os_.FatalMessages().size(), 1u);
        EXPECT_NE(os_.FatalMessages()[0].find(part), std::string::npos) << os_.FatalMessages()[0];
    }
};

TEST_F(StartUpTest, OneMonitorIsCoveredExactly)
{
    os_.SetMonitors({FakeMonitor(kPrimary, 0, 0, 1024, 768, true)});
    StartProgram();
    const ProgramState& state = State();
    EXPECT_EQ(state.TargetMonitor, kPrimary);
    EXPECT_EQ(state.TargetLeft, 0);
    EXPECT_EQ(state.TargetTop, 0);
    EXPECT_EQ(state.TargetRight, 1024);
    EXPECT_EQ(state.TargetBottom, 768);
    EXPECT_EQ(state.TargetWidth, 1024);
    EXPECT_EQ(state.TargetHeight, 768);
    EXPECT_EQ(state.PatternWidth, 1024);
    EXPECT_EQ(state.PatternHeight, 768);
    EXPECT_EQ(state.StepIndex, 1);
    EXPECT_EQ(state.LanguageCount, 7);
    ExpectTestWindowOver(0, 0, 1024, 768);

    // Out of sight: top from the width, left from the height, in pixels.
    EXPECT_EQ(TestForm().Picture1().Top(), 1024);
    EXPECT_EQ(TestForm().Picture1().Left(), 768);
    EXPECT_EQ(TestForm().Picture1().Native()->y(), 1024);
    EXPECT_EQ(TestForm().Picture1().Native()->x(), 768);

    // The test window goes topmost first, then the dialog above it.
    const std::vector<int32_t> topmost = {static_cast<int32_t>(TestForm().hWnd()),
                                          static_cast<int32_t>(Guide().hWnd())};
    EXPECT_EQ(os_.TopmostWindows(), topmost);
    EXPECT_TRUE(TestForm().Client()->isVisible());
    EXPECT_TRUE(Guide().Client()->isVisible());
    EXPECT_EQ(os_.CursorCounter(), 1);
    EXPECT_TRUE(os_.FatalMessages().empty());
}

TEST_F(StartUpTest, WithSeveralMonitorsTheOneHoldingPointOneOneIsTheTarget)
{
    // The left monitor comes first in the list; the primary holds (1, 1).
    os_.SetMonitors({FakeMonitor(kSecond, -1024, 0, 1024, 768), FakeMonitor(kPrimary, 0, 0, 1280, 1024, true)});
    StartProgram();
    ASSERT_EQ(TestForm().MonitorList->Monitors().Item(1)->Handle(), kSecond);
    const ProgramState& state = State();
    EXPECT_EQ(state.TargetMonitor, kPrimary);
    EXPECT_EQ(state.TargetLeft, 0);
    EXPECT_EQ(state.TargetTop, 0);
    EXPECT_EQ(state.TargetWidth, 1280);
    EXPECT_EQ(state.TargetHeight, 1024);
    EXPECT_EQ(TestForm().CurrentMonitor->Handle(), kPrimary);
    ExpectTestWindowOver(0, 0, 1280, 1024);
}

TEST_F(StartUpTest, ATargetMonitorChosenBeforeIsKept)
{
    os_.SetMonitors({FakeMonitor(kPrimary, 0, 0, 1024, 768, true), FakeMonitor(kSecond, 1024, 0, 1280, 1024)});
    State().TargetMonitor = kSecond;
    StartProgram();
    const ProgramState& state = State();
    EXPECT_EQ(state.TargetMonitor, kSecond);
    EXPECT_EQ(state.TargetLeft, 1024);
    EXPECT_EQ(state.TargetRight, 2304);
    EXPECT_EQ(state.PatternWidth, 1280);
    EXPECT_EQ(state.PatternHeight, 1024);
    ExpectTestWindowOver(1024, 0, 1280, 1024);
}

TEST_F(StartUpTest, AFailedLookUpTakesTheFirstRecord)
{
    // -1, the value of a failed look-up, takes the first record, here the left monitor.
    os_.SetMonitors({FakeMonitor(kSecond, -1280, 0, 1280, 1024), FakeMonitor(kPrimary, 0, 0, 1024, 768, true)});
    State().TargetMonitor = -1;
    StartProgram();
    EXPECT_EQ(State().TargetMonitor, -1);
    EXPECT_EQ(State().TargetLeft, -1280);
    EXPECT_EQ(State().TargetWidth, 1280);
    ExpectTestWindowOver(-1280, 0, 1280, 1024);
}

TEST_F(StartUpTest, AFailingMonitorQueryLeavesTheRecordOfTheFailure)
{
    // Every probe fails too, so the list holds the single record "-1" with
    // zero rectangles; the start-up still completes.
    os_.MakeFailing(OsCall::MonitorFromRect, 5);
    StartProgram();
    ASSERT_EQ(TestForm().MonitorList->Monitors().Count(), 1);
    EXPECT_TRUE(TestForm().MonitorList->Monitors().Contains("-1"));
    EXPECT_EQ(State().TargetMonitor, -1);
    EXPECT_EQ(State().TargetWidth, 0);
    EXPECT_EQ(State().TargetHeight, 0);
    EXPECT_EQ(State().StepIndex, 1);
    EXPECT_TRUE(os_.FatalMessages().empty());
}

TEST_F(StartUpTest, WithoutAMonitorCountThePrimaryScreenIsTheTarget)
{
    // A system without support for several monitors has no monitor queries either.
    os_.SetMonitorCount(0);
    os_.MakeMissing(OsCall::MonitorFromRect);
    os_.SetScreen({800 * 15.0, 600 * 15.0, 15, 15});
    StartProgram();
    ASSERT_TRUE(TestForm().MonitorList->Monitors().Contains("0"));
    EXPECT_EQ(State().TargetMonitor, -1);
    EXPECT_EQ(State().TargetLeft, 0);
    EXPECT_EQ(State().TargetTop, 0);
    EXPECT_EQ(State().TargetWidth, 800);
    EXPECT_EQ(State().TargetHeight, 600);
    ExpectTestWindowOver(0, 0, 800, 600);
}

TEST_F(StartUpTest, AHandleWithoutARecordEndsTheProgram)
{
    // The primary is too small for the probe scan, yet it holds (1, 1).
    os_.SetMonitors({FakeMonitor(kPrimary, 0, 0, 320, 240, true), FakeMonitor(kSecond, 320, 0, 1024, 768)});
    EXPECT_EQ(ExitCodeOfStart(), 1);
    ExpectOneFatalMessageWith("'5'");
    EXPECT_EQ(State().TargetMonitor, kPrimary);
    EXPECT_FALSE(Guide().IsLoaded());
    EXPECT_FALSE(AnyWindowVisible());
}

TEST_F(StartUpTest, AMonitorWiderThanSixteenBitsEndsWithAnOverflow)
{
    os_.SetMonitors({FakeMonitor(kPrimary, 0, 0, 32768, 480, true)});
    EXPECT_EQ(ExitCodeOfStart(), 1);
    ExpectOneFatalMessageWith("'6'");
    EXPECT_EQ(State().TargetWidth, 32768);
    EXPECT_EQ(State().PatternWidth, 0);
    EXPECT_EQ(State().StepIndex, 0);
    EXPECT_FALSE(Guide().IsLoaded());
    EXPECT_FALSE(AnyWindowVisible());
}

enum class Spoil { RemoveCodeFile, RemoveCatalogue, ShortenCatalogue };

class SpoiltTextFileTest : public StartUpTest, public ::testing::WithParamInterface<Spoil> {};

TEST_P(SpoiltTextFileTest, EndsTheProgramNamingTheFile)
{
    std::string errorNumber = "'53'";
    std::string file = "LcdTFile.txt";
    switch (GetParam()) {
    case Spoil::RemoveCodeFile:
        file = "LcLCFile.txt";
        std::filesystem::remove(file);
        break;
    case Spoil::RemoveCatalogue: std::filesystem::remove(file); break;
    case Spoil::ShortenCatalogue: {
        std::vector<std::string> lines = SampleLines(file);
        lines.pop_back();
        ASSERT_EQ(lines.size(), 517u);
        WriteCatalogue(lines);
        errorNumber = "'62'";
        break;
    }
    }
    EXPECT_EQ(ExitCodeOfStart(), 1);
    ExpectOneFatalMessageWith(file);
    ExpectOneFatalMessageWith(errorNumber);
    EXPECT_EQ(State().StepIndex, 0);
    EXPECT_FALSE(AnyWindowVisible());
}

std::string SpoilName(const ::testing::TestParamInfo<Spoil>& info)
{
    switch (info.param) {
    case Spoil::RemoveCodeFile: return "CodeFileMissing";
    case Spoil::RemoveCatalogue: return "CatalogueMissing";
    case Spoil::ShortenCatalogue: return "CatalogueOneLineShort";
    }
    return "Unknown";
}

INSTANTIATE_TEST_SUITE_P(Files, SpoiltTextFileTest,
                         ::testing::Values(Spoil::RemoveCodeFile, Spoil::RemoveCatalogue, Spoil::ShortenCatalogue),
                         SpoilName);

struct ProfileCase {
    std::string profile;
    int16_t language;
};

// How a case reads in the test output.
void PrintTo(const ProfileCase& c, std::ostream* out) { *out << '"' << c.profile << "\" -> " << c.language; }

class StartingLanguageTest : public ProgramTest, public ::testing::WithParamInterface<ProfileCase> {};

TEST_P(StartingLanguageTest, FollowsTheProfileAndShowsInTheDialog)
{
    const int16_t language = GetParam().language;
    os_.SetProfileLanguage(GetParam().profile);
    StartProgram();
    const ProgramState& state = State();
    EXPECT_EQ(state.StepIndex, 1);
    EXPECT_EQ(state.LanguageIndex, language);
    EXPECT_TRUE(Guide().Option2(language).Value());
    EXPECT_EQ(Guide().Caption(), state.StepTitle(language, 1));
    EXPECT_EQ(Guide().auto_mode_key(1).Caption(), state.ButtonText(language, 2));
}

INSTANTIATE_TEST_SUITE_P(Profiles, StartingLanguageTest,
                         ::testing::Values(ProfileCase{"DEU", 3}, ProfileCase{"", 2}, ProfileCase{"ESN", 5},
                                           ProfileCase{"xyz", 2}, ProfileCase{"JPN", 1}, ProfileCase{"SVF", 7}),
                         [](const ::testing::TestParamInfo<ProfileCase>& info) {
                             return info.param.profile.empty() ? std::string("NoProfile") : info.param.profile;
                         });

}  // namespace
}  // namespace quorvane::testing
