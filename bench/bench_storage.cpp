// Reading a large price list and saving a day's history, each beside the
// bare file operation underneath, so the codec's and the durable save's own
// cost can be read off.
#include "storage/Codec.h"
#include "storage/PriceList.h"
#include "storage/SalesFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <unistd.h>

using namespace tallimo;
using namespace Qt::StringLiterals;

namespace {

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

QStringList priceListLines(int count) {
    const QString names[] = {u"Piñata de colores"_s, u"Café molido de altura"_s, u"Jabón de baño"_s,
                             u"Azúcar morena"_s, u"Pan dulce"_s};
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines << u"%1 %2 $%3.50"_s.arg(names[i % 5]).arg(i).arg(i % 300);
    return lines;
}

// The same 100,000 lines (about 3 MB) in both encodings a list may arrive in.
const QString& priceListFile(bool utf8) {
    static const QStringList lines = priceListLines(100000);
    static const QString legacy = [] {
        const QString path = scratch().filePath(u"Lista.txt"_s);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(encodeLines(lines));
        return path;
    }();
    static const QString modern = [] {
        const QString path = scratch().filePath(u"Lista-utf8.txt"_s);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(lines.join(u"\r\n"_s).toUtf8() + "\r\n");
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

const QStringList& dayHistory() {
    static const QStringList items = [] {
        QStringList lines;
        for (int i = 0; i < 10000; ++i) {
            lines << (i % 10 == 9
                          ? u"-------------------------------------------------->Total $%1.00"_s
                                .arg(i)
                          : u"2 x Café con azúcar %1 de $12.50 = $25.00"_s.arg(i));
        }
        return lines;
    }();
    return items;
}

void BM_EncodeSalesFile(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(salesFileBytes(dayHistory()));
}
BENCHMARK(BM_EncodeSalesFile)->Unit(benchmark::kMicrosecond);

void BM_SaveSalesFile(benchmark::State& state) {
    const QString path = scratch().filePath(u"Ventas de 05-03-2024.txt"_s);
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
    const QString path = scratch().filePath(u"Ventas-bare.txt"_s);
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
