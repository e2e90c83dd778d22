#include "sale/SaleSession.h"
#include "support/GTestHelpers.h"

using namespace tallimo;

namespace {

const QString kPan = "2 x Pan de $2.00 = $4.00";
const QString kPapa = "1 x Papa de $3.00 = $3.00";
const QStringList kSold = {kPan, QString(50, '-') + ">Total $4.00"};
const QString kUnpaid = kPan + " | 4.00 | -";

struct TicketRow {
    const char* name;
    QStringList before; // the history as this session went through it,
    const char* steps;  // one a char: for each of its lines R rung up, T closed there, L there
                        // before; p paid 10, n new sale
    QStringList after;  // the history now (none: as before, else given back by the editor)
    QString sale;       // lines | total | payment
};

QString describe(const SaleForTicket& sale) {
    return sale.lines.join(" + ") + " | " + formatCents(sale.total, ".") + " | " +
           (sale.payment ? formatCents(*sale.payment, ".") : "-");
}

// The ticket tells the sale in progress as the history holds it now, with the payment confirmed
// for the change on screen (not one confirmed before the last line was rung up), else the last sale
// the history closed, whose payment is known only when this session closed it at that line.
const TicketRow kTickets[] = {
    {"nothing sold", {}, "", {}, " | 0.00 | -"},
    {"in progress", {kPan}, "Rp", {}, kPan + " | 4.00 | 10.00"},
    {"closed here", kSold, "RpTn", {}, kPan + " | 4.00 | 10.00"},
    {"closed before this session", kSold, "LL", {}, kUnpaid},
    {"closed here, then edited away", kSold + kSold, "LLRpTn", kSold, kUnpaid},
    {"new sale without payment", kSold + QStringList{kPapa}, "LLRn", {}, kUnpaid},
    {"closed on a payment typed, not confirmed", kSold, "RTn", {}, kUnpaid},
    {"edited sale, paid before its last line", {kPan, kPapa}, "RpR", {kPan}, kUnpaid},
    {"abandoned lines", kSold + QStringList{kPapa, kPan}, "LLRnR", {}, kUnpaid},
    {"abandoned line edited away", {kPapa, kPan}, "RnR", {kPan}, kUnpaid},
    {"file's bytes", {"1 x 🎂 de $4.00 = $4.00"}, "R", {}, "1 x ? de $4.00 = $4.00 | 4.00 | -"},
};

// Goes through the row's steps, taking a ticket (k) of the history so far, then one of the history
// now.
QList<SaleForTicket> replay(const TicketRow& row) {
    SaleSession session;
    QList<SaleForTicket> tickets;
    qsizetype at = 0;
    for (const char step : std::string_view(row.steps)) {
        step == 'R' ? session.rungUp(at) : step == 'T' ? session.closed(at) : void();
        step == 'p' ? session.paid(1000) : step == 'n' ? session.newSale() : void();
        if (step == 'k')
            tickets << session.forTicket(row.before.sliced(0, at), 400);
        at += step < 'a';
    }
    const QStringList& now = row.after.isEmpty() ? row.before : row.after;
    session.edited(row.before, now); // nothing moves when it is the same
    return tickets << session.forTicket(now, 400);
}

class SaleTicket : public testing::TestWithParam<TicketRow> {};

TEST_P(SaleTicket, TheSaleInProgressOrTheLastClosed) {
    EXPECT_EQ(describe(replay(GetParam()).last()), GetParam().sale);
}

INSTANTIATE_TEST_SUITE_P(Rows, SaleTicket, testing::ValuesIn(kTickets), test::RowName());

// Each ticket named by the first ticket of its sale: a sale keeps its identity from its first
// line through its closing and edits around it; the same lines in another sale are another sale.
const TicketRow kIdentities[] = {
    {"two sales with the same lines", kSold + kSold, "RkpTnkRkTn", {}, "0022"},
    {"abandoned, then the same lines", kSold.sliced(0, 1) + kSold, "RknRkTn", {}, "011"},
    {"closed before this run, then the same lines", kSold + kSold, "LLkRkTn", {}, "011"},
    {"closed here, a line edited in before", kSold, "RkTn", QStringList{kPapa} + kSold, "00"},
    {"closed here, the next one's total edited away", kSold + kSold, "RkTnRkTn",
     kSold + QStringList{kPan}, "010"},
    {"in progress, a line of it edited away", {kPan, kPapa}, "RRk", {kPan}, "00"},
    {"closed before this run, edited", kSold, "LLk", {kPapa, kSold[1]}, "01"},
};

class SaleIdentity : public testing::TestWithParam<TicketRow> {};

TEST_P(SaleIdentity, SameSaleWhateverItsLines) {
    const QList<SaleForTicket> tickets = replay(GetParam());
    QString names;
    for (qsizetype i = 0, j = 0; i < tickets.size(); names += QString::number(j), ++i, j = 0)
        while (j < i && !sameSale(tickets[j], tickets[i]))
            ++j;
    EXPECT_EQ(names, GetParam().sale);
}

INSTANTIATE_TEST_SUITE_P(Rows, SaleIdentity, testing::ValuesIn(kIdentities), test::RowName());

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
