#include <string>

#include "platform/toolkit/program.h"
#include "program_fixture.h"
#include "sample_texts.h"

namespace quorvane::testing {
namespace {

constexpr int32_t kPrimary = 0x40001;
constexpr int32_t kSecond = 0x40002;

class DialogLayoutTest : public ProgramTest {
protected:
    // The dialog's window frame in twips: its outer width less its client width.
    static double FrameTwips() { return Guide().Width() - Guide().Native().Client().width * toolkit::TwipsPerPixelX(); }

    // Within a pixel, plus what the window frame adds: the toolkit learns the
    // frame only when the window is first shown, after Form_Load.
    static double Tolerance() { return toolkit::TwipsPerPixelX() + FrameTwips(); }

    // Form_Load centres the design width of 7620 twips on the target monitor.
    static void ExpectCentredOnTarget()
    {
        const double tpp = toolkit::TwipsPerPixelX();
        const double centred = (tpp * State().TargetWidth - 7620) / 2 + tpp * State().TargetLeft;
        EXPECT_NEAR(Guide().Left(), centred, Tolerance() / 2);
    }

    static double PointSize(const toolkit::Widget& widget) { return Native(widget).Font().points; }
};

TEST_F(DialogLayoutTest, LayoutAtFifteenTwipsPerPixel)
{
    StartProgram();
    Form3& dialog = Guide();

    EXPECT_EQ(dialog.Frame1().Left(), 2);
    EXPECT_EQ(dialog.Frame1().Width(), 137);
    for (int16_t i = 0; i <= 5; ++i) {
        SCOPED_TRACE("Test2(" + std::to_string(i) + ")");
        EXPECT_DOUBLE_EQ(dialog.Test2(i).Left(), 139);
        EXPECT_DOUBLE_EQ(dialog.Test2(i).Width(), 368.8);
        EXPECT_DOUBLE_EQ(dialog.Test2(i).Top(), 8 + 16 * i);
        EXPECT_EQ(Native(dialog.Test2(i)).Rect().x, 139);
        EXPECT_DOUBLE_EQ(PointSize(dialog.Test2(i)), 9);
        EXPECT_FALSE(Native(dialog.Test2(i)).Font().bold);
    }
    const double lefts[] = {80, 205.4, 330.8};
    const int nativeLefts[] = {80, 205, 331};
    for (int16_t i = 0; i <= 2; ++i) {
        SCOPED_TRACE("auto_mode_key(" + std::to_string(i) + ")");
        const toolkit::CommandButton& button = dialog.auto_mode_key(i);
        EXPECT_DOUBLE_EQ(button.Left(), lefts[i]);
        EXPECT_DOUBLE_EQ(button.Width(), 97);
        EXPECT_DOUBLE_EQ(button.Height(), 25);
        EXPECT_DOUBLE_EQ(button.Top(), 136);
        EXPECT_EQ(Native(button).Rect(), (backend::PixelRect{nativeLefts[i], 136, 97, 25}));
    }
    for (int16_t i = 1; i <= 7; ++i) {
        EXPECT_DOUBLE_EQ(PointSize(dialog.Option2(i)), 10) << "Option2(" << i << ")";
    }
    EXPECT_EQ(Native(dialog.Frame1()).Rect(), (backend::PixelRect{2, 0, 137, 129}));

    // 515.8 pixels wide, at the top of the primary monitor, centred on the target.
    EXPECT_NEAR(dialog.Width(), 7737, Tolerance());
    EXPECT_GE(dialog.Native().Client().width, 508);  // the labels end at 507.8
    EXPECT_EQ(dialog.Native().Client().height, 167);
    EXPECT_NEAR(dialog.Top(), 20, 15);
    ExpectCentredOnTarget();
}

TEST_F(DialogLayoutTest, CentredOnATargetMonitorThatIsNotThePrimary)
{
    os_.SetMonitors({FakeMonitor(kPrimary, 0, 0, 1024, 768, true), FakeMonitor(kSecond, 1024, 256, 1280, 1024)});
    State().TargetMonitor = kSecond;
    StartProgram();
    ASSERT_EQ(State().TargetLeft, 1024);
    ASSERT_EQ(State().TargetWidth, 1280);
    ExpectCentredOnTarget();
    // The target's top is not added.
    EXPECT_NEAR(Guide().Top(), 20, 15);
}

TEST_F(DialogLayoutTest, TheDialogIsLoadedByTheFirstLanguageNameWithEmptyTexts)
{
    // The start-up stops right after the first name is read and written:
    // the dialog shows what its load made of the still empty texts.
    std::vector<std::string> lines = SampleLines("LcdTFile.txt");
    lines.resize(2);
    WriteCatalogue(lines);
    fatalExpected_ = true;
    EXPECT_EQ(ExitCodeOf([this] { toolkit::RunHandler([this] { StartProgram(); }); }), 1);

    ASSERT_TRUE(Guide().IsLoaded());
    EXPECT_EQ(State().StepIndex, 0);
    EXPECT_EQ(Guide().Option2(1).Caption(), ToText(lines[1]));
    EXPECT_EQ(Guide().Option2(4).Caption(), U"Fran*ais");
    EXPECT_EQ(Guide().Option2(7).Caption(), U"Svenska");
    EXPECT_TRUE(Guide().Option2(State().LanguageIndex).Value());
    EXPECT_EQ(Guide().Caption(), U"");
    EXPECT_EQ(Guide().auto_mode_key(2).Caption(), U"");
    EXPECT_EQ(LabelCaptions(), std::vector<Text>(6));
    // The target rectangle was known: the dialog is centred on it.
    ExpectCentredOnTarget();
}

TEST_F(DialogLayoutTest, ActivationAndUnloadKeepTheCursorAndTheTestWindowInStep)
{
    StartProgram();
    EXPECT_FALSE(TestForm().Enabled());
    EXPECT_EQ(os_.CursorCounter(), 1);

    // However often it was activated, the dialog leaves the cursor hidden.
    Guide().Form_Activate();
    Guide().Form_Activate();
    EXPECT_EQ(os_.CursorCounter(), 3);
    Guide().Unload();
    EXPECT_EQ(os_.CursorCounter(), -1);
    EXPECT_TRUE(TestForm().Enabled());

    // The test window brings it back; a counter already below zero goes down
    // once more and no further.
    toolkit::DoEvents();
    ASSERT_TRUE(Guide().IsLoaded());
    EXPECT_EQ(os_.CursorCounter(), 0);
    os_.ShowCursor(0);
    os_.ShowCursor(0);
    Guide().Unload();
    EXPECT_EQ(os_.CursorCounter(), -3);
    EXPECT_TRUE(TestForm().Enabled());
}

TEST_F(DialogLayoutTest, ClosingTheDialogBringsBackAFreshOne)
{
    StartProgram();
    GoToStep(8);
    ASSERT_EQ(Guide().auto_mode_key(2).Caption(), State().ButtonText(2, 4));
    const int64_t closed = Guide().hWnd();

    Native(Guide()).Close();  // the title bar's close command
    EXPECT_FALSE(Guide().IsLoaded());
    toolkit::DoEvents();

    ASSERT_TRUE(Guide().IsLoaded());
    Form3& dialog = Guide();
    EXPECT_NE(dialog.hWnd(), closed);
    EXPECT_TRUE(Native(dialog).Shown());
    EXPECT_EQ(State().StepIndex, 8);
    EXPECT_EQ(dialog.Option2(4).Caption(), U"Fran*ais");
    EXPECT_EQ(dialog.Option2(5).Caption(), U"Espa*ol");
    EXPECT_FALSE(dialog.auto_mode_key(0).Enabled());
    EXPECT_TRUE(dialog.auto_mode_key(1).Enabled());
    EXPECT_EQ(dialog.auto_mode_key(2).Caption(), State().ButtonText(2, 3));
    EXPECT_EQ(dialog.Caption(), State().StepTitle(2, 8));
    EXPECT_EQ(LabelCaptions(), (std::vector<Text>{State().StepLine(2, 8, 1), U"", State().StepLine(2, 8, 3), U"", U"", U""}));
    EXPECT_FALSE(dialog.Frame1().Visible());
    EXPECT_FALSE(dialog.Option2(2).Visible());
    EXPECT_FALSE(TestForm().Enabled());
    EXPECT_EQ(os_.CursorCounter(), 0);
    EXPECT_EQ(os_.TopmostWindows().back(), static_cast<int32_t>(dialog.hWnd()));
}

TEST_F(DialogLayoutTest, WithoutLanguageNamesTheFrameIsEmpty)
{
    std::vector<std::string> lines = SampleLines("LcdTFile.txt");
    for (int language = 1; language <= 7; ++language) {
        lines[NameLine(language)].clear();
    }
    WriteCatalogue(lines);
    StartProgram();
    EXPECT_EQ(State().LanguageCount, 0);
    EXPECT_EQ(State().LanguageIndex, 1);
    EXPECT_TRUE(Guide().Frame1().Visible());
    for (int16_t i = 1; i <= 7; ++i) {
        EXPECT_FALSE(Guide().Option2(i).Visible()) << "Option2(" << i << ")";
    }
}

TEST_F(DialogLayoutTest, AtTenTwipsPerPixelTheDialogIsOneAndAHalfTimesAsLarge)
{
    os_.SetScreen({1024 * 10.0, 768 * 10.0, 10, 10});
    StartProgram();
    Form3& dialog = Guide();
    EXPECT_DOUBLE_EQ(dialog.Frame1().Width(), 1.5 * 137);
    EXPECT_DOUBLE_EQ(dialog.Test2(0).Width(), 1.5 * 368.8);
    EXPECT_DOUBLE_EQ(dialog.Test2(0).Left(), 1.5 * 137 + 2);
    EXPECT_DOUBLE_EQ(dialog.Test2(5).Top(), 1.5 * 88);
    EXPECT_DOUBLE_EQ(dialog.auto_mode_key(2).Width(), 1.5 * 97);
    EXPECT_DOUBLE_EQ(dialog.auto_mode_key(2).Height(), 1.5 * 25);
    EXPECT_DOUBLE_EQ(dialog.auto_mode_key(2).Top(), 1.5 * 136);
    // The margins are pixels: 80 from the left, 80 from the labels' end.
    EXPECT_DOUBLE_EQ(dialog.auto_mode_key(0).Left(), 80);
    EXPECT_DOUBLE_EQ(dialog.auto_mode_key(2).Left(), 1.5 * 137 + 2 + 1.5 * 368.8 - 1.5 * 97 - 80);
    EXPECT_NEAR(dialog.Native().Client().height, 1.5 * 167, 1);
    EXPECT_NEAR(dialog.Width(), (1.5 * 137 + 1.5 * 368.8 + 10) * 10, Tolerance());
    ExpectCentredOnTarget();
    EXPECT_EQ(TestForm().Width(), 1024 * 10);
}

}  // namespace
}  // namespace quorvane::testing
