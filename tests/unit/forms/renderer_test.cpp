#include <string>
#include <utility>

#include "pattern/module11.h"
#include "program_fixture.h"

namespace quorvane::testing {
namespace {

class RendererTest : public ProgramTest {
protected:
    static void Draw(int16_t step)
    {
        State().StepIndex = step;
        MODULE11::DrawTestPattern(TestForm());
    }

    // Lines 1-3 on step 1; step 5 on a portrait monitor starts with step 1's line 4.
    static void ExpectGuideTexts(int16_t language, int16_t step)
    {
        const ProgramState& s = State();
        std::vector<Text> expected = {s.StepTitle(language, step)};
        for (int16_t k = 1; k <= 6; ++k) {
            expected.push_back(step == 1 && k >= 4 ? Text() : s.StepLine(language, step, k));
        }
        if (step == 5 && s.PatternWidth < s.PatternHeight) {
            expected[1] = s.StepLine(language, 1, 4);
        }
        std::vector<Text> shown = LabelCaptions();
        shown.insert(shown.begin(), Guide().Caption());
        EXPECT_EQ(shown, expected) << "step " << step;
    }
};

// Odd and even, one pixel wide or high; the largest 16-bit sizes end their grating loops at 32766.
TEST_F(RendererTest, EveryStepDrawsItsPatternAndTextsOnAnySize)
{
    StartProgram();
    ProgramState& s = State();
    for (const auto& [width, height] : {std::pair{640, 480}, {641, 480}, {480, 640}, {480, 481}, {500, 500}, {1, 1},
                                        {2, 1}, {1, 3}, {2, 2}, {32767, 241}, {32766, 241}, {321, 32767}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        s.TargetWidth = s.PatternWidth = width;
        s.TargetHeight = s.PatternHeight = height;
        TestForm().CoverTargetMonitor();
        for (int16_t step = 1; step <= 8; ++step) {
            Draw(step);
            EXPECT_TRUE(ShowsPattern(step)) << "step " << step;
            ExpectGuideTexts(s.LanguageIndex, step);
        }
    }
}

// Keys each coming in the yield of the last one's redraw: they end where they lead, without a yield nested per key.
TEST_F(RendererTest, KeyStormInTheYieldsEndsOnItsLastStep)
{
    StartProgram();
    GoToStep(6);
    int left = 60000;
    std::function<void()> press = [&] {
        if (--left > 0) {
            windowSystem_.Post(press);
        }
        PressKey(left % 2 == 0 ? 'N' : 'B');
    };
    windowSystem_.Post(press);
    while (left > 0) {
        toolkit::DoEvents();
    }
    EXPECT_EQ(State().StepIndex, 6);
    EXPECT_TRUE(ShowsPattern(6));
}

// A step key handled in a redraw's yield draws its step; the outer redraw must not draw over it.
TEST_F(RendererTest, StepChangedDuringTheYieldLeavesTheNewerStep)
{
    StartProgram();
    struct Case {
        int16_t from;
        char outer, inner;  // '>' the Next button, 'L' N on a language button, else a key; a key in the yield
        int16_t seen, last;
    };
    for (const Case& c : {Case{5, '>', 'N', 6, 7}, {7, 'B', 'n', 6, 7}, {6, '>', 'N', 7, 8}, {8, 'B', 'x', 7, 7},
                          {6, 'L', 'b', 7, 6}}) {
        GoToStep(c.from);
        int16_t stepSeen = 0;
        toolkit::DoEvents();
        windowSystem_.Post([&] {
            stepSeen = State().StepIndex;
            PressKey(c.inner);
        });
        if (int16_t next = 'N'; c.outer == 'L') {
            Guide().Option2_KeyPress(1, next);
        } else {
            c.outer == '>' ? Guide().auto_mode_key_Click(1) : PressKey(c.outer);
        }
        EXPECT_EQ(std::pair(stepSeen, State().StepIndex), std::pair(c.seen, c.last));
        EXPECT_TRUE(ShowsPattern(c.last));
        ExpectGuideTexts(State().LanguageIndex, c.last);
        EXPECT_EQ(Guide().auto_mode_key(1).Enabled(), c.last < 8);
        EXPECT_EQ(Guide().auto_mode_key(2).Caption(), State().ButtonText(2, c.last == 8 ? 4 : 3));
    }
}

}  // namespace
}  // namespace quorvane::testing
