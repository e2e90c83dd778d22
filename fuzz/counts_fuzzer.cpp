// The counts file on any bytes: every count read has fields a cashier could
// type, and the counts read, written again, read back the same.

#include "FuzzSupport.h"

#include "storage/Codec.h"
#include "summary/CashCount.h"

using namespace tallimo;
using namespace tallimo::fuzz;
using namespace tallimo::summary;

namespace {

bool same(const CashCount& a, const CashCount& b) {
    return a.time == b.time && a.firstSale == b.firstSale && a.lastSale == b.lastSale &&
           a.charged == b.charged && a.fondo == b.fondo && a.tarjeta == b.tarjeta &&
           a.retiros == b.retiros && a.contado == b.contado;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const CountsRead read = readCounts(bytes);
    for (const CashCount& count : read.counts) {
        for (const Cents field : {count.fondo, count.tarjeta, count.retiros, count.contado})
            require(field >= 0 && field <= kMaxCountCents, "a field within what can be typed",
                    count.time);
        require(count.firstSale >= 1 && count.lastSale >= count.firstSale - 1,
                "sales counted from 1", count.time);
    }
    for (const QString& mark : {QStringLiteral("."), QStringLiteral(",")}) {
        QStringList lines;
        for (qsizetype i = 0; i < read.counts.size(); ++i)
            lines += countBlock(read.counts[i], int(i) + 1, mark);
        const CountsRead again = readCounts(encodeLines(lines));
        require(again.unreadable == 0 && again.counts.size() == read.counts.size(),
                "every count written reads back", mark);
        for (qsizetype i = 0; i < read.counts.size(); ++i)
            require(same(again.counts[i], read.counts[i]), "the same count back", mark);
    }
    const CountPeriod next = nextPeriod({1, 2, 3}, read.counts);
    require(next.lastSale >= next.firstSale - 1, "the next period is a period");
    return 0;
}
