#include "sale/SalesLine.h"

#include <gtest/gtest.h>

using namespace tallimo;

namespace {

const QString kTotal = QString(50, '-') + ">Total $";

// The line shows the typed quantity and rounded amounts; the total adds the exact product.
TEST(SalesLine, SevenPiecesAndTheExactProductAdded) {
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

} // namespace
