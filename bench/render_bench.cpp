// Drawing speed of the test patterns: DrawTestPattern followed by a read of
// the window's picture, so that the composed lines are counted, beside the
// floor of one fill of a picture of the same size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "guide/form3.h"
#include "pattern/frm_test_form.h"
#include "pattern/module11.h"
#include "platform/fake/fake_os.h"
#include "platform/fake/headless_backend.h"
#include "startup/program_state.h"
#include "startup/program_windows.h"

namespace {

using quorvane::State;
using quorvane::TestForm;
using Clock = std::chrono::steady_clock;

struct Size {
    int width;
    int height;
};

constexpr Size kSizes[] = {{1920, 1080}, {3840, 2160}, {7680, 4320}};

struct Pattern {
    const char* name;
    int16_t step;
};

constexpr Pattern kPatterns[] = {{"white_field", 1}, {"grating", 5}, {"cross", 7}};

std::string SizeName(Size size) { return std::to_string(size.width) + "x" + std::to_string(size.height); }

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// The program started on one monitor of the given size, on the headless
// window system: only the renderer and the composition of the picture count.
class Program {
public:
    explicit Program(Size size)
    {
        os_.SetMonitors({quorvane::FakeMonitor(0x10001, 0, 0, size.width, size.height, true)});
        State() = quorvane::ProgramState{};
        TestForm().Load();
        TestForm().Show();
        windowSystem_.ProcessEvents();
    }

private:
    quorvane::FakeOs os_;
    quorvane::ScopedOs scopedOs_{os_};
    quorvane::HeadlessBackend windowSystem_;
    quorvane::backend::ScopedBackend scopedWindowSystem_{windowSystem_};
    quorvane::ProgramWindows windows_;
};

std::vector<uint32_t> Picture(Size size)
{
    return std::vector<uint32_t>(static_cast<size_t>(size.width) * static_cast<size_t>(size.height));
}

void Fill(benchmark::State& state, Size size)
{
    std::vector<uint32_t> image = Picture(size);
    uint32_t colour = 0;
    for (auto _ : state) {
        std::fill(image.begin(), image.end(), colour);
        benchmark::DoNotOptimize(image.data());
        colour ^= 0x00FFFFFF;
    }
}

// Each iteration is timed by hand, and one fill of the same size right after
// it, so that both are measured under the same conditions. On a shared
// machine the best times are the steadiest: the ratio is best to best.
void Draw(benchmark::State& state, Size size, int16_t step)
{
    Program program(size);
    State().StepIndex = step;
    std::vector<uint32_t> floor = Picture(size);
    // The first touch of fresh memory is no part of drawing.
    quorvane::MODULE11::DrawTestPattern(TestForm());
    uint32_t colour = 0;
    std::fill(floor.begin(), floor.end(), colour);

    double bestDrawing = 1e9;
    double bestFilling = 1e9;
    for (auto _ : state) {
        const auto start = Clock::now();
        quorvane::MODULE11::DrawTestPattern(TestForm());
        benchmark::DoNotOptimize(quorvane::HeadlessBackend::Of(TestForm().Native()).Screenshot().pixels.data());
        const auto drawn = Clock::now();
        colour ^= 0x00FFFFFF;
        std::fill(floor.begin(), floor.end(), colour);
        benchmark::DoNotOptimize(floor.data());
        const auto filled = Clock::now();
        state.SetIterationTime(Seconds(drawn - start));
        bestDrawing = std::min(bestDrawing, Seconds(drawn - start));
        bestFilling = std::min(bestFilling, Seconds(filled - drawn));
    }
    state.counters["best_ms"] = 1000 * bestDrawing;
    state.counters["floor_ms"] = 1000 * bestFilling;
    state.counters["ratio"] = bestDrawing / bestFilling;
}

}  // namespace

int main(int argc, char** argv)
{
    // The start-up reads the sample text files from the current directory.
    std::filesystem::current_path(QUORVANE_DATA_DIR);

    for (const Size size : kSizes) {
        benchmark::RegisterBenchmark(("fill/" + SizeName(size)).c_str(), Fill, size)
            ->Unit(benchmark::kMillisecond);
        for (const Pattern& pattern : kPatterns) {
            benchmark::RegisterBenchmark((std::string(pattern.name) + "/" + SizeName(size)).c_str(), Draw, size,
                                         pattern.step)
                ->UseManualTime()
                ->MinTime(0.5)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
