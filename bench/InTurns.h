#pragma once

#include "widgets/Fonts.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace tallimo::bench {

inline double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// A step and its bare baseline, taken in turns so that the machine's moods fall
// on both alike. The iteration's time is the step's; the medians of both and
// their ratio are counters ("<name>_median_ms", "bare_median_ms", "ratio").
// `before` runs untimed ahead of each turn.
template <typename Before, typename Step, typename Bare>
void inTurnsWithBare(benchmark::State& state, const std::string& name, Before before, Step step,
                     Bare bare) {
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    std::vector<double> steps, bares;
    for (auto _ : state) {
        before();
        const auto t0 = Clock::now();
        step();
        const auto t1 = Clock::now();
        bare();
        const auto t2 = Clock::now();
        steps.push_back(ms(t1 - t0));
        bares.push_back(ms(t2 - t1));
        state.SetIterationTime(steps.back() / 1000);
    }
    const double stepMedian = median(steps), bareMedian = median(bares);
    state.counters[name + "_median_ms"] = stepMedian;
    state.counters["bare_median_ms"] = bareMedian;
    state.counters["ratio"] = bareMedian > 0 ? stepMedian / bareMedian : 0;
}

// The benchmarks of a program that opens windows, on the offscreen platform.
inline int runWithWindows(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace tallimo::bench
