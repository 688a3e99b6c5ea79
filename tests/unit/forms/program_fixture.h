#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "guide/form3.h"
#include "pattern/frm_test_form.h"
#include "platform/fake/fake_os.h"
#include "platform/fake/headless_backend.h"
#include "platform/toolkit/colour.h"
#include "platform/toolkit/program.h"
#include "startup/program_state.h"
#include "startup/program_windows.h"
#include "support/scoped_work_dir.h"

namespace quorvane::testing {

struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> colours;
    uint32_t& At(int x, int y) { return colours[static_cast<size_t>(y * width + x)]; }
};

inline Pixels Shown()
{
    const HeadlessPicture& shot = HeadlessBackend::Of(TestForm().Native()).Screenshot();
    Pixels pixels{shot.width, shot.height, shot.pixels};
    std::for_each(pixels.colours.begin(), pixels.colours.end(), [](uint32_t& pixel) { pixel &= 0xFFFFFFu; });
    return pixels;
}

// White field (steps 1-4); light-cyan border and even columns if wider than tall, else even rows, on
// black (5, 6); white border and diagonals on black (7, 8), per step along the longer side the nearest pixel.
inline Pixels ExpectedPattern(int step, int width, int height)
{
    Pixels image{width, height, std::vector<uint32_t>(static_cast<size_t>(width * height), step <= 4 ? 0xFFFFFFu : 0)};
    const uint32_t ink = step <= 6 ? 0x00FFFFu : 0xFFFFFFu;
    for (int y = 0; step > 4 && y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            if (border || (step <= 6 && (width > height ? x % 2 == 0 : y % 2 == 0))) {
                image.At(x, y) = ink;
            }
        }
    }
    const bool wide = width >= height;
    const int64_t along = (wide ? width : height) - 1, across = (wide ? height : width) - 1;
    const auto near = [&](int64_t i) { return static_cast<int>(along ? (2 * i * across + along) / (2 * along) : 0); };
    for (int i = 0; step >= 7 && i <= along; ++i) {
        const int back = static_cast<int>(along) - i;  // on a wide window x runs, on a tall one y
        if (wide) {
            image.At(i, near(i)) = image.At(back, near(i)) = ink;
        } else {
            image.At(near(i), i) = image.At(near(back), i) = ink;
        }
    }
    return image;
}

inline ::testing::AssertionResult ShowsPattern(int step)
{
    const Pixels shown = Shown(), expected = ExpectedPattern(step, State().TargetWidth, State().TargetHeight);
    if (shown.width != expected.width || shown.height != expected.height) {
        return ::testing::AssertionFailure() << "size " << shown.width << "x" << shown.height;
    }
    const auto at = std::mismatch(shown.colours.begin(), shown.colours.end(), expected.colours.begin()).first;
    const auto i = static_cast<int>(at - shown.colours.begin());
    if (at == shown.colours.end()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "pixel " << i % shown.width << "," << i / shown.width;
}

// The program on the headless window system and fake services, the sample texts in a scratch directory.
class ProgramTest : public ::testing::Test {
protected:
    ProgramTest()
    {
        State() = ProgramState{};
        for (const char* name : {"LcLCFile.txt", "LcdTFile.txt"}) {
            std::filesystem::copy_file(std::filesystem::path(QUORVANE_DATA_DIR) / name, workDir_.Path() / name);
        }
    }
    void TearDown() override { EXPECT_TRUE(fatalExpected_ || windowSystem_.FatalMessages().empty()); }

    static void StartProgram() { TestForm().Show(); }
    static std::optional<int> ExitCodeOf(const std::function<void()>& action)
    {
        try {
            action();
            return std::nullopt;
        } catch (const ProcessEnded& ended) {
            return ended.exitCode;
        }
    }
    // A run-time error in a handler: exit status 1, one message naming it, no window left visible.
    void ExpectFatal(const std::function<void()>& action, int32_t error)
    {
        fatalExpected_ = true;
        EXPECT_EQ(ExitCodeOf([&] { toolkit::RunHandler(action); }), 1);
        ASSERT_EQ(windowSystem_.FatalMessages().size(), 1u);
        EXPECT_NE(windowSystem_.FatalMessages()[0].find("'" + std::to_string(error) + "'"), std::string::npos);
        EXPECT_FALSE((TestForm().IsLoaded() && Native(TestForm()).Shown()) ||
                     (Guide().IsLoaded() && Native(Guide()).Shown()));
    }

    static void PressKey(int16_t key) { Guide().auto_mode_key_KeyPress(1, key); }
    static void GoToStep(int16_t step)
    {
        while (State().StepIndex != step) {
            PressKey(State().StepIndex < step ? 'N' : 'B');
        }
    }
    static HeadlessWindow& Native(toolkit::Form& form) { return HeadlessBackend::Of(form.Native()); }
    static HeadlessWidget& Native(const toolkit::Widget& widget) { return HeadlessBackend::Of(widget.Native()); }
    static std::vector<Text> LabelCaptions()
    {
        std::vector<Text> captions;
        for (int16_t i = 0; i <= 5; ++i) {
            captions.push_back(Guide().Test2(i).Caption());
        }
        return captions;
    }
    // The target (handle, left, top, width, height) in the state and the test window over it.
    static void ExpectTarget(const std::array<int32_t, 5>& target)
    {
        const auto [handle, x, y, w, h] = target;
        const ProgramState& s = State();
        EXPECT_EQ((std::vector<int32_t>{s.TargetMonitor, s.TargetLeft, s.TargetTop, s.TargetRight, s.TargetBottom,
                                        s.TargetWidth, s.TargetHeight, s.PatternWidth, s.PatternHeight}),
                  (std::vector<int32_t>{handle, x, y, x + w, y + h, w, h, w, h}));
        EXPECT_EQ((std::vector<double>{TestForm().Left(), TestForm().Top(), TestForm().Width(), TestForm().Height()}),
                  (std::vector<double>{x * 15.0, y * 15.0, w * 15.0, h * 15.0}));
    }

    bool fatalExpected_ = false;
    ScopedWorkDir workDir_;
    FakeOs os_;
    ScopedOs scopedOs_{os_};
    HeadlessBackend windowSystem_;
    backend::ScopedBackend scopedWindowSystem_{windowSystem_};
    ProgramWindows windows_;
};

}  // namespace quorvane::testing
