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

// An amount as the register writes it: "-"?, digits, "." or ",", two digits,
// below 1e15 in size. Anything else is not an amount of the file, so the line
// is not recognised.
std::optional<double> readFileAmount(QStringView text);

struct InvoiceLine {
    QString quantity; // as typed
    QString product;
    double price = 0;
    double amount = 0;
};

// quantity " x " product " de $" price " = $" amount. The amount is after the
// last " = $" and the price after the last " de $" before it: both must read as
// amounts, so a product holding " de $" or " = $" still parses. The quantity is
// everything before the first " x " (the register takes two typed characters at
// most), so a product holding " x " does too; a quantity holding " x " cannot
// be told from such a product and is read the same way.
std::optional<InvoiceLine> parseInvoiceLine(QStringView line);

// Fifty "-", ">Total $" and an amount.
std::optional<double> parseTotalLine(QStringView line);

struct ProductSale {
    QString product;
    double quantity = 0;
    bool quantityKnown = true; // false once a line's quantity is not a number: "?"
    double amount = 0;
};

struct DaySummary {
    QString day;
    bool found = true; // false when the file could not be read
    int closedSales = 0;
    double charged = 0; // the sum of the total lines
    int openLines = 0;  // invoice lines no total line closes
    double openAmount = 0;
    int unrecognised = 0;
    QList<ProductSale> products; // of closed sales, largest amount first
    QChar decimalMark;           // of the first amount read; null when none

    double average() const { return closedSales ? charged / closedSales : 0; }
};

DaySummary summariseLines(const QStringList& lines);
// Windows-1252 or UTF-8; CR LF, LF or CR.
DaySummary summariseBytes(QByteArrayView bytes);

// Every day added up; products merged by name.
DaySummary sumOfDays(const QList<DaySummary>& days, const QString& label);

struct ClosedSale {
    QStringList lines; // its invoice lines, as the history holds them
    double total = 0;
    qsizetype totalLine = -1; // where its total line stands in the history
};

// The last sale of a history that a total line closed, as the summary counts it.
std::optional<ClosedSale> lastClosedSale(const QStringList& history);

// "Ventas de 05-12-26.txt" gives "05-12-26"; any other name stays as it is.
QString dayOfFileName(const QString& fileName);

} // namespace tallimo::summary
