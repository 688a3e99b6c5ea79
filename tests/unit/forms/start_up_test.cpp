#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

#include "platform/toolkit/program.h"
#include "program_fixture.h"
#include "sample_texts.h"

namespace quorvane::testing {
namespace {

constexpr int32_t kPrimary = 0x20001;
constexpr int32_t kSecond = 0x20002;

using StartUpTest = ProgramTest;

TEST_F(StartUpTest, OneMonitorIsCoveredAndTheDialogGoesTopmostLast)
{
    os_.SetMonitors({FakeMonitor(kPrimary, 0, 0, 1024, 768, true)});
    StartProgram();
    ExpectTarget(kPrimary, 0, 0, 1024, 768);
    EXPECT_EQ(State().StepIndex, 1);
    EXPECT_EQ(State().LanguageCount, 7);

    // Out of sight: top from the width, left from the height, in pixels.
    EXPECT_EQ(TestForm().Picture1().Top(), 1024);
    EXPECT_EQ(TestForm().Picture1().Left(), 768);
    EXPECT_EQ(Native(TestForm().Picture1()).Rect().x, 768);
    EXPECT_EQ(Native(TestForm().Picture1()).Rect().y, 1024);

    EXPECT_EQ(os_.TopmostWindows(),
              (std::vector<int32_t>{static_cast<int32_t>(TestForm().hWnd()), static_cast<int32_t>(Guide().hWnd())}));
    EXPECT_TRUE(Native(TestForm()).Shown());
    EXPECT_TRUE(Native(Guide()).Shown());
    EXPECT_EQ(os_.CursorCounter(), 1);
}

TEST_F(StartUpTest, AFailingMonitorQueryLeavesTheRecordOfTheFailure)
{
    // Every probe fails too: the list holds the single record "-1" with zero rectangles.
    os_.MakeFailing(OsCall::MonitorFromRect, 5);
    StartProgram();
    ASSERT_EQ(TestForm().MonitorList->Monitors().Count(), 1);
    EXPECT_TRUE(TestForm().MonitorList->Monitors().Contains("-1"));
    ExpectTarget(-1, 0, 0, 0, 0);
    EXPECT_EQ(State().StepIndex, 1);
}

struct StartCase {
    std::string name;
    std::function<void(FakeOs&)> setUp;
    std::vector<int32_t> target;  // handle, left, top, width, height; or the fatal error's number
    std::string fatalPart = {};   // in the fatal message besides the number
};

void PrintTo(const StartCase& c, std::ostream* out) { *out << c.name; }

class StartCaseTest : public ProgramTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartCaseTest, TargetsTheRightMonitorOrEndsNamingTheFault)
{
    GetParam().setUp(os_);
    const std::vector<int32_t>& t = GetParam().target;
    if (t.size() == 5) {
        StartProgram();
        ExpectTarget(t[0], t[1], t[2], t[3], t[4]);
        return;
    }
    fatalExpected_ = true;
    EXPECT_EQ(ExitCodeOf([this] { toolkit::RunHandler([this] { StartProgram(); }); }), 1);
    ASSERT_EQ(windowSystem_.FatalMessages().size(), 1u);
    const std::string& message = windowSystem_.FatalMessages()[0];
    EXPECT_NE(message.find("'" + std::to_string(t[0]) + "'"), std::string::npos) << message;
    EXPECT_NE(message.find(GetParam().fatalPart), std::string::npos) << message;
    EXPECT_EQ(State().StepIndex, 0);
    EXPECT_FALSE((TestForm().IsLoaded() && Native(TestForm()).Shown()) ||
                 (Guide().IsLoaded() && Native(Guide()).Shown()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartCaseTest,
    ::testing::Values(
        // The left monitor comes first in the list; the primary holds (1, 1).
        StartCase{"PointOneOne",
                  [](FakeOs& os) {
                      os.SetMonitors({FakeMonitor(kSecond, -1024, 0, 1024, 768),
                                      FakeMonitor(kPrimary, 0, 0, 1280, 1024, true)});
                  },
                  {kPrimary, 0, 0, 1280, 1024}},
        StartCase{"ChosenBeforeIsKept",
                  [](FakeOs& os) {
                      os.SetMonitors({FakeMonitor(kPrimary, 0, 0, 1024, 768, true),
                                      FakeMonitor(kSecond, 1024, 0, 1280, 1024)});
                      State().TargetMonitor = kSecond;
                  },
                  {kSecond, 1024, 0, 1280, 1024}},
        // -1, the value of a failed look-up, takes the first record.
        StartCase{"FailedLookUpTakesTheFirstRecord",
                  [](FakeOs& os) {
                      os.SetMonitors({FakeMonitor(kSecond, -1280, 0, 1280, 1024),
                                      FakeMonitor(kPrimary, 0, 0, 1024, 768, true)});
                      State().TargetMonitor = -1;
                  },
                  {-1, -1280, 0, 1280, 1024}},
        // Without several-monitor support there are no monitor queries either.
        StartCase{"NoMonitorCount",
                  [](FakeOs& os) {
                      os.SetMonitorCount(0);
                      os.MakeMissing(OsCall::MonitorFromRect);
                      os.SetScreen({800 * 15.0, 600 * 15.0, 15, 15});
                  },
                  {-1, 0, 0, 800, 600}},
        // The primary is too small for the probe scan, yet it holds (1, 1).
        StartCase{"HandleWithoutRecord",
                  [](FakeOs& os) {
                      os.SetMonitors({FakeMonitor(kPrimary, 0, 0, 320, 240, true),
                                      FakeMonitor(kSecond, 320, 0, 1024, 768)});
                  },
                  {5}},
        StartCase{"WiderThanSixteenBits",
                  [](FakeOs& os) { os.SetMonitors({FakeMonitor(kPrimary, 0, 0, 32768, 480, true)}); }, {6}},
        StartCase{"CodeFileMissing", [](FakeOs&) { std::filesystem::remove("LcLCFile.txt"); }, {53}, "LcLCFile.txt"},
        StartCase{"CatalogueMissing", [](FakeOs&) { std::filesystem::remove("LcdTFile.txt"); }, {53}, "LcdTFile.txt"},
        StartCase{"CatalogueOneLineShort",
                  [](FakeOs&) {
                      std::vector<std::string> lines = SampleLines("LcdTFile.txt");
                      lines.resize(517);
                      WriteCatalogue(lines);
                  },
                  {62}, "LcdTFile.txt"}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return info.param.name; });

struct ProfileCase {
    std::string profile;
    int16_t language;
};

void PrintTo(const ProfileCase& c, std::ostream* out) { *out << '"' << c.profile << "\" -> " << c.language; }

class StartingLanguageTest : public ProgramTest, public ::testing::WithParamInterface<ProfileCase> {};

TEST_P(StartingLanguageTest, FollowsTheProfileAndShowsInTheDialog)
{
    const int16_t language = GetParam().language;
    os_.SetProfileLanguage(GetParam().profile);
    StartProgram();
    EXPECT_EQ(State().LanguageIndex, language);
    EXPECT_TRUE(Guide().Option2(language).Value());
    EXPECT_EQ(Guide().Caption(), State().StepTitle(language, 1));
    EXPECT_EQ(Guide().auto_mode_key(1).Caption(), State().ButtonText(language, 2));
}

INSTANTIATE_TEST_SUITE_P(Profiles, StartingLanguageTest,
                         ::testing::Values(ProfileCase{"DEU", 3}, ProfileCase{"", 2}, ProfileCase{"ESN", 5},
                                           ProfileCase{"xyz", 2}, ProfileCase{"JPN", 1}, ProfileCase{"SVF", 7}),
                         [](const ::testing::TestParamInfo<ProfileCase>& info) {
                             return info.param.profile.empty() ? std::string("NoProfile") : info.param.profile;
                         });

}  // namespace
}  // namespace quorvane::testing
