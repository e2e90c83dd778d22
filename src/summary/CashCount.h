#pragma once

#include "sale/SalesLine.h"
#include "storage/SaveResult.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// The count of the cash drawer against what the register charged, and the
// day's file that keeps every count.
namespace tallimo::summary {

struct CashCount {
    QString time;      // "HH:mm", when it was recorded
    int firstSale = 1; // the day's closed sales it covers, counted from 1;
    int lastSale = 0;  // none when lastSale < firstSale
    Cents charged = 0; // what those sales' total lines add up to
    Cents fondo = 0;   // "Fondo inicial"
    Cents tarjeta = 0; // "Tarjeta y otros medios"
    Cents retiros = 0; // "Retiros"
    Cents contado = 0; // "Efectivo contado"

    // "Efectivo esperado": fondo + charged - tarjeta - retiros.
    Cents expected() const { return fondo + charged - tarjeta - retiros; }
    // "Diferencia": contado - expected; above 0 is "Sobrante", below it "Faltante".
    Cents difference() const { return contado - expected(); }
};

// The largest amount a field takes, in cents, so every sum stays exact and
// reads back: below 1e15 units, as the sales file's amounts.
inline constexpr Cents kMaxCountCents = Cents(100'000'000'000'000'000LL) - 1;

// A typed field: blank is 0; else digits with at most one decimal mark (the
// machine's or ".") and at most two decimals, up to kMaxCountCents. nullopt
// when it is not such an amount.
std::optional<Cents> readCountField(QStringView text, const QString& mark);

// "Cuadra", "Sobrante $0.01" or "Faltante $0.01".
QString differenceText(Cents difference, const QString& mark);

// What the next count covers: the closed sales after the last one an earlier
// count covered (all of them when there is none).
struct CountPeriod {
    int firstSale = 1;
    int lastSale = 0;
    Cents charged = 0;
};
// saleTotals: the day's closed sales' totals, in the file's order.
CountPeriod nextPeriod(const QList<Cents>& saleTotals, const QList<CashCount>& earlier);

// The text lines one count adds to the file (the counts file's `number`-th),
// ending with a blank line; amounts with `mark`.
QStringList countBlock(const CashCount& count, int number, const QString& mark);

// A counts file read back (Windows-1252 or UTF-8; CR LF, LF or CR): its counts
// in order; blocks that do not read are left out and counted.
struct CountsRead {
    QList<CashCount> counts;
    int unreadable = 0;
};
CountsRead readCounts(QByteArrayView bytes);
// The counts file at localPath; none when it is missing or cannot be read,
// which never stops what reads the day.
CountsRead readCountsFile(const QString& localPath);

// "/x/Cortes de 05-12-26.txt" for "/x/Ventas de 05-12-26.txt"; any other
// name gets "Cortes de " before it.
QString countsFileBeside(const QString& salesFile);

// Adds the count after those already in the file, whose bytes stay exactly as
// they are, with the durable save; Windows-1252, CR LF. Nothing is written
// when an existing file cannot be read.
SaveResult recordCount(const QString& localPath, const CashCount& count, const QString& mark);

} // namespace tallimo::summary
