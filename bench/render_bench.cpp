// Drawing speed of the test patterns: DrawTestPattern followed by a read of
// the window's picture, so that the composed lines are counted, beside the
// floor of one QImage::fill of the same size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

#include "guide/form3.h"
#include "pattern/frm_test_form.h"
#include "pattern/module11.h"
#include "platform/fake/fake_os.h"
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

// The program started on one monitor of the given size. The test window is
// hidden once shown (and sized): the window system then paints nothing
// during the renderer's yield, and only the renderer and the composition of
// the picture count.
class Program {
public:
    explicit Program(Size size)
    {
        os_.SetMonitors({quorvane::FakeMonitor(0x10001, 0, 0, size.width, size.height, true)});
        State() = quorvane::ProgramState{};
        TestForm().Load();
        TestForm().Show();
        TestForm().Client()->hide();
        QCoreApplication::processEvents();
    }

private:
    quorvane::FakeOs os_;
    quorvane::ScopedOs scopedOs_{os_};
    quorvane::ProgramWindows windows_;
};

void Fill(benchmark::State& state, Size size)
{
    QImage image(size.width, size.height, QImage::Format_RGB32);
    QRgb colour = 0xFF000000;
    image.fill(colour);
    for (auto _ : state) {
        image.fill(colour);
        benchmark::DoNotOptimize(image.constBits());
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
    QImage floor(size.width, size.height, QImage::Format_RGB32);
    // The first touch of fresh memory is no part of drawing.
    quorvane::MODULE11::DrawTestPattern(TestForm());
    QRgb colour = 0xFF000000;
    floor.fill(colour);

    double bestDrawing = 1e9;
    double bestFilling = 1e9;
    for (auto _ : state) {
        const auto start = Clock::now();
        quorvane::MODULE11::DrawTestPattern(TestForm());
        benchmark::DoNotOptimize(TestForm().Picture().constBits());
        const auto drawn = Clock::now();
        colour ^= 0x00FFFFFF;
        floor.fill(colour);
        benchmark::DoNotOptimize(floor.constBits());
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    // The offscreen platform warns at every raise and size hint; the table is what counts.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication application(argc, argv);
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
