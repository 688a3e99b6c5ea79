#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace quorvane::bench {

// The spread of a series of timings, in the unit they were given in.
struct Summary {
    size_t runs;
    double min, q1, median, q3, max;
};

Summary Summarise(std::vector<double> times);  // `times` is not empty

// A table with one row per program: the header, then each row.
void PrintSummaryHeader();
void PrintSummary(const char* name, const Summary& summary);

// How the median of `name` compares with that of `floor`, with the goal
// when there is one.
void PrintRatio(const char* name, const char* floor, double ratio, std::optional<double> goal);

}  // namespace quorvane::bench
