#include "sale/Invoice.h"

#include "sale/Amount.h"

#include <cmath>

namespace tallimo {

const QString kTotalLinePrefix = QString(50, u'-') + QStringLiteral(">Total $");

QString Hint(int number) {
    switch (number) {
    case 1:
        return QStringLiteral(
            "Consejo: Selecciona un producto de la lista o escribe uno manualmente.");
    case 2:
        return QStringLiteral("Consejo: Presiona 'Intro' para agregar el producto al historial.");
    case 3:
        return QStringLiteral("Consejo: Después de haber agregado productos al historial, presiona "
                              "'T' para agregar el pago recibido.");
    case 4:
        return QStringLiteral(
            "Consejo: Después de escribir la cantidad del pago recibido, presione "
            "'Intro' para sacar el cambio.");
    case 5:
        return QStringLiteral(
            "Consejo: Ha terminado, presione 'Supr/Del' para limpiar los campos e "
            "iniciar de nuevo.");
    default:
        return {};
    }
}

std::optional<InvoiceEntry> ComposeInvoiceLine(const QString& quantity, const QString& product,
                                               const QString& price, double saleTotal,
                                               const QString& decimalPoint) {
    const auto q = ReadNumber(quantity, decimalPoint);
    const auto p = ReadNumber(price, decimalPoint);
    if (!q || !p)
        return std::nullopt;
    const double amount = *p * *q;
    const double newTotal = saleTotal + amount;
    if (!std::isfinite(amount) || !std::isfinite(newTotal))
        return std::nullopt;

    const QString line = quantity + QStringLiteral(" x ") + product + QStringLiteral(" de $") +
                         FormatAmount(*p, decimalPoint) + QStringLiteral(" = $") +
                         FormatAmount(amount, decimalPoint);
    return InvoiceEntry{line, newTotal};
}

QString TotalLine(double total, const QString& decimalPoint) {
    return kTotalLinePrefix + FormatAmount(total, decimalPoint);
}

bool IsTotalLine(const QString& line) {
    return line.startsWith(u'-');
}

std::optional<ChangeResult> ComputeChange(const QString& paymentText, double saleTotal,
                                          const QString& decimalPoint) {
    const auto payment = NormalizeAmount(paymentText, decimalPoint);
    if (!payment)
        return std::nullopt;
    const auto paid = ReadNumber(*payment, decimalPoint);
    if (!paid)
        return std::nullopt;
    const double change = *paid - saleTotal;
    if (!std::isfinite(change))
        return std::nullopt;

    QString changeText = FormatAmount(change, decimalPoint);
    if (ReadNumber(changeText, decimalPoint).value_or(0) == 0)
        changeText = QStringLiteral("Sin $");
    return ChangeResult{*payment, changeText};
}

std::optional<PriceLineFields> SplitPriceLine(const QString& line, const QLocale& locale) {
    const QString marker = line.contains(QStringLiteral(" $")) ? QStringLiteral(" $")
                           : line.contains(u'$')               ? QStringLiteral("$")
                                                               : QString();
    if (marker.isEmpty())
        return std::nullopt;

    const qsizetype first = line.indexOf(marker);
    const qsizetype priceStart = first + marker.size();
    const qsizetype next = line.indexOf(marker, priceStart);
    const QString piece = line.mid(priceStart, next < 0 ? -1 : next - priceStart);

    // The user's locale first; plain digits with "." always count as a number.
    const QString trimmed = piece.trimmed();
    bool ok = false;
    double value = locale.toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    const bool isNumber = ok && std::isfinite(value);
    return PriceLineFields{line.left(first),
                           isNumber ? FormatAmount(value, locale.decimalPoint()) : piece};
}

} // namespace tallimo
