#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace tallimo {

// The leading number of a text; 0 when no digit is read. Both "." and the user's
// decimal separator mark the decimals, so every amount shown reads back as itself;
// the number stops at the first mark that is not followed by a digit ("1.234,50"
// reads 1.234 under ","). nullopt when the number lies beyond the finite doubles
// (1e400), so that no amount ever becomes "inf".
std::optional<double> ReadNumber(QStringView text, const QString& decimalPoint);

// Pattern "0.00": 15 significant digits first, then cut to cents with halves away
// from zero, written with the given decimal separator. A non-finite value gives
// an empty text: callers refuse such values before they show them.
QString FormatAmount(double value, const QString& decimalPoint);

// FormatAmount(ReadNumber(text)), both with the same separator; nullopt when the
// text does not read, or when the shown amount would not read again (the last
// steps below the largest double).
std::optional<QString> NormalizeAmount(QStringView text, const QString& decimalPoint);

// An amount shown with its currency symbol: "$25.00"; a symbol of more than one
// character stands apart from the amount ("Bs. 25.00").
QString WithSymbol(const QString& amount, const QString& symbol = QStringLiteral("$"));

} // namespace tallimo
