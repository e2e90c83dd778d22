// The day's summary over a 100,000-line sales file and over a year of daily
// files, each beside a bare read of the same bytes (and the day beside the
// sale window's own load of it).
#include "storage/Codec.h"
#include "storage/SalesFile.h"
#include "storage/TextFile.h"
#include "summary/SalesSummary.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tallimo;

namespace {

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

// Sales of one to five lines, most of them paid, as the register writes them.
QByteArray dayBytes(int lines) {
    const QString names[] = {QStringLiteral("Refresco"), QStringLiteral("Café molido"),
                             QStringLiteral("Pan dulce"), QStringLiteral("Jabón de baño"),
                             QStringLiteral("Queso fresco de la casa")};
    QStringList out;
    double total = 0;
    for (int i = 0; out.size() < lines; ++i) {
        const int quantity = 1 + i % 3;
        const double price = 4.5 + (i % 40) * 1.25;
        out << QStringLiteral("%1 x %2 de $%3 = $%4")
                   .arg(quantity)
                   .arg(names[i % 5])
                   .arg(price, 0, 'f', 2)
                   .arg(price * quantity, 0, 'f', 2);
        total += price * quantity;
        if (i % 4 == 3 && i % 28 != 27)
            out << QString(50, u'-') + QStringLiteral(">Total $%1").arg(total, 0, 'f', 2);
        if (i % 4 == 3)
            total = 0;
    }
    return encodeLines(out) + "\r\n";
}

QString writeDay(const QString& name, int lines) {
    const QString path = scratch().filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(dayBytes(lines));
    return path;
}

const QString& bigDay() {
    static const QString path = writeDay(QStringLiteral("Ventas de 05-12-26.txt"), 100000);
    return path;
}

// A busy shop: 400 lines a day.
const QStringList& year() {
    static const QStringList paths = [] {
        QStringList out;
        for (int day = 0; day < 365; ++day)
            out << writeDay(QStringLiteral("Ventas de %1.txt").arg(day), 400);
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
