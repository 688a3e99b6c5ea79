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
    void DuringNextYield(std::function<void()> press)
    {
        toolkit::DoEvents();
        windowSystem_.Post(std::move(press));
    }
};

class RendererSizeTest : public RendererTest, public ::testing::WithParamInterface<WindowSize> {};

TEST_P(RendererSizeTest, EveryStepDrawsItsPatternAndTexts)
{
    const auto [width, height] = GetParam();
    StartOn(width, height);
    ASSERT_EQ(TestForm().Native().Client(), (backend::PixelRect{0, 0, width, height}));
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

// Landscape and portrait, odd and even, square; the widest and tallest
// windows the 16-bit coordinates allow end their grating loops at 32766.
INSTANTIATE_TEST_SUITE_P(Sizes, RendererSizeTest,
                         ::testing::Values(WindowSize{640, 480}, WindowSize{641, 480}, WindowSize{480, 640},
                                           WindowSize{480, 481}, WindowSize{500, 500}, WindowSize{32767, 241},
                                           WindowSize{32766, 241}, WindowSize{321, 32767}),
                         SizeName);

TEST_F(RendererTest, LoadsAMissingDialogAndFillsAHiddenOne)
{
    // Start-up loads the dialog while reading the texts; it stays hidden.
    TestForm().Load();
    ASSERT_TRUE(Guide().IsLoaded());
    Draw(6);
    ExpectGuideTexts(State().LanguageIndex, 6);
    EXPECT_FALSE(Native(Guide()).Shown());

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

struct YieldCase {
    int16_t from;
    char outer;  // '>' the Next button, 'L' N on a language button, else a key on the Next button
    char inner;  // pressed during the outer redraw's yield
    int16_t seen;
    int16_t last;
};

// A step key handled during a redraw's yield draws its own step; the outer
// redraw must neither draw its pattern over it nor set its buttons.
TEST_F(RendererTest, StepChangedDuringTheYieldLeavesTheNewerStep)
{
    StartProgram();
    const YieldCase cases[] = {
        {5, '>', 'N', 6, 7},  // grating yields, newer grating
        {7, 'B', 'n', 6, 7},  // grating yields, newer cross
        {6, '>', 'N', 7, 8},  // cross yields, newer cross
        {6, 'L', 'b', 7, 6},  // cross yields, newer grating
    };
    for (const YieldCase& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        while (State().StepIndex > c.from) {
            PressKey('B');
        }
        GoToStep(c.from);
        int16_t stepSeen = 0;
        DuringNextYield([&] {
            stepSeen = State().StepIndex;
            PressKey(c.inner);
        });
        int16_t key = c.outer == 'L' ? 'N' : c.outer;
        if (c.outer == '>') {
            Guide().auto_mode_key_Click(1);
        } else if (c.outer == 'L') {
            Guide().Option2_KeyPress(1, key);
        } else {
            PressKey(key);
        }
        EXPECT_EQ(stepSeen, c.seen);
        EXPECT_EQ(State().StepIndex, c.last);
        EXPECT_TRUE(ShowsPattern(c.last));
        ExpectGuideTexts(State().LanguageIndex, c.last);
        EXPECT_EQ(Guide().auto_mode_key(1).Enabled(), c.last < 8);
        EXPECT_EQ(Guide().auto_mode_key(2).Caption(), State().ButtonText(State().LanguageIndex, c.last == 8 ? 4 : 3));
    }
}

}  // namespace
}  // namespace quorvane::testing
