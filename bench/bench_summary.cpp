// The day's summary over a 100,000-line sales file and over a year of daily
// files, each beside a bare read of the same bytes (and the day beside the
// sale window's own load of it).
#include "storage/SalesFile.h"
#include "storage/TextFile.h"
#include "summary/SalesSummary.h"
#include "support/ShopDrive.h"

#include <benchmark/benchmark.h>

using namespace tallimo;
using namespace tallimo::test;

namespace {

ShopDrive& drive() {
    static ShopDrive d;
    return d;
}

// Sales of four lines over five products, every seventh left without its total line.
QString writeDay(QDate day, int lines) {
    writeBytes(drive().salesFile(day), salesDayBytes({lines, 4, 5, 0, 7}));
    return drive().salesFile(day);
}

const QString& bigDay() {
    static const QString path = writeDay(shopDay(), 100000);
    return path;
}

// A busy shop: 400 lines a day.
const QStringList& year() {
    static const QStringList paths = [] {
        QStringList out;
        for (int day = 1; day <= 365; ++day)
            out << writeDay(shopDay().addDays(-day), 400);
        return out;
    }();
    return paths;
}

void BM_DayBareRead(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(readFileBytes(bigDay()));
}
BENCHMARK(BM_DayBareRead)->Unit(benchmark::kMillisecond);

// What the sale window does with the same file when it opens: read, decode, cut lines.
void BM_DayRegisterLoad(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(readSalesFile(bigDay()));
}
BENCHMARK(BM_DayRegisterLoad)->Unit(benchmark::kMillisecond);

void BM_DaySummary(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(summary::summariseBytes(*readFileBytes(bigDay())));
}
BENCHMARK(BM_DaySummary)->Unit(benchmark::kMillisecond);

void BM_YearBareRead(benchmark::State& state) {
    for (auto _ : state) {
        for (const QString& path : year())
            benchmark::DoNotOptimize(readFileBytes(path));
    }
}
BENCHMARK(BM_YearBareRead)->Unit(benchmark::kMillisecond);

void BM_YearSummary(benchmark::State& state) {
    for (auto _ : state) {
        QList<summary::DaySummary> days;
        for (const QString& path : year())
            days << summary::summariseBytes(*readFileBytes(path));
        benchmark::DoNotOptimize(summary::sumOfDays(days, {}));
    }
}
BENCHMARK(BM_YearSummary)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
