#include "sale/Invoice.h"

#include <gtest/gtest.h>

using namespace tallimo;

namespace {

// The payment as normalised, and the change from that text; "Sin $" when it shows as zero.
TEST(Change, NormalisedPaymentAndChangeOrSin) {
    const struct {
        const char* payment;
        double total;
        const char* shown; // "payment | change" as normalised, or "refused"
        const char* point = ".";
    } rows[] = {
        {"50", 37.5, "50.00 | 12.50"},
        {"abc", 25, "0.00 | -25.00"},
        {"10.005", 10, "10.01 | 0.01"},
        {"0.3", 0.1 + 0.1 + 0.1, "0.30 | Sin $"},
        {"0,3", 0.1 + 0.1 + 0.1, "0,30 | Sin $", ","},
        {"1e400", 0, "refused"},
        {"1e308", -1.7e308, "refused", ","},
    };
    for (const auto& row : rows) {
        const auto result = ComputeChange(QString::fromLatin1(row.payment), row.total, row.point);
        EXPECT_EQ(result ? result->payment + " | " + result->change : QString("refused"), row.shown)
            << row.payment;
    }
}

// The product before the first marker (" $" over "$"), the price up to the next.
TEST(PriceLine, SplitsAtTheMarker) {
    const struct {
        const char *line, *shown, *locale = "C"; // "product | price", or "none"
    } rows[] = {
        {"Agua$12.5", "Agua | 12.50"},   {"Promo 2x$10 y $20", "Promo 2x$10 y | 20.00"},
        {"Combo $5 $7", "Combo | 5.00"}, {"Pan $1e400", "Pan | 1e400"},
        {"Vacío $", "Vacío | "},         {" $ 3 ", " | 3.00"},
        {"Pan dulce", "none"},
    };
    for (const auto& row : rows) {
        const auto fields = SplitPriceLine(row.line, QLocale(row.locale));
        EXPECT_EQ(fields ? fields->product + " | " + fields->price : "none", QString(row.shown))
            << row.line;
    }
}

// A price as a person of the country reads it: the same for every locale that
// writes numbers with the same marks. The price field shows it with the
// locale's mark; a piece that is no number stays as written.
TEST(PriceLine, ReadAsEachCountryWritesPrices) {
    const struct {
        const char *piece, *comma, *point; // es_ES, es_AR, es_CO | es_MX, C
    } rows[] = {
        {"4.5", "4,50", "4.50"},
        {"4,50", "4,50", "4,50"},
        {"1.250", "1250,00", "1.25"},
        {"4.500", "4500,00", "4.50"},
        {"1,250", "1,25", "1250.00"},
        {"0.250", "0,25", "0.25"},
        {"1.234,50", "1234,50", "1.234,50"},
        {"1,234.50", "1,234.50", "1234.50"},
        {"1.250.000", "1250000,00", "1.250.000"},
        {"1.2345", "1,23", "1.23"},
        {"12.50.0", "12.50.0", "12.50.0"},
        {"198", "198,00", "198.00"},
        {"-2.5", "-2,50", "-2.50"},
        {"1e400", "1e400", "1e400"},
    };
    for (const auto& row : rows) {
        for (const char* locale : {"es_ES", "es_AR", "es_CO", "es_MX", "C"}) {
            const bool comma = QLocale(locale).decimalPoint() == u",";
            const auto fields =
                SplitPriceLine(QStringLiteral("Pan $") + row.piece, QLocale(locale));
            EXPECT_EQ(fields.value().price, QString(comma ? row.comma : row.point))
                << row.piece << " under " << locale;
        }
    }
}

} // namespace
