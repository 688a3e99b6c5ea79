#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "guide/form3.h"
#include "pattern/frm_test_form.h"
#include "platform/fake/fake_os.h"
#include "platform/fake/headless_backend.h"
#include "platform/toolkit/program.h"
#include "startup/program_state.h"
#include "startup/program_windows.h"
#include "support/scoped_work_dir.h"

namespace quorvane::testing {

// A picture in device pixels, 0x00RRGGBB row by row.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> colours;

    uint32_t At(int x, int y) const { return colours[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
    void Set(int x, int y, uint32_t colour)
    {
        colours[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = colour;
    }
    Pixels TopLeft(int w, int h) const
    {
        Pixels part{w, h, {}};
        for (int y = 0; y < h; ++y) {
            const auto row = colours.begin() + static_cast<ptrdiff_t>(y) * width;
            part.colours.insert(part.colours.end(), row, row + w);
        }
        return part;
    }
};

// What the test window shows.
inline Pixels Shown()
{
    const HeadlessPicture& shot = HeadlessBackend::Of(TestForm().Native()).Screenshot();
    Pixels pixels{shot.width, shot.height, shot.pixels};
    for (uint32_t& pixel : pixels.colours) {
        pixel &= 0xFFFFFFu;
    }
    return pixels;
}

// The whole program on the headless window system with the fake services:
// the sample text files in a scratch current directory, fresh shared state
// and fresh windows for every test.
class ProgramTest : public ::testing::Test {
protected:
    ProgramTest()
    {
        State() = ProgramState{};
        for (const char* name : {"LcLCFile.txt", "LcdTFile.txt"}) {
            std::filesystem::copy_file(std::filesystem::path(QUORVANE_DATA_DIR) / name, workDir_.Path() / name);
        }
    }

    // A run-time error that reached the fatal path, unless the test expects one.
    void TearDown() override
    {
        if (!fatalExpected_) {
            EXPECT_EQ(windowSystem_.FatalMessages(), std::vector<std::string>());
        }
    }

    // What the program does first: load the start-up window, then show it.
    void StartProgram()
    {
        TestForm().Load();
        TestForm().Show();
    }

    // The exit code when `action` ends the program, nothing when it returns.
    static std::optional<int> ExitCodeOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const ProcessEnded& ended) {
            return ended.exitCode;
        }
        return std::nullopt;
    }

    // Presses a key on the Next button, as the step keys arrive.
    static void PressKey(int16_t key) { Guide().auto_mode_key_KeyPress(1, key); }

    static void GoToStep(int16_t step)
    {
        while (State().StepIndex < step) {
            PressKey('N');
        }
    }

    // The native side of a window or widget, as a user reaches it.
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

    // The target monitor in the shared state and the test window over it (pixels, 15 twips each).
    static void ExpectTarget(int32_t handle, int32_t left, int32_t top, int32_t width, int32_t height)
    {
        const ProgramState& s = State();
        EXPECT_EQ((std::vector<int32_t>{s.TargetMonitor, s.TargetLeft, s.TargetTop, s.TargetRight, s.TargetBottom,
                                        s.TargetWidth, s.TargetHeight, s.PatternWidth, s.PatternHeight}),
                  (std::vector<int32_t>{handle, left, top, left + width, top + height, width, height, width, height}));
        EXPECT_EQ((std::vector<double>{TestForm().Left(), TestForm().Top(), TestForm().Width(), TestForm().Height()}),
                  (std::vector<double>{left * 15.0, top * 15.0, width * 15.0, height * 15.0}));
    }

    bool fatalExpected_ = false;
    ScopedWorkDir workDir_;
    FakeOs os_;
    ScopedOs scopedOs_{os_};
    HeadlessBackend windowSystem_;
    backend::ScopedBackend scopedWindowSystem_{windowSystem_};
    ProgramWindows windows_;
};

// The picture a step leaves on a width x height test window, built from the
// patterns' definitions: a white field; the grating (light-cyan border, a
// light-cyan line on every even column when wider than tall, else on every
// even row, on black); the cross (white border and both diagonals on black).
// A diagonal has one pixel per step along the longer side and, across it, the
// pixel nearest the ideal line, halves toward the larger coordinate.
inline Pixels ExpectedPattern(int step, int width, int height)
{
    const uint32_t white = 0xFFFFFF;
    const uint32_t lightCyan = 0x00FFFF;
    const size_t area = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (step <= 4) {
        return {width, height, std::vector<uint32_t>(area, white)};
    }
    Pixels image{width, height, std::vector<uint32_t>(area, 0)};
    const uint32_t ink = step <= 6 ? lightCyan : white;
    for (int x = 0; x < width; ++x) {
        image.Set(x, 0, ink);
        image.Set(x, height - 1, ink);
    }
    for (int y = 0; y < height; ++y) {
        image.Set(0, y, ink);
        image.Set(width - 1, y, ink);
    }
    if (step <= 6) {
        for (int x = 0; width > height && x < width; x += 2) {
            for (int y = 0; y < height; ++y) {
                image.Set(x, y, ink);
            }
        }
        for (int y = 0; width <= height && y < height; y += 2) {
            for (int x = 0; x < width; ++x) {
                image.Set(x, y, ink);
            }
        }
        return image;
    }
    const bool wide = width >= height;
    const int64_t along = (wide ? width : height) - 1;
    const int64_t across = (wide ? height : width) - 1;
    for (int64_t i = 0; i <= along; ++i) {
        // Through (0, 0): across coordinate i * across / along, rounded.
        const int64_t rising = along == 0 ? 0 : (2 * i * across + along) / (2 * along);
        // Through (W-1, 0): on a wide window x runs down from W-1 and y rises
        // as above; on a tall one y runs down the rows and x falls from W-1.
        const int64_t falling = along == 0 ? 0 : (2 * across * along - 2 * i * across + along) / (2 * along);
        if (wide) {
            image.Set(static_cast<int>(i), static_cast<int>(rising), ink);
            image.Set(static_cast<int>(along - i), static_cast<int>(rising), ink);
        } else {
            image.Set(static_cast<int>(rising), static_cast<int>(i), ink);
            image.Set(static_cast<int>(falling), static_cast<int>(i), ink);
        }
    }
    return image;
}

// Compares two pictures pixel by pixel.
inline ::testing::AssertionResult SamePicture(const Pixels& actual, const Pixels& expected)
{
    if (actual.width != expected.width || actual.height != expected.height) {
        return ::testing::AssertionFailure() << "size " << actual.width << "x" << actual.height;
    }
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            if (actual.At(x, y) != expected.At(x, y)) {
                return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << std::hex
                                                     << actual.At(x, y) << " not " << expected.At(x, y);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// Whether the test window shows exactly the pattern of `step`.
inline ::testing::AssertionResult ShowsPattern(int step)
{
    return SamePicture(Shown(), ExpectedPattern(step, State().TargetWidth, State().TargetHeight));
}

}  // namespace quorvane::testing
