#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace tallimo {

// Hints 1 to 5 of the hint line; any other number gives an empty text.
QString Hint(int number);

struct ChangeResult {
    QString payment; // normalised payment text, written back into the payment field
    QString change;  // FormatAmount of the change, or "Sin $"
};

// nullopt when the payment does not read or the change is not finite.
std::optional<ChangeResult> ComputeChange(const QString& paymentText, double saleTotal,
                                          const QString& decimalPoint);

struct PriceLineFields {
    QString product;
    QString price; // FormatAmount of the price when it reads as a number, else the piece as is
};

// A price of the price list as a person of the locale reads it: the locale's
// grouping mark between groups of exactly three digits groups thousands (never
// after a lone leading 0); otherwise one "." or one locale decimal mark is the
// decimal point. nullopt when the piece is no such number.
std::optional<double> ReadListPrice(QStringView piece, const QString& decimalPoint,
                                    const QString& groupSeparator);

// Splits a price-list line at " $" (or "$" when the line holds no " $").
// nullopt when the line holds no "$": the fields keep their texts.
std::optional<PriceLineFields> SplitPriceLine(const QString& line, const QLocale& locale);

} // namespace tallimo
