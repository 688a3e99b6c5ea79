#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "guide/form3.h"
#include "pattern/frm_test_form.h"
#include "platform/fake/fake_os.h"
#include "startup/program_state.h"
#include "startup/program_windows.h"
#include "support/scoped_work_dir.h"

namespace quorvane::testing {

// The whole program on Qt's offscreen platform with the fake services: the
// sample text files in a scratch current directory, fresh shared state and
// fresh windows for every test.
class ProgramTest : public ::testing::Test {
protected:
    ProgramTest()
    {
        // A deferred re-activation left by an earlier test's closed dialog
        // runs now, while no window is loaded, so it finds nothing to act on.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        State() = ProgramState{};
        for (const char* name : {"LcLCFile.txt", "LcdTFile.txt"}) {
            std::filesystem::copy_file(std::filesystem::path(QUORVANE_DATA_DIR) / name, workDir_.Path() / name);
        }
    }

    // A run-time error that reached the fatal path, unless the test expects one.
    void TearDown() override
    {
        if (!fatalExpected_) {
            EXPECT_EQ(os_.FatalMessages(), std::vector<std::string>());
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

    static QLabel& Image1Label() { return *static_cast<QLabel*>(TestForm().Image1().Native()); }

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
    ProgramWindows windows_;
};

// The picture a step leaves on a width x height test window, built from the
// patterns' definitions: a white field; the grating (light-cyan border, a
// light-cyan line on every even column when wider than tall, else on every
// even row, on black); the cross (white border and both diagonals on black).
// A diagonal has one pixel per step along the longer side and, across it, the
// pixel nearest the ideal line, halves toward the larger coordinate.
inline QImage ExpectedPattern(int step, int width, int height)
{
    const QRgb white = qRgb(255, 255, 255);
    const QRgb lightCyan = qRgb(0, 255, 255);
    QImage image(width, height, QImage::Format_RGB32);
    if (step <= 4) {
        image.fill(white);
        return image;
    }
    image.fill(qRgb(0, 0, 0));
    const QRgb ink = step <= 6 ? lightCyan : white;
    for (int x = 0; x < width; ++x) {
        image.setPixel(x, 0, ink);
        image.setPixel(x, height - 1, ink);
    }
    for (int y = 0; y < height; ++y) {
        image.setPixel(0, y, ink);
        image.setPixel(width - 1, y, ink);
    }
    if (step <= 6) {
        for (int x = 0; width > height && x < width; x += 2) {
            for (int y = 0; y < height; ++y) {
                image.setPixel(x, y, ink);
            }
        }
        for (int y = 0; width <= height && y < height; y += 2) {
            for (int x = 0; x < width; ++x) {
                image.setPixel(x, y, ink);
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
            image.setPixel(static_cast<int>(i), static_cast<int>(rising), ink);
            image.setPixel(static_cast<int>(along - i), static_cast<int>(rising), ink);
        } else {
            image.setPixel(static_cast<int>(rising), static_cast<int>(i), ink);
            image.setPixel(static_cast<int>(falling), static_cast<int>(i), ink);
        }
    }
    return image;
}

// Compares the colours of two opaque pictures pixel by pixel.
inline ::testing::AssertionResult SamePicture(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size()) {
        return ::testing::AssertionFailure() << "size " << actual.width() << "x" << actual.height();
    }
    const QImage got = actual.convertToFormat(QImage::Format_RGB32);
    const QImage want = expected.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < got.height(); ++y) {
        if (std::memcmp(got.constScanLine(y), want.constScanLine(y), static_cast<size_t>(got.width()) * 4) == 0) {
            continue;
        }
        for (int x = 0; x < got.width(); ++x) {
            if ((got.pixel(x, y) ^ want.pixel(x, y)) & 0xFFFFFFu) {
                return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << std::hex
                                                     << (got.pixel(x, y) & 0xFFFFFFu) << " not "
                                                     << (want.pixel(x, y) & 0xFFFFFFu);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// Whether the test window shows exactly the pattern of `step`.
inline ::testing::AssertionResult ShowsPattern(int step)
{
    return SamePicture(TestForm().Picture(), ExpectedPattern(step, State().TargetWidth, State().TargetHeight));
}

}  // namespace quorvane::testing
