#include "sale/Invoice.h"
#include "sale/SalesLine.h"

#include <gtest/gtest.h>

using namespace tallimo;

const QString kTotal = QString(50, '-') + ">Total $";

// The payment as normalised, and the change from that text; "Sin $" when it shows as zero.
TEST(Change, NormalisedPaymentAndChangeOrSin) {
    // Payment, total, "payment | change" as normalised or "refused", and the decimal point.
    const std::tuple<const char*, double, const char*, const char*> rows[] = {
        {"50", 37.5, "50.00 | 12.50", "."},
        {"abc", 25, "0.00 | -25.00", "."},
        {"10.005", 10, "10.01 | 0.01", "."},
        {"0.3", 0.1 + 0.1 + 0.1, "0.30 | Sin $", "."},
        {"0,3", 0.1 + 0.1 + 0.1, "0,30 | Sin $", ","},
        {"1e400", 0, "refused", "."},
        {"1e308", -1.7e308, "refused", ","},
    };
    for (const auto& [payment, total, shown, point] : rows) {
        const auto result = ComputeChange(QString::fromLatin1(payment), total, point);
        EXPECT_EQ(result ? result->payment + " | " + result->change : QString("refused"), shown)
            << payment;
    }
}

// The product before the first marker (" $" over "$"), the price up to the next.
TEST(PriceLine, SplitsAtTheMarker) {
    // The line, and "product | price" or "none".
    const std::pair<const char*, const char*> rows[] = {
        {"Agua$12.5", "Agua | 12.50"},   {"Promo 2x$10 y $20", "Promo 2x$10 y | 20.00"},
        {"Combo $5 $7", "Combo | 5.00"}, {"Pan $1e400", "Pan | 1e400"},
        {"Vacío $", "Vacío | "},         {" $ 3 ", " | 3.00"},
        {"Pan dulce", "none"},
    };
    for (const auto& [line, shown] : rows) {
        const auto fields = SplitPriceLine(line, QLocale("C"));
        EXPECT_EQ(fields ? fields->product + " | " + fields->price : "none", QString(shown))
            << line;
    }
}

// A price as a person of the country reads it: the same for every locale that
// writes numbers with the same marks. The price field shows it with the
// locale's mark; a piece that is no number stays as written.
TEST(PriceLine, ReadAsEachCountryWritesPrices) {
    // The piece, then as es_ES, es_AR and es_CO show it, then as es_MX and C do.
    const char* rows[][3] = {
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
    for (const auto& [piece, comma, point] : rows) {
        for (const char* locale : {"es_ES", "es_AR", "es_CO", "es_MX", "C"}) {
            const bool isComma = QLocale(locale).decimalPoint() == u",";
            const auto fields = SplitPriceLine(QStringLiteral("Pan $") + piece, QLocale(locale));
            EXPECT_EQ(fields.value().price, QString(isComma ? comma : point))
                << piece << " under " << locale;
        }
    }
}

// The line shows the typed quantity and rounded amounts; the total adds the exact product.
TEST(SalesLine, SevenPiecesAndTheExactProductAdded) {
    // Quantity, product, price, the line, what the total adds, and the decimal point.
    const std::tuple<const char*, const char*, const char*, const char*, double, const char*>
        rows[] = {
            {".5", "Queso", "80", ".5 x Queso de $80.00 = $40.00", 40, "."},
            {".5", "Producto", "0.25", ".5 x Producto de $0.25 = $0.13", 0.125, "."},
            {"-1", "Devolución", "3", "-1 x Devolución de $3.00 = $-3.00", -3, "."},
            {" 2", "", "abc", " 2 x  de $0.00 = $0.00", 0, "."},
            {"3", "Pan dulce", "4,50", "3 x Pan dulce de $4,50 = $13,50", 13.5, ","},
        };
    for (const auto& [quantity, product, price, line, added, point] : rows) {
        const auto entry = ComposeInvoiceLine(quantity, product, price, 10, point);
        EXPECT_EQ(entry ? entry->line : "refused", QString(line));
        EXPECT_DOUBLE_EQ(entry ? entry->newTotal : 0, 10.0 + added) << line;
    }
    // Refused: a number that does not read, an amount or a total past the finite doubles.
    EXPECT_FALSE(ComposeInvoiceLine("1e400", "P", "1", 0, "."));
    EXPECT_FALSE(ComposeInvoiceLine("99", "P", "1e400", 0, "."));
    EXPECT_FALSE(ComposeInvoiceLine("1e300", "P", "1e300", 0, "."));
    EXPECT_FALSE(ComposeInvoiceLine("1", "P", "1.7e308", 1.7e308, "."));
    EXPECT_TRUE(IsTotalLine("-1 x Pan de $1.00 = $-1.00")); // any line starting with '-'
}

// The last sale a total line closed: its own lines only, not those a new sale left without
// payment; a total of 0.00 (a window closed with nothing to charge) is no sale.
TEST(SalesLine, LastClosedSaleOfTheHistory) {
    const QStringList history{"1 x A de $1.00 = $1.00", kTotal + "1.00", "1 x B de $5.00 = $5.00",
                              "2 x C de $1.50 = $3.00", "nota",          kTotal + "3.00",
                              kTotal + "0.00"};
    const auto sale = lastClosedSale(history);
    ASSERT_TRUE(sale);
    EXPECT_EQ(sale->lines, QStringList{"2 x C de $1.50 = $3.00"});
    EXPECT_EQ(formatCents(sale->total, ".") + " @" + QString::number(sale->totalLine), "3.00 @5");
    EXPECT_FALSE(lastClosedSale({"1 x A de $1.00 = $1.00"}));
}
