// Which lines make closed sales, which stay open and which are not recognised;
// what a day adds up to.
#include "summary/SalesSummary.h"
#include "sale/Amount.h"

#include "storage/StorageTestSupport.h"

#include <gtest/gtest.h>

using namespace tallimo;
using namespace tallimo::summary;

namespace {

const QByteArray kTotal = QByteArray(50, '-') + ">Total $";

// A day in one line, so a failing row shows all of it.
std::string describe(const DaySummary& day) {
    const QString mark = QStringLiteral(".");
    QString out = QStringLiteral("%1 ventas %2, %3 sin cerrar %4, %5 raras |")
                      .arg(day.closedSales)
                      .arg(FormatAmount(day.charged, mark))
                      .arg(day.openLines)
                      .arg(FormatAmount(day.openAmount, mark))
                      .arg(day.unrecognised);
    for (const ProductSale& p : day.products)
        out += QStringLiteral(" %1 %2 %3;")
                   .arg(p.quantityKnown ? QString::number(p.quantity) : QStringLiteral("?"),
                        p.product, FormatAmount(p.amount, mark));
    return out.toStdString();
}

} // namespace

TEST(SalesSummary, DayFiles) {
    struct Row {
        const char* name;
        QByteArray bytes;
        const char* expected;
    };
    const Row rows[] = {
        {"a day the sale window wrote",
         test::fileBytes(QStringLiteral(TALLIMO_TEST_DATA "/../e2e/expected/Ventas.txt")),
         "3 ventas 136.50, 1 sin cerrar 40.25, 0 raras | 2 Caf\u00e9 molido 90.00; "
         "3 Refresco 37.50; 2 Pan dulce 9.00;"},
        {"comma marks, Windows-1252, lone CR",
         "2 x Caf\xe9 de $12,50 = $25,00\r1 x Pan de $0,50 = $0,50\r" + kTotal + "25,50\r",
         "1 ventas 25.50, 0 sin cerrar 0.00, 0 raras | 2 Caf\u00e9 25.00; 1 Pan 0.50;"},
        {"amounts rounded per line, added whole",
         QByteArray(".5 x Chicle de $0.25 = $0.13\n").repeated(8) + kTotal + "1.00\n",
         "1 ventas 1.00, 0 sin cerrar 0.00, 0 raras | 4 Chicle 1.00;"},
        {"abandoned sale before a paid one, open lines at the end",
         "1 x Pan de $5.00 = $5.00\n1 x Pan de $5.00 = $5.00\n1 x Leche de $3.00 = $3.00\n" +
             kTotal + "8.00\n1 x Pan de $5.00 = $5.00\n",
         "1 ventas 8.00, 2 sin cerrar 10.00, 0 raras | 1 Pan 5.00; 1 Leche 3.00;"},
        {"products holding the separators, quantity not a number",
         "1 x Vino de $casa = $ 2 x 3 de $50.00 = $50.00\nxy x Vino de $casa = $ 2 x 3 de "
         "$10.00 = $0.00\n" +
             kTotal + "50.00\n",
         "1 ventas 50.00, 0 sin cerrar 0.00, 0 raras | ? Vino de $casa = $ 2 x 3 50.00;"},
        {"a total the lines cannot make closes them all",
         "1 x Pan de $10.00 = $10.00\n" + kTotal + "15.00\n",
         "1 ventas 15.00, 0 sin cerrar 0.00, 0 raras | 1 Pan 10.00;"},
        {"a total of 0.00 is no sale", "1 x Pan de $10.00 = $10.00\n" + kTotal + "0.00\n",
         "0 ventas 0.00, 1 sin cerrar 10.00, 0 raras |"},
        {"edited lines are not recognised, never guessed",
         "1 x Pan de $10 = $10\n" + QByteArray(49, '-') + ">Total $5.00\n" + kTotal +
             "5.0\n1 x Pan de $1.00 = $1.00 \n2 x Pan de $1.00 = $2,00x\nPan $10.00\n\n\n",
         "0 ventas 0.00, 0 sin cerrar 0.00, 6 raras |"},
        {"empty file", "", "0 ventas 0.00, 0 sin cerrar 0.00, 0 raras |"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(describe(summariseBytes(row.bytes)), row.expected);
    }
}

TEST(SalesSummary, SeveralDaysAddUp) {
    const DaySummary a = summariseBytes("2 x Pan de $1.00 = $2.00\n" + kTotal + "2.00\n");
    const DaySummary b = summariseBytes("xy x Pan de $3.00 = $3.00\n1 x Sal de $4.00 = $4.00\n" +
                                        kTotal + "7.00\n1 x Sal de $1.00 = $1.00\n");
    EXPECT_EQ(describe(sumOfDays({a, b}, {})),
              "2 ventas 9.00, 1 sin cerrar 1.00, 0 raras | ? Pan 5.00; 1 Sal 4.00;");
}
