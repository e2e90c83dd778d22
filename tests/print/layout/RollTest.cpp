#include "print/Roll.h"
#include "support/GTestHelpers.h"

using namespace tallimo;

namespace {

const QDateTime kWhen(QDate(2026, 12, 5), QTime(14, 7));

struct LayoutRow {
    const char* name;
    TicketSale ticket;
    TicketLook look;
    QStringList lines;
};

// Every line fits the roll: names wrap at words (a longer word is cut), amounts stand at the
// right margin, an edited line is printed as it stands and counts nothing, payment and change
// only when paid; what the printed amounts miss of the total stands above it.
const LayoutRow kLayouts[] = {
    {"58 mm, paid",
     {kWhen, {{"2 x Refresco de cola familiar de $12.50 = $25.00"}, 2500, 3000}},
     {{"La Esperanza", ""}, {"Gracias"}, 32},
     {"          La Esperanza", "", QString(32, '-'), "05/12/2026                 14:07",
      QString(32, '-'), "Refresco de cola familiar", "  2 x $12.50              $25.00",
      QString(32, '-'), "TOTAL                     $25.00", "Pago                      $30.00",
      "Cambio                     $5.00", QString(32, '-'), "            Gracias"}},
    {"80 mm, comma, euro, unpaid",
     {kWhen, {{"1 x Pan de $4,50 = $4,50", "editada a mano"}, 450, {}}},
     {{}, {}, 48, ",", "€"},
     {"05/12/2026                                 14:07", QString(48, '-'), "Pan",
      "  1 x €4,50                                €4,50", "editada a mano", QString(48, '-'),
      "TOTAL                                      €4,50"}},
    {"long words, 15-digit amounts, Ajuste for a line edited away",
     {kWhen, {{"1 x ABCDEFGHIJKLMNOPQRSTUVWXYZ de $1.00 = $1.00"}, Cents(1e16) - 1, {}}},
     {{}, {}, 20, ".", "Bs."},
     {"05/12/2026     14:07", QString(20, '-'), "ABCDEFGHIJKLMNOPQRST", "UVWXYZ", "  1 x Bs. 1.00",
      "            Bs. 1.00", QString(20, '-'), "Ajuste", "                 Bs.",
      "   99999999999998.99", "TOTAL", "                 Bs.", "   99999999999999.99"}},
    {"Redondeo",
     {kWhen, {QStringList(2, ".5 x Clavo de $0.25 = $0.13"), 25, {}}},
     {{}, {}, 20},
     {"05/12/2026     14:07", QString(20, '-'), "Clavo", "  .5 x $0.25   $0.13", "Clavo",
      "  .5 x $0.25   $0.13", QString(20, '-'), "Redondeo      $-0.01", "TOTAL          $0.25"}},
    // A copy says so under the header, or above the date when there is none.
    {"copy, 58 mm",
     {kWhen, {{}, 0, {}}, true},
     {{"La Esperanza"}, {}, 32},
     {"          La Esperanza", "             COPIA", QString(32, '-'),
      "05/12/2026                 14:07", QString(32, '-'), QString(32, '-'),
      "TOTAL                      $0.00"}},
    {"copy, 80 mm, no header",
     {kWhen, {{}, 0, {}}, true},
     {{}, {}, 48},
     {"                     COPIA", QString(48, '-'),
      "05/12/2026                                 14:07", QString(48, '-'), QString(48, '-'),
      "TOTAL                                      $0.00"}},
};

class TicketLayout : public testing::TestWithParam<LayoutRow> {};

TEST_P(TicketLayout, FitsTheRoll) {
    EXPECT_EQ(LayoutTicket(GetParam().ticket, GetParam().look), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Rows, TicketLayout, testing::ValuesIn(kLayouts), test::RowName());

// Font A's characters over what a thermal printer reaches of each roll.
TEST(TicketRoll, ColumnsOfEachRoll) {
    EXPECT_EQ(TicketColumns(58), 32);
    EXPECT_EQ(TicketColumns(80), 48);
}

} // namespace
