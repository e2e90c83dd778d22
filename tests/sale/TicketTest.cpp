#include "sale/Ticket.h"
#include "storage/Codec.h"
#include "storage/TicketSettings.h"
#include "summary/SalesSummary.h"

#include <gtest/gtest.h>

using namespace tallimo;

namespace {

const QDateTime kWhen(QDate(2026, 12, 5), QTime(14, 7));
const QString kTotal = QString(50, '-') + ">Total $";

// Every line fits the roll: names wrap at words (a longer word is cut), amounts stand at the
// right margin, an edited line is printed as it stands, payment and change only when paid.
TEST(TicketLayout, FitsTheRoll) {
    const struct {
        const char* name;
        TicketSale sale;
        TicketLook look;
        QStringList lines;
    } rows[] = {
        {"58 mm, paid",
         {kWhen, {"2 x Refresco de cola familiar de $12.50 = $25.00"}, 25, 30},
         {{"La Esperanza", ""}, {"Gracias"}, 32},
         {"          La Esperanza", "", QString(32, '-'), "05/12/2026                 14:07",
          QString(32, '-'), "Refresco de cola familiar", "  2 x $12.50              $25.00",
          QString(32, '-'), "TOTAL                     $25.00", "Pago                      $30.00",
          "Cambio                     $5.00", QString(32, '-'), "            Gracias"}},
        {"80 mm, comma, euro, unpaid",
         {kWhen, {"1 x Pan de $4,50 = $4,50", "editada a mano"}, 4.5, 0},
         {{}, {}, 48, ",", "€"},
         {"05/12/2026                                 14:07", QString(48, '-'), "Pan",
          "  1 x €4,50                                €4,50", "editada a mano", QString(48, '-'),
          "TOTAL                                      €4,50"}},
        {"long words and amounts",
         {kWhen, {"1 x ABCDEFGHIJKLMNOPQRSTUVWXYZ de $1.00 = $1.00"}, 1e14, 0},
         {{}, {}, 20, ".", "Bs."},
         {"05/12/2026     14:07", QString(20, '-'), "ABCDEFGHIJKLMNOPQRST", "UVWXYZ",
          "  1 x Bs. 1.00", "            Bs. 1.00", QString(20, '-'), "TOTAL",
          "                 Bs.", "  100000000000000.00"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LayoutTicket(row.sale, row.look), row.lines) << row.name;
    EXPECT_EQ(TicketColumns(58) * 100 + TicketColumns(80), 3248);
}

// Ticket.txt: a setting a line; a bad line is named and nothing of the file is used.
TEST(TicketSettingsFile, ReadsEachSettingOrNamesTheBadLine) {
    const struct {
        const char* name;
        QByteArray bytes;
        const char* read; // header | footer | printer | paper, or the error
    } rows[] = {
        {"Windows-1252, CR LF", "Encabezado=Jab\xf3n y m\xe1s\r\n# nota\r\n\r\nPIE = Adi\xf3s \r\n",
         "Jabón y más | Adiós |  | 58"},
        {"UTF-8 with its mark",
         "\xef\xbb\xbfImpresora=Caja 2\nPapel=80 mm\nEncabezado=\nPie=A\nPie=B",
         " | A,B | Caja 2 | 80"},
        {"no equals sign", "Encabezado=A\r\nHola\r\n",
         "Ticket.txt, línea 2 (\"Hola\"): falta el signo \"=\" entre el nombre y el valor."},
        {"unknown name", "Encabesado=A",
         "Ticket.txt, línea 1 (\"Encabesado=A\"): \"Encabesado\" no es un ajuste del ticket; los "
         "ajustes son Encabezado, Pie, Impresora y Papel."},
        {"another roll", "\r\nPapel=57",
         "Ticket.txt, línea 2 (\"Papel=57\"): el papel debe ser de "
         "58 o de 80 mm."},
        {"printer twice", "Impresora=A\nimpresora=B",
         "Ticket.txt, línea 2 (\"impresora=B\"): \"impresora\" ya se indicó en una línea "
         "anterior."},
    };
    for (const auto& row : rows) {
        const TicketSettingsRead r = parseTicketSettings(decodeLines(row.bytes));
        const TicketSettings& s = r.settings;
        const QString read = r.error.isEmpty() ? QStringList{s.header.join(','), s.footer.join(','),
                                                             s.printer, QString::number(s.paperMm)}
                                                     .join(" | ")
                                               : r.error;
        EXPECT_EQ(read, QString::fromUtf8(row.read)) << row.name;
    }
    EXPECT_EQ(readTicketSettings("/no/such/Ticket.txt").settings.paperMm, 58);
}

// The last sale a total line closed: its own lines only, not those a new sale left without
// payment; a total of 0.00 (a window closed with nothing to charge) is no sale.
TEST(TicketLayout, LastClosedSaleOfTheHistory) {
    const QStringList history{"1 x A de $1.00 = $1.00", kTotal + "1.00", "1 x B de $5.00 = $5.00",
                              "2 x C de $1.50 = $3.00", "nota",          kTotal + "3.00",
                              kTotal + "0.00"};
    const auto sale = summary::lastClosedSale(history);
    ASSERT_TRUE(sale);
    EXPECT_EQ(sale->lines, QStringList{"2 x C de $1.50 = $3.00"});
    EXPECT_EQ(summary::formatCents(sale->total, ".") + " @" + QString::number(sale->totalLine),
              "3.00 @5");
    EXPECT_FALSE(summary::lastClosedSale({"1 x A de $1.00 = $1.00"}));
}

} // namespace
