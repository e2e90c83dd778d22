#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// What a day's sales file says was sold, read from the lines the sale window
// writes. Nothing here writes a file.
namespace tallimo::summary {

// Whole cents, exactly. Wide enough that no file can make a sum overflow: an
// amount stays below 1e17 cents, and no file holds 1e21 lines.
__extension__ typedef __int128 Cents;

// An amount as the register writes it: "-"?, digits, "." or ",", two digits,
// below 1e15 in size. Anything else is not an amount of the file, so the line
// is not recognised.
std::optional<Cents> readFileAmount(QStringView text);

// "-"?, the units, the mark, two digits; 0 has no sign.
QString formatCents(Cents cents, const QString& mark);
// For drawing: near enough.
double centsToDouble(Cents cents);

struct InvoiceLine {
    QString quantity; // as typed
    QString product;
    Cents price = 0;
    Cents amount = 0;
    QChar mark; // of the amount: the decimal mark the register had
};

// quantity " x " product " de $" price " = $" amount. The amount is after the
// last " = $" and the price after the last " de $" before it: both must read as
// amounts, so a product holding " de $" or " = $" still parses. The quantity is
// everything before the first " x " (the register takes two typed characters at
// most), so a product holding " x " does too; a quantity holding " x " cannot
// be told from such a product and is read the same way.
std::optional<InvoiceLine> parseInvoiceLine(QStringView line);

// Fifty "-", ">Total $" and an amount.
std::optional<Cents> parseTotalLine(QStringView line);

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

struct ClosedSale {
    QStringList lines; // its invoice lines, as the history holds them
    Cents total = 0;
    qsizetype totalLine = -1; // where its total line stands in the history
};

// The last sale of a history that a total line closed, as the summary counts it.
std::optional<ClosedSale> lastClosedSale(const QStringList& history);

// "Ventas de 05-12-26.txt" gives "05-12-26"; any other name stays as it is.
QString dayOfFileName(const QString& fileName);

} // namespace tallimo::summary
