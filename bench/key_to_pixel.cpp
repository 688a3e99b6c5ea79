// Time from a key press to the new test pattern on screen: Quorvane going
// from step 4 (white field) to step 5 (grating) and back, beside a bare
// window titled "bare_pattern_window" that swaps the same two pictures, made
// in advance (the floor). Without arguments the two are the Linux programs
// built here, started in the sample data folder; the command line may name
// others (see compared_programs.h). The keys come through XTest; then one
// pixel of the pattern window, on an odd column (white in the field, black in
// the grating), is read again and again until it shows the new pattern. Runs
// on the display named by $DISPLAY: one monitor covering the screen, a window
// manager and no other program's windows.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "child_environment.h"
#include "compared_programs.h"
#include "fake_keyboard.h"
#include "launched_process.h"
#include "screen_reader.h"
#include "timing_summary.h"
#include "window_conditions.h"
#include "window_watch.h"

namespace quorvane::bench {
namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kLaunches = 3;        // of each program, alternating
constexpr int kPairsPerLaunch = 5;  // counted, after one warm-up pair
constexpr auto kDeadline = std::chrono::seconds(10);
// Between two reads of the pixel: short against the times measured, long
// enough to leave the processor to the server and the program.
constexpr auto kPollInterval = std::chrono::microseconds(500);
// After the new pattern showed: the program ends its work for the key (the
// guide's texts, for one) before the next.
constexpr auto kSettle = std::chrono::milliseconds(150);
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kNextKeysym = 'n';
constexpr uint32_t kBackKeysym = 'b';

struct Program {
    std::string name;
    std::vector<std::string> command;
    std::string patternTitle;  // of the window that shows the pattern
    bool guided;               // keys go to a guide dialog that starts at step 1
};

// Where the pattern is read.
struct Probe {
    xcb_window_t window;
    int x, y;
};

// One key press: how long until the new pattern showed, and the colours
// the pixel showed on the way.
struct KeyTiming {
    double milliseconds;
    std::vector<uint32_t> statesBetween;
};

struct Timings {
    std::vector<double> toGrating, toWhite;  // ms
    int presses = 0;
    int pressesWithStatesBetween = 0;
    std::vector<uint32_t> statesBetween;  // each colour once

    void Add(std::vector<double> Timings::*direction, const KeyTiming& key)
    {
        (this->*direction).push_back(key.milliseconds);
        ++presses;
        pressesWithStatesBetween += key.statesBetween.empty() ? 0 : 1;
        for (const uint32_t colour : key.statesBetween) {
            if (std::find(statesBetween.begin(), statesBetween.end(), colour) == statesBetween.end()) {
                statesBetween.push_back(colour);
            }
        }
    }
};

// The display and what is known of it before any program starts.
struct Display {
    WindowWatch watch;
    ScreenReader reader;
    FakeKeyboard keyboard;
    xcb_keycode_t next = keyboard.KeyOf(kNextKeysym);
    xcb_keycode_t back = keyboard.KeyOf(kBackKeysym);
    std::vector<xcb_window_t> windowManagers;  // mapped before: the window manager's own
};

void WaitFor(WindowWatch& watch, const WindowWatch::Condition& condition, LaunchedProcess& process,
             const std::string& what)
{
    const WaitResult result = watch.WaitUntil(condition, Clock::now() + kDeadline, process.EndDescriptor());
    if (result == WaitResult::TimedOut) {
        throw std::runtime_error(what + " did not come in " + std::to_string(kDeadline.count()) + " s");
    }
    if (result == WaitResult::Interrupted) {
        throw std::runtime_error("it ended (" + DescribeStatus(process.Stop()) + ") before " + what + " came");
    }
}

std::string Hex(uint32_t colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "#%06x", colour);
    return text;
}

void WaitForColour(ScreenReader& reader, const Probe& probe, uint32_t colour)
{
    const Clock::time_point deadline = Clock::now() + kDeadline;
    uint32_t seen = reader.Pixel(probe.window, probe.x, probe.y);
    while (seen != colour) {
        if (Clock::now() > deadline) {
            throw std::runtime_error("the pattern shows " + Hex(seen) + ", not " + Hex(colour));
        }
        std::this_thread::sleep_for(kPollInterval);
        seen = reader.Pixel(probe.window, probe.x, probe.y);
    }
}

