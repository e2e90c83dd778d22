#include "sale/Invoice.h"

#include <gtest/gtest.h>

using namespace tallimo;

namespace {

struct LineRow {
    const char* quantity;
    const char* product;
    const char* price;
    const char* line;
    double added;
};

TEST(InvoiceLine, SevenPiecesAndTheExactProductAdded)
{
    const LineRow rows[] = {
        {"2", "Refresco", "12.5", "2 x Refresco de $12.50 = $25.00", 25},
        {"1", "Producto", "0.00", "1 x Producto de $0.00 = $0.00", 0},
        {".5", "Queso", "80", ".5 x Queso de $80.00 = $40.00", 40},
        {"xy", "Producto", "10", "xy x Producto de $10.00 = $0.00", 0},
        {"1", "Producto", "1,50", "1 x Producto de $1.00 = $1.00", 1},
        {".5", "Producto", "0.25", ".5 x Producto de $0.25 = $0.13", 0.125},
        {"-1", "Devolución", "3", "-1 x Devolución de $3.00 = $-3.00", -3},
        {" 2", "", "abc", " 2 x  de $0.00 = $0.00", 0},
    };
    for (const auto& row : rows) {
        const auto entry = ComposeInvoiceLine(QString::fromUtf8(row.quantity),
                                              QString::fromUtf8(row.product),
                                              QString::fromUtf8(row.price), 10.0, ".");
        ASSERT_TRUE(entry) << row.line;
        EXPECT_EQ(entry->line, QString::fromUtf8(row.line));
        EXPECT_DOUBLE_EQ(entry->newTotal, 10.0 + row.added) << row.line;
    }
}

TEST(InvoiceLine, TheTotalKeepsWhatTheLinesRound)
{
    double total = 0;
    for (int i = 0; i < 8; ++i)
        total = ComposeInvoiceLine(".5", "Producto", "0.25", total, ".")->newTotal;
    EXPECT_EQ(total, 1.0);

    total = 0;
    for (int i = 0; i < 3; ++i)
        total = ComposeInvoiceLine("1", "P", "0.1", total, ".")->newTotal;
    EXPECT_EQ(total, 0.1 + 0.1 + 0.1);
    EXPECT_EQ(ComputeChange("0.3", total, ".")->change, "Sin $");
}

TEST(InvoiceLine, RefusesAmountsBeyondTheFiniteDoubles)
{
    EXPECT_FALSE(ComposeInvoiceLine("99", "P", "1e400", 0, "."));
    EXPECT_FALSE(ComposeInvoiceLine("1e300", "P", "1e300", 0, "."));
    EXPECT_FALSE(ComposeInvoiceLine("1", "P", "1.7e308", 1.7e308, "."));
    EXPECT_TRUE(ComposeInvoiceLine("1", "P", "1e300", 0, "."));
}

TEST(TotalLine, FiftyHyphensThenTheTotal)
{
    EXPECT_EQ(TotalLine(1234.5, "."), QString(50, u'-') + ">Total $1234.50");
    EXPECT_EQ(kTotalLinePrefix.size(), 58);
    EXPECT_TRUE(IsTotalLine(TotalLine(0, ".")));
    EXPECT_TRUE(IsTotalLine("-1 x Pan de $1.00 = $-1.00"));
    EXPECT_FALSE(IsTotalLine(""));
    EXPECT_FALSE(IsTotalLine("1 x Pan de $1.00 = $1.00"));
}

struct ChangeRow {
    const char* payment;
    double total;
    const char* normalised;
    const char* change;
};

TEST(Change, NormalisedPaymentAndChangeOrSin)
{
    const ChangeRow rows[] = {
        {"50", 37.5, "50.00", "12.50"},   {"37.50", 37.5, "37.50", "Sin $"},
        {"30", 37.5, "30.00", "-7.50"},   {"20", 25, "20.00", "-5.00"},
        {"abc", 25, "0.00", "-25.00"},    {"0", 0, "0.00", "Sin $"},
        {"10.004", 10, "10.00", "Sin $"}, {"10.006", 10, "10.01", "0.01"},
    };
    for (const auto& row : rows) {
        const auto result = ComputeChange(QString::fromLatin1(row.payment), row.total, ".");
        ASSERT_TRUE(result) << row.payment;
        EXPECT_EQ(result->payment, QString::fromLatin1(row.normalised)) << row.payment;
        EXPECT_EQ(result->change, QString::fromLatin1(row.change)) << row.payment;
    }
}

TEST(Change, CommaLocaleReadsItsOwnTextsBackToTheWholeUnits)
{
    const auto result = ComputeChange("10.5", 10, ",");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->payment, "10,50");
    EXPECT_EQ(result->change, "Sin $"); // "10,50" reads back as 10
    EXPECT_EQ(ComputeChange("12,50", 12, ",")->change, "Sin $");
}

TEST(Change, RefusesWhatDoesNotRead)
{
    EXPECT_FALSE(ComputeChange("1e400", 0, "."));
    EXPECT_FALSE(ComputeChange("1e308", -1.7e308, "."));
}

struct SplitRow {
    const char* line;
    const char* product;
    const char* price;
};

TEST(PriceLine, SplitsAtTheMarker)
{
    const SplitRow rows[] = {
        {"Producto patito $198", "Producto patito", "198.00"},
        {"Agua$12.5", "Agua", "12.50"},
        {"Combo $5 $7", "Combo", "5.00"},
        {"Promo 2x$10 y $20", "Promo 2x$10 y", "20.00"},
        {"Caja $abc", "Caja", "abc"},
        {"Vacío $", "Vacío", ""},
        {"$", "", ""},
        {" $ 3 ", "", "3.00"},
        {"Pan $1e400", "Pan", "1e400"},
    };
    for (const auto& row : rows) {
        const auto fields = SplitPriceLine(QString::fromUtf8(row.line), QLocale::c());
        ASSERT_TRUE(fields) << row.line;
        EXPECT_EQ(fields->product, QString::fromUtf8(row.product)) << row.line;
        EXPECT_EQ(fields->price, QString::fromUtf8(row.price)) << row.line;
    }
    EXPECT_FALSE(SplitPriceLine("Pan dulce", QLocale::c()));
    EXPECT_FALSE(SplitPriceLine("", QLocale::c()));
}

TEST(PriceLine, ReadsTheUsersLocale)
{
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    EXPECT_EQ(SplitPriceLine("Pan $12,5", spanish)->price, "12,50");
    EXPECT_EQ(SplitPriceLine("Pan $12.5", spanish)->price, "12,50");
}

TEST(Hints, FiveTextsWithTheirAccents)
{
    EXPECT_EQ(Hint(1), "Consejo: Selecciona un producto de la lista o escribe uno manualmente.");
    EXPECT_TRUE(Hint(3).contains(QString::fromUtf8("Después")));
    EXPECT_TRUE(Hint(5).endsWith("iniciar de nuevo."));
    EXPECT_TRUE(Hint(0).isEmpty());
    EXPECT_TRUE(Hint(6).isEmpty());
}

} // namespace
