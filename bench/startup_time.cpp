// Start-up time of Quorvane beside a bare program that shows one empty
// window, on the same display: from just before each process starts until its
// windows are up, as the X server reports them. Without arguments the two
// are the Linux programs built here, started in the sample data folder; the
// command line may name others (see compared_programs.h). A first word
// --floor-shows-both says that the floor shows Quorvane's two windows: it is
// up, as Quorvane is, once both are. Runs on the display named by $DISPLAY,
// which should have no window manager and no other clients' mapped windows.
#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "child_environment.h"
#include "compared_programs.h"
#include "launched_process.h"
#include "timing_summary.h"
#include "window_conditions.h"
#include "window_watch.h"

namespace quorvane::bench {
namespace {

using Clock = WindowWatch::Clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kRuns = 20;
constexpr auto kRunDeadline = std::chrono::seconds(10);
constexpr char kFloorShowsBoth[] = "--floor-shows-both";

struct Program {
    std::string name;
    std::vector<std::string> command;
    WindowWatch::Condition up;
};

// The test window and, in front of it, the guide dialog with a step title.
bool QuorvaneIsUp(const std::vector<TopWindow>& windows)
{
    const bool testWindow = std::any_of(windows.begin(), windows.end(), [](const TopWindow& window) {
        return window.mapped && window.title == "Form2";
    });
    const bool dialog = std::any_of(windows.begin(), windows.end(), [](const TopWindow& window) {
        return window.mapped && !window.title.empty() && window.title != "Form2";
    });
    return testWindow && dialog;
}

bool AnyWindowMapped(const std::vector<TopWindow>& windows) { return !MappedWindows(windows).empty(); }

std::string Describe(const std::vector<TopWindow>& windows)
{
    std::string text;
    for (const TopWindow& window : windows) {
        char id[16];
        std::snprintf(id, sizeof id, "0x%x", window.id);
        text += std::string("\n  window ") + id + (window.mapped ? " mapped" : " unmapped") + ", title \"" +
                window.title + "\"";
    }
    return text.empty() ? "\n  no windows" : text;
}

Milliseconds TimeStartUp(WindowWatch& watch, const Program& program, const std::string& folder,
                         const std::vector<std::string>& environment)
{
    const Clock::time_point start = Clock::now();
    LaunchedProcess process(program.command, folder, environment);
    const WaitResult result = watch.WaitUntil(program.up, start + kRunDeadline, process.EndDescriptor());
    const Milliseconds elapsed = Clock::now() - start;
    const std::string seen = Describe(watch.Windows());
    const int status = process.Stop();

    if (result == WaitResult::TimedOut) {
        throw std::runtime_error(program.name + " was not up after " +
                                 std::to_string(kRunDeadline.count()) + " s; windows seen:" + seen);
    }
    if (result == WaitResult::Interrupted) {
        throw std::runtime_error(program.name + " ended (" + DescribeStatus(status) +
                                 ") before it was up; windows seen:" + seen);
    }
    // The next run starts on a display that shows nothing. Windows that are
    // never shown may stay: those of Wine's own processes, for one.
    if (watch.WaitUntil(NoneMappedBut({}), Clock::now() + kRunDeadline) != WaitResult::Reached) {
        throw std::runtime_error("the windows of " + program.name + " stayed after it ended:" +
                                 Describe(watch.Windows()));
    }
    return elapsed;
}

int Run(const ComparedPrograms& compared, bool floorShowsBoth)
{
    const Program programs[] = {{NameOf(compared.quorvane), compared.quorvane, QuorvaneIsUp},
                                {NameOf(compared.floor), compared.floor,
                                 floorShowsBoth ? WindowWatch::Condition(QuorvaneIsUp) : AnyWindowMapped}};
    const std::vector<std::string> environment = ChildEnvironment();
    WindowWatch watch;
    if (AnyWindowMapped(watch.Windows())) {
        throw std::runtime_error("the display shows windows:" + Describe(watch.Windows()));
    }

    // One run each first, not counted: it fills the file system's caches
    // (and starts Wine's own processes, which a kept wineserver keeps).
    for (const Program& program : programs) {
        TimeStartUp(watch, program, compared.folder, environment);
    }
    std::vector<double> times[2];
    for (int run = 0; run < kRuns; ++run) {
        for (size_t i = 0; i < 2; ++i) {
            times[i].push_back(TimeStartUp(watch, programs[i], compared.folder, environment).count());
        }
    }

    const Summary quorvane = Summarise(times[0]);
    const Summary bare = Summarise(times[1]);
    std::printf("Start-up until the windows are mapped, in ms (runs alternate, after one warm-up run each)\n");
    PrintSummaryHeader();
    PrintSummary(programs[0].name.c_str(), quorvane);
    PrintSummary(programs[1].name.c_str(), bare);
    PrintRatio(programs[0].name.c_str(), programs[1].name.c_str(), quorvane.median / bare.median, compared.goal);
    return 0;
}

}  // namespace
}  // namespace quorvane::bench

int main(int argc, char* argv[])
{
    const bool floorShowsBoth = argc > 1 && std::strcmp(argv[1], quorvane::bench::kFloorShowsBoth) == 0;
    if (floorShowsBoth) {
        // The rest of the command line reads as without the word.
        argv[1] = argv[0];
        --argc;
        ++argv;
    }
    return quorvane::bench::RunComparison(
        "startup_time", argc, argv, {QUORVANE_DATA_DIR, {QUORVANE_EXE}, {BARE_WINDOW_EXE}, 1.3},
        [floorShowsBoth](const quorvane::bench::ComparedPrograms& compared) {
            return quorvane::bench::Run(compared, floorShowsBoth);
        });
}
