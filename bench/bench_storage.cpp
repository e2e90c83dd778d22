// Reading a large price list and saving a day's history, each beside the
// bare file operation underneath, so the codec's and the durable save's own
// cost can be read off.
#include "storage/PriceList.h"
#include "storage/SalesFile.h"
#include "support/ShopDrive.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

using namespace tallimo;
using namespace tallimo::test;
using namespace Qt::StringLiterals;

namespace {

ShopDrive& drive() {
    static ShopDrive d;
    return d;
}

// The same 100,000 lines (about 3 MB) in both encodings a list may arrive in.
const QString& priceListFile(bool utf8) {
    static const QStringList lines = priceListLines(100000);
    static const QString legacy = [] {
        drive().writePriceList(lines);
        return drive().desktop() + u"/Lista.txt"_s;
    }();
    static const QString modern = [] {
        const QString path = drive().desktop() + u"/Lista-utf8.txt"_s;
        writeBytes(path, lines.join(u"\r\n"_s).toUtf8() + "\r\n");
        return path;
    }();
    return utf8 ? modern : legacy;
}

void BM_ReadPriceList(benchmark::State& state) {
    const QString& path = priceListFile(state.range(0) != 0);
    for (auto _ : state) {
        const auto items = readPriceList(path);
        if (!items || items->size() != 100000)
            state.SkipWithError("price list not read whole");
        benchmark::DoNotOptimize(items);
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}
BENCHMARK(BM_ReadPriceList)->ArgName("utf8")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What any reader pays: read the bytes, widen them, cut at CR LF.
void BM_BareReadAndSplit(benchmark::State& state) {
    const QString& path = priceListFile(false);
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open");
        const QStringList items = QString::fromLatin1(file.readAll()).split(u"\r\n"_s);
        benchmark::DoNotOptimize(items);
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}
BENCHMARK(BM_BareReadAndSplit)->Unit(benchmark::kMillisecond);

// 10,000 lines, a total line after every nine.
const QStringList& dayHistory() {
    static const QStringList items = salesDay({10000, 9, 10000});
    return items;
}

void BM_EncodeSalesFile(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(salesFileBytes(dayHistory()));
}
BENCHMARK(BM_EncodeSalesFile)->Unit(benchmark::kMicrosecond);

void BM_SaveSalesFile(benchmark::State& state) {
    const QString path = drive().salesFile();
    for (auto _ : state) {
        if (!saveSalesFile(path, dayHistory()))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * salesFileBytes(dayHistory()).size());
}
BENCHMARK(BM_SaveSalesFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same bytes written in place and synced: no encoding, no temporary, no
// rename, no folder sync.
void BM_BareWriteAndSync(benchmark::State& state) {
    const QString path = drive().desktop() + u"/Ventas-bare.txt"_s;
    const QByteArray bytes = salesFileBytes(dayHistory());
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0)
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_BareWriteAndSync)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
