// A price-list line split into product and price, under several locales:
// the product is the text before the marker, the price either an amount in
// the locale's form or the piece as it stands, never "inf" or "nan" made up.

#include "FuzzSupport.h"

#include "sale/Invoice.h"

#include <QLocale>

using namespace tallimo;
using namespace tallimo::fuzz;

namespace {

const QLocale& localeFor(std::uint8_t pick) {
    // Point and comma decimals, dot, blank and narrow-blank grouping, Arabic digits.
    static const QLocale locales[] = {
        QLocale::c(),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::Spanish, QLocale::Spain),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::Arabic, QLocale::Egypt),
        QLocale(QLocale::Hindi, QLocale::India),
        QLocale(QLocale::Swedish, QLocale::Sweden),
    };
    return locales[pick % (sizeof locales / sizeof locales[0])];
}

} // namespace

// First byte: the locale; the rest: the line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QLocale& locale = localeFor(data[0]);
    const QString line = textOf(data + 1, size - 1);

    const std::optional<PriceLineFields> fields = SplitPriceLine(line, locale);
    require(fields.has_value() == line.contains(u'$'), "a line splits exactly when it holds \"$\"",
            line);
    if (!fields)
        return 0;

    const QString marker =
        line.contains(QStringLiteral(" $")) ? QStringLiteral(" $") : QStringLiteral("$");
    const qsizetype at = line.indexOf(marker);
    require(fields->product == line.left(at), "the product is the text before the first marker",
            line);
    const QString rest = line.mid(at + marker.size());
    const qsizetype next = rest.indexOf(marker);
    const QString piece = next < 0 ? rest : rest.left(next);
    require(fields->price == piece || isAmountText(fields->price, locale.decimalPoint()),
            "the price is an amount or the piece as it stands", line);
    require(fields->price == piece || !hasInfOrNan(fields->price), "no made-up inf or nan", line);
    return 0;
}
