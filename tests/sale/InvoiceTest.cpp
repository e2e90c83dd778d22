#include "sale/Invoice.h"

#include <gtest/gtest.h>

using namespace tallimo;

namespace {

// The line shows the typed quantity and rounded amounts; the total adds the exact product.
TEST(InvoiceLine, SevenPiecesAndTheExactProductAdded) {
    const struct {
        const char *quantity, *product, *price, *line;
        double added;
        const char* point = ".";
    } rows[] = {
        {".5", "Queso", "80", ".5 x Queso de $80.00 = $40.00", 40},
        {".5", "Producto", "0.25", ".5 x Producto de $0.25 = $0.13", 0.125},
        {"-1", "Devolución", "3", "-1 x Devolución de $3.00 = $-3.00", -3},
        {" 2", "", "abc", " 2 x  de $0.00 = $0.00", 0},
        {"3", "Pan dulce", "4,50", "3 x Pan dulce de $4,50 = $13,50", 13.5, ","},
    };
    for (const auto& row : rows) {
        const auto entry = ComposeInvoiceLine(row.quantity, row.product, row.price, 10, row.point);
        EXPECT_EQ(entry ? entry->line : "refused", QString(row.line));
        EXPECT_DOUBLE_EQ(entry ? entry->newTotal : 0, 10.0 + row.added) << row.line;
    }
    // Refused: a number that does not read, an amount or a total past the finite doubles.
    EXPECT_FALSE(ComposeInvoiceLine("1e400", "P", "1", 0, "."));
    EXPECT_FALSE(ComposeInvoiceLine("99", "P", "1e400", 0, "."));
    EXPECT_FALSE(ComposeInvoiceLine("1e300", "P", "1e300", 0, "."));
    EXPECT_FALSE(ComposeInvoiceLine("1", "P", "1.7e308", 1.7e308, "."));
    EXPECT_TRUE(IsTotalLine("-1 x Pan de $1.00 = $-1.00")); // any line starting with '-'
}

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
TEST(PriceLine, SplitsAtTheMarkerAndReadsTheUsersLocale) {
    const struct {
        const char *line, *shown, *locale = "C"; // "product | price", or "none"
    } rows[] = {
        {"Agua$12.5", "Agua | 12.50"},
        {"Promo 2x$10 y $20", "Promo 2x$10 y | 20.00"},
        {"Combo $5 $7", "Combo | 5.00"},
        {"Pan $1e400", "Pan | 1e400"},
        {"Vacío $", "Vacío | "},
        {" $ 3 ", " | 3.00"},
        {"Pan dulce", "none"},
        {"Pan $12,5", "Pan | 12,50", "es_ES"},
        {"Pan $4.5", "Pan | 4,50", "es_ES"},
        {"Pan $4,50", "Pan | 4,50", "es_MX"}, // left as written: it reads 4 there
        {"Pan $1,250", "Pan | 1250.00", "es_MX"},
    };
    for (const auto& row : rows) {
        const auto fields = SplitPriceLine(row.line, QLocale(row.locale));
        EXPECT_EQ(fields ? fields->product + " | " + fields->price : "none", QString(row.shown))
            << row.line;
    }
}

} // namespace
