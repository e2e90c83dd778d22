#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstddef>
#include <optional>
#include <vector>

// A line of the day's sales file: how the register writes it and how it is
// read back.
namespace tallimo {

// Whole cents, exactly. Wide enough that no file can make a sum overflow: an
// amount stays below 1e17 cents, and no file holds 1e21 lines.
__extension__ typedef __int128 Cents;

struct InvoiceEntry {
    QString line;    // "2 x Refresco de $12.50 = $25.00"
    double newTotal; // saleTotal + p * q, never rounded
};

// The invoice line of one entry and the running total after it. nullopt when
// p * q or the new total is not finite: the caller then leaves everything as it was.
std::optional<InvoiceEntry> ComposeInvoiceLine(const QString& quantity, const QString& product,
                                               const QString& price, double saleTotal,
                                               const QString& decimalPoint);

// Fifty "-", ">Total $", then the amount.
QString TotalLine(double total, const QString& decimalPoint);
extern const QString kTotalLinePrefix;

// A history line whose first character is "-" closes a sale.
bool IsTotalLine(const QString& line);

// An amount as the register writes it: "-"?, digits, "." or ",", two digits,
// below 1e15 in size. Anything else is not an amount of the file, so the line
// is not recognised.
std::optional<Cents> readFileAmount(QStringView text);

// An amount as the register shows it and writes it into a total line, read
// back: exactly what the file will hold; nullopt beyond what it can hold.
std::optional<Cents> shownCents(double amount);

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

// The decimal mark of a line that ends in an amount of the file.
QChar amountMark(QStringView line);

// An invoice line with what the register made of it when it was rung up.
struct RungLine {
    InvoiceLine line;
    double quantity; // as the register read it
    double exact;    // quantity x price unrounded, as the register added it to the sale
};
RungLine rungLine(InvoiceLine line);

// A sale paid and closed is the shortest run of lines just before its total
// line that makes the total: their amounts add up to it to the cent, or the
// register's own unrounded sum of them rounds to it. Lines before the run were
// left by a new sale without payment (the register writes no total line for
// those). A total the lines cannot make (an edited file) closes the whole run.
std::size_t closedRunStart(const std::vector<RungLine>& lines, Cents total);

// A total of 0.00, written when the window closes with nothing to charge,
// closes nothing and is no sale.
bool isSale(Cents total, std::size_t start, std::size_t lines);

struct ClosedSale {
    QStringList lines; // its invoice lines, as the history holds them
    Cents total = 0;
    qsizetype totalLine = -1; // where its total line stands in the history
};

// The last sale of a history that a total line closed, as the summary counts it.
std::optional<ClosedSale> lastClosedSale(const QStringList& history);

} // namespace tallimo
