#include "sale/Invoice.h"

#include "sale/Amount.h"
#include "storage/Digits.h"

#include <cmath>
#include <tuple>
#include <utility>

namespace tallimo {

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

namespace {

qsizetype asciiDigits(QStringView text, qsizetype from) {
    qsizetype end = from;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    return end - from;
}

// "1.250.000" with "." grouping: 1-3 digits, never a lone 0, then groups of
// exactly three. The digits without the marks, and where the groups end;
// nullopt when the text does not start so.
std::optional<std::pair<QString, qsizetype>> groupedDigits(QStringView text, const QString& group) {
    const qsizetype lead = asciiDigits(text, 0);
    if (group.isEmpty() || lead == 0 || lead > 3 || text[0] == u'0')
        return std::nullopt;
    QString digits = text.first(lead).toString();
    qsizetype pos = lead;
    while (text.sliced(pos).startsWith(group) && asciiDigits(text, pos + group.size()) == 3) {
        digits += text.sliced(pos + group.size(), 3);
        pos += group.size() + 3;
    }
    if (pos == lead)
        return std::nullopt;
    return std::pair{digits, pos};
}

} // namespace

std::optional<double> ReadListPrice(QStringView piece, const QString& decimalPoint,
                                    const QString& groupSeparator) {
    QStringView text = piece;
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.sliced(1);

    QString whole;
    qsizetype pos = 0;
    bool grouped = false;
    if (const auto groups = groupedDigits(text, groupSeparator)) {
        std::tie(whole, pos) = *groups;
        grouped = true;
    } else {
        pos = asciiDigits(text, 0);
        whole = text.first(pos).toString();
    }
    // After thousands the decimals take the locale's mark only: in "1.234.5"
    // under "." grouping the last "." is not a decimal point.
    QString fraction;
    const QStringView rest = text.sliced(pos);
    qsizetype mark = 0;
    if (!decimalPoint.isEmpty() && rest.startsWith(decimalPoint))
        mark = decimalPoint.size();
    else if (!grouped && rest.startsWith(u'.'))
        mark = 1;
    if (mark > 0) {
        const qsizetype count = asciiDigits(rest, mark);
        if (mark + count != rest.size())
            return std::nullopt;
        fraction = rest.sliced(mark).toString();
    } else if (!rest.isEmpty()) {
        return std::nullopt;
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    const QString plain = (negative ? QStringLiteral("-") : QString()) + whole + u'.' + fraction;
    return ReadNumber(plain, QStringLiteral("."));
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

    const std::optional<double> value =
        ReadListPrice(piece.trimmed(), locale.decimalPoint(), locale.groupSeparator());
    return PriceLineFields{line.left(first),
                           value ? FormatAmount(*value, locale.decimalPoint()) : piece};
}

} // namespace tallimo