// Types `key`, then reads the pixel until it shows `colour`.
KeyTiming TimeKey(Display& display, xcb_keycode_t key, const Probe& probe, uint32_t colour)
{
    uint32_t last = display.reader.Pixel(probe.window, probe.x, probe.y);
    if (last == colour) {
        throw std::runtime_error("the pattern shows " + Hex(colour) + " before the key");
    }
    KeyTiming timing{0, {}};
    const Clock::time_point start = Clock::now();
    display.keyboard.Type(key);
    for (;;) {
        const uint32_t pixel = display.reader.Pixel(probe.window, probe.x, probe.y);
        const Clock::time_point now = Clock::now();
        if (pixel == colour) {
            timing.milliseconds = Milliseconds(now - start).count();
            return timing;
        }
        if (pixel != last) {
            timing.statesBetween.push_back(pixel);
            last = pixel;
        }
        if (now - start > kDeadline) {
            throw std::runtime_error("the pattern still shows " + Hex(pixel) + ", not " + Hex(colour) + ", " +
                                     std::to_string(kDeadline.count()) + " s after the key");
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

// Waits until the program shows the white field of step 4, with the keyboard
// focus on the window that takes its keys; gives where to read the pattern.
Probe Prepare(Display& display, const Program& program, LaunchedProcess& process)
{
    WaitFor(display.watch, MappedWithTitle(program.patternTitle), process, "the pattern window");
    const ScreenRectangle screen = display.reader.Screen();
    const Probe probe{FindMapped(display.watch.Windows(), program.patternTitle)->id, (screen.width / 2) | 1,
                      screen.height / 2};
    const ScreenRectangle place = display.reader.Place(probe.window);
    if (place.x != 0 || place.y != 0 || place.width != screen.width || place.height != screen.height) {
        throw std::runtime_error("the pattern window covers " + std::to_string(place.width) + " x " +
                                 std::to_string(place.height) + " at (" + std::to_string(place.x) + ", " +
                                 std::to_string(place.y) + "), not the screen");
    }

    xcb_window_t keyTarget = probe.window;
    if (program.guided) {
        WaitFor(display.watch, MappedWithTitle("Step 1/8"), process, "the guide at step 1");
        keyTarget = FindMapped(display.watch.Windows(), "Step 1/8")->id;
        if (display.reader.Place(keyTarget).Contains(probe.x, probe.y)) {
            throw std::runtime_error("the guide covers the pixel read");
        }
    }
    display.keyboard.Focus(keyTarget, Clock::now() + kDeadline);
    WaitForColour(display.reader, probe, kWhite);
    if (program.guided) {
        for (int step = 2; step <= 4; ++step) {
            display.keyboard.Type(display.next);
            WaitFor(display.watch, MappedWithTitle("Step " + std::to_string(step) + "/8"), process,
                    "the guide at step " + std::to_string(step));
        }
        WaitForColour(display.reader, probe, kWhite);
    }
    return probe;
}

void MeasureLaunch(Display& display, const Program& program, const std::string& folder,
                   const std::vector<std::string>& environment, Timings& timings)
{
    LaunchedProcess process(program.command, folder, environment);
    const Probe probe = Prepare(display, program, process);
    std::this_thread::sleep_for(kSettle);
    for (int pair = 0; pair <= kPairsPerLaunch; ++pair) {
        const KeyTiming toGrating = TimeKey(display, display.next, probe, kBlack);
        std::this_thread::sleep_for(kSettle);
        const KeyTiming toWhite = TimeKey(display, display.back, probe, kWhite);
        std::this_thread::sleep_for(kSettle);
        // The first pair warms up.
        if (pair > 0) {
            timings.Add(&Timings::toGrating, toGrating);
            timings.Add(&Timings::toWhite, toWhite);
        }
    }
    process.Stop();
    // The next launch starts on a display with only the window manager's windows.
    if (display.watch.WaitUntil(NoneMappedBut(display.windowManagers), Clock::now() + kDeadline) !=
        WaitResult::Reached) {
        throw std::runtime_error("its windows stayed after it ended");
    }
}

void PrintDirection(const char* heading, std::vector<double> Timings::*direction, const Program (&programs)[2],
                    const Timings (&timings)[2], std::optional<double> goal)
{
    const Summary quorvane = Summarise(timings[0].*direction);
    const Summary floor = Summarise(timings[1].*direction);
    std::printf("%s\n", heading);
    PrintSummaryHeader();
    PrintSummary(programs[0].name.c_str(), quorvane);
    PrintSummary(programs[1].name.c_str(), floor);
    PrintRatio(programs[0].name.c_str(), programs[1].name.c_str(), quorvane.median / floor.median, goal);
}

void PrintStatesBetween(const Program& program, const Timings& timings)
{
    std::printf("%s: %d of %d presses showed other colours before the new pattern", program.name.c_str(),
                timings.pressesWithStatesBetween, timings.presses);
    for (const uint32_t colour : timings.statesBetween) {
        std::printf(" %s", Hex(colour).c_str());
    }
    std::printf("\n");
}

int Run(const ComparedPrograms& compared)
{
    const Program programs[] = {{NameOf(compared.quorvane), compared.quorvane, "Form2", true},
                                {NameOf(compared.floor), compared.floor, "bare_pattern_window", false}};
    const std::vector<std::string> environment = ChildEnvironment();
    Display display;
    display.windowManagers = MappedWindows(display.watch.Windows());

    Timings timings[2];
    for (int launch = 0; launch < kLaunches; ++launch) {
        for (size_t i = 0; i < 2; ++i) {
            try {
                MeasureLaunch(display, programs[i], compared.folder, environment, timings[i]);
            } catch (const std::runtime_error& error) {
                throw std::runtime_error(programs[i].name + ": " + error.what());
            }
        }
    }

    const ScreenRectangle screen = display.reader.Screen();
    std::printf("Key press to the new pattern on a %d x %d screen, in ms (%d launches of each, alternating; %d "
                "presses each way a launch, after one warm-up pair)\n",
                screen.width, screen.height, kLaunches, kPairsPerLaunch);
    PrintDirection("white field to grating (quorvane: N at step 4)", &Timings::toGrating, programs, timings,
                   compared.goal);
    PrintDirection("grating to white field (quorvane: B at step 5)", &Timings::toWhite, programs, timings,
                   compared.goal);
    for (size_t i = 0; i < 2; ++i) {
        PrintStatesBetween(programs[i], timings[i]);
    }
    return 0;
}

}  // namespace
}  // namespace quorvane::bench

int main(int argc, char* argv[])
{
    return quorvane::bench::RunComparison("key_to_pixel", argc, argv,
                                          {QUORVANE_DATA_DIR, {QUORVANE_EXE}, {BARE_PATTERN_WINDOW_EXE}, std::nullopt},
                                          quorvane::bench::Run);
}
