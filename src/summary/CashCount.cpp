#include "summary/CashCount.h"

#include "storage/Codec.h"
#include "storage/Digits.h"
#include "storage/TextFile.h"
#include "summary/SalesSummary.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace tallimo::summary {

namespace {

const QString kTitle = QStringLiteral("Corte de caja ");
const QString kSales = QStringLiteral("Ventas: ");
const QString kNoSales = QStringLiteral("ninguna");
// The labels of the amount lines, in the order they are written.
const QString kCharged = QStringLiteral("Total cobrado: $");
const QString kFondo = QStringLiteral("Fondo inicial: $");
const QString kTarjeta = QStringLiteral("Tarjeta y otros medios: $");
const QString kRetiros = QStringLiteral("Retiros: $");
const QString kExpected = QStringLiteral("Efectivo esperado: $");
const QString kContado = QStringLiteral("Efectivo contado: $");
const QString kDifference = QStringLiteral("Diferencia: ");
constexpr int kBlockLines = 9;
// A sale's number in a file: far beyond any day, and lastSale + 1 stays an int.
constexpr int kLargestSaleDigits = 9;

QString money(Cents cents, const QString& mark) {
    return QLatin1Char('$') + formatCents(cents, mark);
}

std::optional<int> readSaleNumber(QStringView text) {
    if (text.isEmpty() || text.size() > kLargestSaleDigits)
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value < 1)
        return std::nullopt;
    return value;
}

bool isTime(QStringView text) {
    if (text.size() != 5 || text[2] != u':')
        return false;
    for (const int i : {0, 1, 3, 4})
        if (!isDigit(text[i]))
            return false;
    return text.first(2).toInt() < 24 && text.sliced(3).toInt() < 60;
}

// "Corte de caja 2, 18:05": the number is only for people.
std::optional<QString> readTitle(QStringView line) {
    if (!line.startsWith(kTitle))
        return std::nullopt;
    const QStringView rest = line.sliced(kTitle.size());
    const qsizetype comma = rest.indexOf(u", ");
    if (comma < 0 || !readSaleNumber(rest.first(comma)) || !isTime(rest.sliced(comma + 2)))
        return std::nullopt;
    return rest.sliced(comma + 2).toString();
}

// "Ventas: 13 a 20", or "ninguna": then it starts where the count before it
// left off.
bool readSales(QStringView line, int start, CashCount& count) {
    if (!line.startsWith(kSales))
        return false;
    const QStringView rest = line.sliced(kSales.size());
    if (rest == kNoSales) {
        count.firstSale = start;
        count.lastSale = start - 1;
        return true;
    }
    const qsizetype to = rest.indexOf(u" a ");
    if (to < 0)
        return false;
    const auto first = readSaleNumber(rest.first(to));
    const auto last = readSaleNumber(rest.sliced(to + 3));
    if (!first || !last || *last < *first)
        return false;
    count.firstSale = *first;
    count.lastSale = *last;
    return true;
}

// An amount as written after "$": either mark, two decimals; a field's up to
// kMaxCountCents, the period's total charged as wide as a day can make it.
std::optional<Cents> readAmount(QStringView line, const QString& label, bool field) {
    if (!line.startsWith(label))
        return std::nullopt;
    QStringView text = line.sliced(label.size());
    const bool negative = !field && text.startsWith(u'-');
    if (negative)
        text = text.sliced(1);
    const qsizetype mark = text.size() - 3;
    if (mark < 1 || mark > (field ? 15 : 30) || (text[mark] != u'.' && text[mark] != u','))
        return std::nullopt;
    Cents cents = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i == mark)
            continue;
        if (!isDigit(text[i]))
            return std::nullopt;
        cents = cents * 10 + (text[i].unicode() - u'0');
    }
    return negative ? -cents : cents;
}

std::optional<CashCount> readBlock(const QStringList& block, int start) {
    if (block.size() != kBlockLines || !block[6].startsWith(kExpected) ||
        !block[8].startsWith(kDifference))
        return std::nullopt;
    CashCount count;
    const auto time = readTitle(block[0]);
    const auto charged = readAmount(block[2], kCharged, false);
    const auto fondo = readAmount(block[3], kFondo, true);
    const auto tarjeta = readAmount(block[4], kTarjeta, true);
    const auto retiros = readAmount(block[5], kRetiros, true);
    const auto contado = readAmount(block[7], kContado, true);
    if (!time || !readSales(block[1], start, count) || !charged || !fondo || !tarjeta || !retiros ||
        !contado)
        return std::nullopt;
    count.time = *time;
    count.charged = *charged;
    count.fondo = *fondo;
    count.tarjeta = *tarjeta;
    count.retiros = *retiros;
    count.contado = *contado;
    return count;
}

// Where the sales after this count start.
int nextStart(const CashCount& count) {
    return count.lastSale >= count.firstSale ? count.lastSale + 1 : count.firstSale;
}

} // namespace

