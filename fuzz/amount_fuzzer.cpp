// Amounts as the sale window reads and shows them: typed text never becomes
// "inf" or "nan", a shown amount reads back as itself, and a line or a change
// is either refused or finite.

#include "FuzzSupport.h"

#include "sale/Amount.h"
#include "sale/Invoice.h"
#include "sale/SalesLine.h"

#include <cmath>

using namespace tallimo;
using namespace tallimo::fuzz;

namespace {

const QString kPoint = QStringLiteral(".");
const QString kComma = QStringLiteral(",");

void checkAmount(const QString& text, const QString& point) {
    const std::optional<double> value = ReadNumber(text, point);
    require(!value || std::isfinite(*value), "ReadNumber gives a finite value or nothing", text);

    const std::optional<QString> once = NormalizeAmount(text, point);
    require(!once || value, "NormalizeAmount reads only what ReadNumber reads", text);
    if (!value)
        return;
    // Refused only when the shown amount would not read again.
    const QString shown = FormatAmount(*value, point);
    require(isAmountText(shown, point) && !hasInfOrNan(shown), "FormatAmount writes 0.00", text);
    require(once ? *once == shown : !ReadNumber(shown, point),
            "NormalizeAmount is FormatAmount of ReadNumber", text);
    if (!once)
        return;
    // A shown amount is typed again by the next field: it must read as itself.
    const std::optional<QString> twice = NormalizeAmount(*once, point);
    require(twice.has_value(), "a normalised amount reads again", text);
    require(*twice == *once, "NormalizeAmount is stable", text);
}

void checkLine(const QString& quantity, const QString& product, const QString& price,
               double saleTotal, const QString& point) {
    const auto q = ReadNumber(quantity, point);
    const auto p = ReadNumber(price, point);
    const bool fits = q && p && std::isfinite(*p * *q) && std::isfinite(saleTotal + *p * *q);
    const std::optional<InvoiceEntry> entry =
        ComposeInvoiceLine(quantity, product, price, saleTotal, point);
    require(entry.has_value() == fits, "a line is refused exactly when it does not fit a double",
            price);
    if (!entry)
        return;
    require(std::isfinite(entry->newTotal), "the new total is finite", price);
    const QString start = quantity + QStringLiteral(" x ") + product + QStringLiteral(" de $");
    require(entry->line.startsWith(start), "the line starts with the typed texts", entry->line);
    const QStringList amounts = entry->line.mid(start.size()).split(QStringLiteral(" = $"));
    require(amounts.size() == 2 && isAmountText(amounts[0], point) &&
                isAmountText(amounts[1], point),
            "the line ends with two amounts", entry->line);
}

void checkChange(const QString& payment, double saleTotal, const QString& point) {
    const std::optional<ChangeResult> change = ComputeChange(payment, saleTotal, point);
    if (!change)
        return;
    require(isAmountText(change->payment, point), "the payment is shown as an amount", payment);
    require(change->change == QStringLiteral("Sin $") || isAmountText(change->change, point),
            "the change is an amount or \"Sin $\"", payment);
    if (change->change != QStringLiteral("Sin $"))
        require(ReadNumber(change->change, point).value_or(0) != 0, "a zero change says \"Sin $\"",
                payment);
}

} // namespace

// Fields separated by "|": quantity, product, price, running total, payment.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString input = textOf(data, size);
    QStringList fields = input.split(u'|');
    while (fields.size() < 5)
        fields.append(QString());
    const QString &quantity = fields[0], &product = fields[1], &price = fields[2];
    const QString &total = fields[3], &payment = fields[4];

    for (const QString& point : {kPoint, kComma}) {
        for (const QString& field : {quantity, price, total, payment})
            checkAmount(field, point);
        // The running total is always a sum of earlier finite lines.
        const double saleTotal = ReadNumber(total, point).value_or(0);
        checkLine(quantity, product, price, saleTotal, point);
        checkChange(payment, saleTotal, point);
    }
    return 0;
}
