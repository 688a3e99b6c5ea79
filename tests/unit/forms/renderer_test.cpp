#include <QLabel>
#include <QMetaObject>
#include <QPixmap>
#include <string>

#include "pattern/module11.h"
#include "program_fixture.h"
#include "support/error_number.h"

namespace quorvane::testing {
namespace {

struct WindowSize {
    int width;
    int height;
};

class RendererTest : public ProgramTest {
protected:
    void StartOn(int width, int height)
    {
        os_.SetMonitors({FakeMonitor(0x10001, 0, 0, width, height, true)});
        StartProgram();
    }

    static void Draw(int16_t step)
    {
        State().StepIndex = step;
        MODULE11::DrawTestPattern(TestForm());
    }

    static QLabel& Image1Label() { return *static_cast<QLabel*>(TestForm().Image1().Native()); }

    // The texts the renderer gives the dialog for a step in a language.
    static void ExpectGuideTexts(int16_t language, int16_t step)
    {
        const ProgramState& state = State();
        SCOPED_TRACE("language " + std::to_string(language) + ", step " + std::to_string(step));
        ASSERT_FALSE(state.StepTitle(language, step).empty());
        EXPECT_EQ(Guide().Caption(), state.StepTitle(language, step));
        for (int16_t k = 0; k <= 5; ++k) {
            Text expected = state.StepLine(language, step, static_cast<int16_t>(k + 1));
            if (step == 1 && k >= 3) {
                expected = U"";
            }
            if (step == 5 && k == 0 && state.PatternWidth < state.PatternHeight) {
                expected = state.StepLine(language, 1, 4);
            }
            EXPECT_EQ(Guide().Test2(k).Caption(), expected) << "label " << k;
        }
    }

    // Runs `press` during the next yield to the event loop.
    static void DuringNextYield(std::function<void()> press)
    {
        QCoreApplication::processEvents();
        QMetaObject::invokeMethod(qApp, std::move(press), Qt::QueuedConnection);
    }

