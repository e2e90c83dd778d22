#pragma once

#include "sale/SalesLine.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tallimo {

// A sale as its ticket tells it.
struct SaleForTicket {
    QStringList lines; // as the sales file holds them
    Cents total = 0;
    std::optional<Cents> payment; // the one whose change the screen showed
    // Which sale it is, whatever its lines: the number this session gave it as it
    // began, or 0 for a sale closed before this run, then told by where its total
    // line stands in the history.
    int number = 0;
    qsizetype totalLine = -1;
};

// Whether two tickets tell the same sale; two sales with the same lines are two.
bool sameSale(const SaleForTicket& a, const SaleForTicket& b);

// What the register keeps around the sale on the screen: where in the history
// the sale in progress began, the payment confirmed for it, the sales closed
// here (the last with its payment), and whether the history is all on disk. The
// lines themselves are the history's; the sale's running total stays with the
// window that shows it.
class SaleSession {
  public:
    // A line rung up at `at` of the history; the first one begins a sale, which
    // takes the next number.
    void rungUp(qsizetype at);
    // A payment confirmed on screen, with the change shown for it; nullopt when
    // the file could not hold it.
    void paid(std::optional<Cents> payment);
    // The sale in progress was closed by the total line that stands at
    // `totalLine` of the history, with the payment confirmed for it.
    void closed(qsizetype totalLine);
    // Nothing is in progress any more.
    void newSale();
    // The history was replaced by an edited one: the places kept follow their lines.
    void edited(const QStringList& before, const QStringList& after);
    bool inProgress() const { return mStart >= 0; }

    // The sale in progress as the history holds it now, with the total on the
    // screen; when none, the last sale the history closed, with its payment
    // when it was closed here; else no lines.
    SaleForTicket forTicket(const QStringList& history, Cents total) const;

    // The outcome of each save of the history.
    void saved(bool ok);
    // The history on screen is not all on disk.
    bool unsaved() const { return mUnsaved; }
    // True once for a run of failed saves: the cashier is told then, and the
    // sale goes on while the next saves retry.
    bool tellFailure();

  private:
    qsizetype mStart = -1; // the sale in progress's first line
    int mNumber = 0;       // the sale in progress's, else the last one begun
    std::optional<Cents> mPaid;
    struct Closed {
        qsizetype totalLine;
        int number;
    };
    // The sales closed in this run whose total lines the history still holds,
    // oldest first; the payment is the last one's while its total line stands.
    QList<Closed> mClosed;
    std::optional<Cents> mClosedPayment;
    bool mUnsaved = false;
    bool mTold = false;
};

} // namespace tallimo
