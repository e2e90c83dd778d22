#pragma once

#include "sale/SalesLine.h"
#include "summary/CashCount.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// What a day's sales file says was sold, read from the lines the sale window
// writes. Nothing here writes a file.
namespace tallimo::summary {

struct ProductSale {
    QString product;
    double quantity = 0;       // each line's as the register read it
    bool quantityKnown = true; // false once a line's quantity is not a number: "?"
    Cents amount = 0;          // the sum of its lines' amounts: what was charged for it
};

struct DaySummary {
    QString day;
    bool found = true; // false when the file could not be read
    int closedSales = 0;
    Cents charged = 0; // the sum of the total lines
    int openLines = 0; // invoice lines no total line closes
    Cents openAmount = 0;
    int unrecognised = 0;
    QList<ProductSale> products; // of closed sales, largest amount first
    QChar decimalMark;           // of the first amount read; null when none
    QList<Cents> saleTotals;     // each closed sale's total, in the file's order
    QList<CashCount> counts;     // the day's cash counts, when its counts file was read

    // Rounded to the cent, halves away from zero.
    Cents average() const;
    // The products' amounts added up. It differs from `charged` where a total
    // is not the sum of its lines: rounded from unrounded line amounts, or edited.
    Cents productsAmount() const;
};

DaySummary summariseLines(const QStringList& lines);
// Windows-1252 or UTF-8; CR LF, LF or CR.
DaySummary summariseBytes(QByteArrayView bytes);

// Every day added up; products merged by name.
DaySummary sumOfDays(const QList<DaySummary>& days, const QString& label);

// "Ventas de 05-12-26.txt" gives "05-12-26"; any other name stays as it is.
QString dayOfFileName(const QString& fileName);

} // namespace tallimo::summary
