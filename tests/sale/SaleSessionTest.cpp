#include "sale/SaleSession.h"
#include "support/GTestHelpers.h"

using namespace tallimo;

namespace {

const QString kPan = "2 x Pan de $2.00 = $4.00";
const QString kPapa = "1 x Papa de $3.00 = $3.00";
const QString kTotal4 = QString(50, '-') + ">Total $4.00";

struct TicketRow {
    const char* name;
    QStringList rungUp; // lines rung up in this session,
    qsizetype closedAt; // then closed with 10 by a total line there (-1: not),
    bool newSale;       // then a new sale
    QStringList history;
    QString sale; // lines | total | payment
};

QString describe(const SaleForTicket& sale) {
    return sale.lines.join(" + ") + QStringLiteral(" | %1 | %2").arg(sale.total).arg(sale.payment);
}

// The ticket tells the sale in progress with the payment typed, else the last sale the history
// closed, whose payment is known only when this session closed it at that line.
const TicketRow kTickets[] = {
    {"nothing sold", {}, -1, false, {}, " | 0 | 0"},
    {"in progress", {kPan}, -1, false, {kPan}, kPan + " | 4 | 10"},
    {"closed here", {kPan}, 1, true, {kPan, kTotal4}, kPan + " | 4 | 10"},
    {"closed before this session", {}, -1, false, {kPan, kTotal4}, kPan + " | 4 | 0"},
    {"closed here, then edited away", {}, 3, false, {kPan, kTotal4}, kPan + " | 4 | 0"},
    {"new sale without payment", {kPapa}, -1, true, {kPan, kTotal4, kPapa}, kPan + " | 4 | 0"},
};

class SaleTicket : public testing::TestWithParam<TicketRow> {};

TEST_P(SaleTicket, TheSaleInProgressOrTheLastClosed) {
    const TicketRow& row = GetParam();
    SaleSession session;
    for (const QString& line : row.rungUp)
        session.rungUp(line);
    if (row.closedAt >= 0)
        session.closed(row.closedAt, 10);
    if (row.newSale)
        session.newSale();
    EXPECT_EQ(describe(session.forTicket(row.history, 4, 10)), row.sale);
}

INSTANTIATE_TEST_SUITE_P(Rows, SaleTicket, testing::ValuesIn(kTickets), test::RowName());

struct SaveRow {
    const char* name;
    std::vector<bool> saves;
    QString told; // after each save: "T" told, "-" not; then "u" when unsaved
};

// A failed save leaves the history unsaved until one succeeds; the cashier is told once for
// each run of failures.
const SaveRow kSaves[] = {
    {"all saved", {true, true}, "--"},
    {"one failure", {false}, "Tu"},
    {"a run of failures", {false, false, false}, "T--u"},
    {"a run, saved, another run", {false, false, true, false}, "T--Tu"},
};

class SaleSaving : public testing::TestWithParam<SaveRow> {};

TEST_P(SaleSaving, ToldOnceForEachRunOfFailures) {
    SaleSession session;
    QString told;
    for (bool ok : GetParam().saves) {
        session.saved(ok);
        told += session.tellFailure() ? u'T' : u'-';
    }
    if (session.unsaved())
        told += u'u';
    EXPECT_EQ(told, GetParam().told);
}

INSTANTIATE_TEST_SUITE_P(Rows, SaleSaving, testing::ValuesIn(kSaves), test::RowName());

} // namespace