std::optional<Cents> readCountField(QStringView text, const QString& mark) {
    QStringView rest = text.trimmed();
    if (rest.isEmpty())
        return Cents(0);
    if (rest.startsWith(u'$'))
        rest = rest.sliced(1).trimmed();
    Cents cents = 0;
    int digits = 0;
    int decimals = -1; // none until the mark
    for (const QChar c : rest) {
        if (isDigit(c)) {
            if (decimals == 2)
                return std::nullopt;
            cents = cents * 10 + (c.unicode() - u'0');
            ++digits;
            if (decimals >= 0)
                ++decimals;
            if (cents > kMaxCountCents)
                return std::nullopt;
        } else if (decimals < 0 && (c == u'.' || QStringView(&c, 1) == mark)) {
            decimals = 0;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    for (int i = decimals < 0 ? 0 : decimals; i < 2; ++i)
        cents *= 10;
    if (cents > kMaxCountCents)
        return std::nullopt;
    return cents;
}

QString differenceText(Cents difference, const QString& mark) {
    if (difference == 0)
        return QStringLiteral("Cuadra");
    return difference > 0 ? QStringLiteral("Sobrante ") + money(difference, mark)
                          : QStringLiteral("Faltante ") + money(-difference, mark);
}

CountPeriod nextPeriod(const QList<Cents>& saleTotals, const QList<CashCount>& earlier) {
    // After every earlier count, not only the last: a count read back out of
    // order never makes a sale counted twice.
    int start = 1;
    for (const CashCount& count : earlier)
        start = std::max(start, nextStart(count));
    CountPeriod period;
    period.firstSale = start;
    period.lastSale = int(saleTotals.size());
    for (qsizetype i = start - 1; i < saleTotals.size(); ++i)
        period.charged += saleTotals[i];
    if (period.lastSale < period.firstSale)
        period.lastSale = period.firstSale - 1;
    return period;
}

QStringList countBlock(const CashCount& count, int number, const QString& mark) {
    const QString sales = count.lastSale >= count.firstSale
                              ? QStringLiteral("%1 a %2").arg(count.firstSale).arg(count.lastSale)
                              : kNoSales;
    return {kTitle + QString::number(number) + QStringLiteral(", ") + count.time,
            kSales + sales,
            kCharged + formatCents(count.charged, mark),
            kFondo + formatCents(count.fondo, mark),
            kTarjeta + formatCents(count.tarjeta, mark),
            kRetiros + formatCents(count.retiros, mark),
            kExpected + formatCents(count.expected(), mark),
            kContado + formatCents(count.contado, mark),
            kDifference + differenceText(count.difference(), mark),
            QString()};
}

CountsRead readCounts(QByteArrayView bytes) {
    CountsRead read;
    QStringList block;
    int start = 1;
    const auto finish = [&] {
        if (block.isEmpty())
            return;
        if (auto count = readBlock(block, start)) {
            start = std::max(start, nextStart(*count));
            read.counts.append(std::move(*count));
        } else {
            ++read.unreadable;
        }
        block.clear();
    };
    for (const QString& line : decodeLines(bytes)) {
        if (line.trimmed().isEmpty())
            finish();
        else
            block.append(line);
    }
    finish();
    return read;
}

CountsRead readCountsFile(const QString& localPath) {
    const std::optional<QByteArray> bytes = readFileBytes(localPath);
    return bytes ? readCounts(*bytes) : CountsRead{};
}

QString countsFileBeside(const QString& salesFile) {
    qsizetype slash = salesFile.lastIndexOf(u'/');
    if (QDir::separator() == u'\\') // a path as Windows writes it
        slash = std::max(slash, salesFile.lastIndexOf(u'\\'));
    const QString folder = salesFile.first(slash + 1);
    const QString name = salesFile.sliced(slash + 1);
    const QString day = dayOfFileName(name);
    return folder + QStringLiteral("Cortes de ") +
           (day == name ? name : day + QStringLiteral(".txt"));
}

SaveResult recordCount(const QString& localPath, const CashCount& count, const QString& mark) {
    QByteArray old;
    if (QFileInfo::exists(localPath)) {
        auto bytes = readFileBytes(localPath);
        if (!bytes)
            return {false,
                    QStringLiteral("No se pudo leer el archivo de cortes %1.").arg(localPath)};
        old = std::move(*bytes);
    }
    const CountsRead earlier = readCounts(old);
    const int number = int(earlier.counts.size()) + earlier.unreadable + 1;
    // A blank line before the new block, so it never runs on from text typed
    // at the end of the file.
    QByteArray block;
    const QStringList lines = decodeLines(old);
    if (!old.isEmpty() && !old.endsWith('\n') && !old.endsWith('\r'))
        block = "\r\n";
    if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
        block += "\r\n";
    block += encodeLines(countBlock(count, number, mark));
    return saveFileAtomically(localPath, {QByteArrayView(old), QByteArrayView(block)});
}

} // namespace tallimo::summary
