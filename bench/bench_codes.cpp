// Looking a scanned code up among 100,000, beside a bare QHash lookup of the
// same key (a scan must ring up in well under a millisecond), and reading a
// 100,000-line Codigos.txt into its book.
#include "sale/CodeBook.h"
#include "support/ShopDrive.h"

#include <QElapsedTimer>
#include <QHash>
#include <benchmark/benchmark.h>

using namespace tallimo;
using namespace tallimo::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kCodes = 100000;

// "750" + nine digits + the check digit: a valid EAN-13.
QString ean13(int number) {
    const QString body = u"750"_s + QString::number(number).rightJustified(9, u'0');
    int sum = 0;
    for (qsizetype i = 0; i < body.size(); ++i)
        sum += (body[i].unicode() - u'0') * (i % 2 == 0 ? 1 : 3);
    return body + QChar(u'0' + (10 - sum % 10) % 10);
}

const QStringList& codeLines() {
    static const QStringList lines = [] {
        QStringList all{u"# Códigos de la tienda"_s, u"2000001 peso Manzana"_s};
        for (int i = 0; i < kCodes; ++i)
            all.append(ean13(i) + u" Producto número "_s + QString::number(i));
        return all;
    }();
    return lines;
}

// What is scanned: a product at the end of the file, a scale label, an unknown code.
const QString kScans[] = {ean13(kCodes - 1), u"2000001012345"_s, ean13(kCodes + 5)};

void BM_FindAmong100000(benchmark::State& state) {
    const CodeBook book(codeLines());
    const QString& scan = kScans[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(book.find(scan));
    QElapsedTimer timer;
    timer.start();
    const CodeLookup once = book.find(scan);
    if (timer.nsecsElapsed() >= 1000000)
        state.SkipWithError("a lookup took a millisecond or more");
    if (once.status != CodeLookup::Status::Found && state.range(0) != 2)
        state.SkipWithError("a listed code not found");
}
BENCHMARK(BM_FindAmong100000)->ArgName("scan")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// The bare floor: the same key in a QHash of the same size.
void BM_BareHashLookup(benchmark::State& state) {
    QHash<QString, QString> hash;
    hash.reserve(kCodes);
    for (int i = 0; i < kCodes; ++i)
        hash.insert(ean13(i), u"Producto número "_s + QString::number(i));
    const QString& scan = kScans[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(hash.value(scan));
}
BENCHMARK(BM_BareHashLookup)->ArgName("scan")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Codigos.txt read from the disk and its book made, as the sale window does at load.
void BM_ReadCodeFile(benchmark::State& state) {
    static const ShopDrive drive;
    const QString path = drive.desktop() + u"/Codigos.txt"_s;
    if (!saveCodeFile(path, codeLines()))
        state.SkipWithError("cannot write Codigos.txt");
    for (auto _ : state) {
        const std::optional<QStringList> lines = readCodeFile(path);
        const CodeBook book(lines.value_or(QStringList()));
        benchmark::DoNotOptimize(book);
    }
}
BENCHMARK(BM_ReadCodeFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