    static void PressKey(char key)
    {
        int16_t ascii = key;
        Guide().auto_mode_key_KeyPress(1, ascii);
    }
};

class RendererSizeTest : public RendererTest, public ::testing::WithParamInterface<WindowSize> {};

TEST_P(RendererSizeTest, EveryStepDrawsItsPatternAndTexts)
{
    const auto [width, height] = GetParam();
    StartOn(width, height);
    ASSERT_EQ(TestForm().Picture().size(), QSize(width, height));
    for (int16_t step = 1; step <= 8; ++step) {
        Draw(step);
        EXPECT_TRUE(ShowsPattern(step)) << "step " << step;
        ExpectGuideTexts(State().LanguageIndex, step);
    }
    // Step 5 takes step 1's line 4 on a portrait monitor, in every language.
    for (int16_t language = 1; language <= 7; ++language) {
        State().LanguageIndex = language;
        Draw(5);
        ExpectGuideTexts(language, 5);
        if (width >= height) {
            EXPECT_NE(Guide().Test2(0).Caption(), State().StepLine(language, 1, 4));
        }
    }
}

std::string SizeName(const ::testing::TestParamInfo<WindowSize>& info)
{
    return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
}

void PrintTo(const WindowSize& size, std::ostream* out)
{
    *out << SizeName({size, 0});
}

// Landscape and portrait, odd and even, square; the widest and tallest
// windows the 16-bit coordinates allow end their grating loops at 32766.
INSTANTIATE_TEST_SUITE_P(Sizes, RendererSizeTest,
                         ::testing::Values(WindowSize{640, 480}, WindowSize{641, 480}, WindowSize{480, 640},
                                           WindowSize{480, 481}, WindowSize{500, 500}, WindowSize{32767, 241},
                                           WindowSize{32766, 241}, WindowSize{321, 32767}),
                         SizeName);

TEST_F(RendererTest, EveryCallEmptiesImage1)
{
    StartProgram();
    for (int16_t step : {1, 1, 5, 7}) {
        Image1Label().setPixmap(QPixmap(8, 8));
        ASSERT_FALSE(Image1Label().pixmap().isNull());
        Draw(step);
        EXPECT_TRUE(Image1Label().pixmap().isNull()) << "step " << step;
    }
}

TEST_F(RendererTest, LoadsAMissingDialogAndFillsAHiddenOne)
{
    // Start-up loads the dialog while reading the texts; it stays hidden.
    TestForm().Load();
    ASSERT_TRUE(Guide().IsLoaded());
    Draw(6);
    ExpectGuideTexts(State().LanguageIndex, 6);
    EXPECT_FALSE(Guide().Client()->isVisible());

    Guide().Unload();
    ASSERT_FALSE(Guide().IsLoaded());
    Draw(3);
    ASSERT_TRUE(Guide().IsLoaded());
    EXPECT_NE(Guide().DialogMonitorList, nullptr);  // its load handling ran
    ExpectGuideTexts(State().LanguageIndex, 3);
}

TEST_F(RendererTest, SizesMustFitSixteenBits)
{
    StartProgram();
    State().TargetWidth = 32768;
    for (int16_t step : {1, 5, 7}) {
        State().StepIndex = step;
        EXPECT_EQ(ErrorNumberOf([] { MODULE11::DrawTestPattern(TestForm()); }), kOverflow) << "step " << step;
    }
    State().TargetWidth = 1024;
    State().TargetHeight = 32768;
    EXPECT_EQ(ErrorNumberOf([] { MODULE11::DrawTestPattern(TestForm()); }), kOverflow);
}

// A step key handled during the redraw's yield draws its own step; the
// outer redraw must not draw its pattern over it.
TEST_F(RendererTest, StepChangedDuringTheYieldLeavesTheNewerStep)
{
    StartProgram();
    for (int i = 0; i < 4; ++i) {
        PressKey('N');
    }
    ASSERT_EQ(State().StepIndex, 5);

    int16_t stepSeen = 0;
    DuringNextYield([&] {
        stepSeen = State().StepIndex;
        PressKey('N');
    });
    Guide().auto_mode_key_Click(1);  // 5 -> 6, and 6 -> 7 inside its yield
    EXPECT_EQ(stepSeen, 6);
    EXPECT_EQ(State().StepIndex, 7);
    EXPECT_TRUE(ShowsPattern(7));
    ExpectGuideTexts(State().LanguageIndex, 7);

    DuringNextYield([&] {
        stepSeen = State().StepIndex;
        PressKey('n');
    });
    PressKey('B');  // 7 -> 6, and 6 -> 7 inside its yield
    EXPECT_EQ(stepSeen, 6);
    EXPECT_EQ(State().StepIndex, 7);
    EXPECT_TRUE(ShowsPattern(7));
    ExpectGuideTexts(State().LanguageIndex, 7);
}

TEST_F(RendererTest, StepChangedDuringTheCrossYieldLeavesTheNewerStep)
{
    StartProgram();
    for (int i = 0; i < 5; ++i) {
        PressKey('N');
    }
    ASSERT_EQ(State().StepIndex, 6);

    int16_t stepSeen = 0;
    DuringNextYield([&] {
        stepSeen = State().StepIndex;
        PressKey('N');
    });
    Guide().auto_mode_key_Click(1);  // 6 -> 7, and 7 -> 8 inside its yield
    EXPECT_EQ(stepSeen, 7);
    EXPECT_EQ(State().StepIndex, 8);
    EXPECT_TRUE(ShowsPattern(8));
    ExpectGuideTexts(State().LanguageIndex, 8);
    EXPECT_FALSE(Guide().auto_mode_key(1).Enabled());
    EXPECT_EQ(Guide().auto_mode_key(2).Caption(), State().ButtonText(State().LanguageIndex, 4));

    // Back to 6; N draws the cross of 7 and B inside its yield the grating of
    // 6, which must stay.
    PressKey('B');
    PressKey('B');
    ASSERT_EQ(State().StepIndex, 6);
    DuringNextYield([&] {
        stepSeen = State().StepIndex;
        PressKey('b');
    });
    int16_t next = 'N';
    Guide().Option2_KeyPress(1, next);  // 6 -> 7, and 7 -> 6 inside its yield
    EXPECT_EQ(stepSeen, 7);
    EXPECT_EQ(State().StepIndex, 6);
    EXPECT_TRUE(ShowsPattern(6));
    ExpectGuideTexts(State().LanguageIndex, 6);
}

}  // namespace
}  // namespace quorvane::testing
