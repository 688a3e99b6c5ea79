#include "timing_summary.h"

#include <algorithm>
#include <cstdio>

namespace quorvane::bench {

namespace {

// Linear interpolation between the closest ranks; `sorted` is not empty.
double Quantile(const std::vector<double>& sorted, double fraction)
{
    const double position = fraction * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<size_t>(position);
    const size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (position - static_cast<double>(below)) * (sorted[above] - sorted[below]);
}

}  // namespace

Summary Summarise(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times.size(), times.front(), Quantile(times, 0.25), Quantile(times, 0.5), Quantile(times, 0.75),
            times.back()};
}

void PrintSummaryHeader()
{
    std::printf("%-24s %5s %9s %9s %9s %9s %9s\n", "program", "runs", "median", "q1", "q3", "min", "max");
}

void PrintSummary(const char* name, const Summary& summary)
{
    std::printf("%-24s %5zu %9.1f %9.1f %9.1f %9.1f %9.1f\n", name, summary.runs, summary.median, summary.q1,
                summary.q3, summary.min, summary.max);
}

void PrintRatio(const char* name, const char* floor, double ratio, std::optional<double> goal)
{
    std::printf("ratio of the medians, %s / %s: %.2f", name, floor, ratio);
    if (goal) {
        std::printf(" (goal: at most %.2f)", *goal);
    }
    std::printf("\n");
}

}  // namespace quorvane::bench
