#pragma once

#include <QString>
#include <QStringList>

namespace tallimo {

// A sale as its ticket tells it.
struct SaleForTicket {
    QStringList lines; // invoice lines, as the sales file holds them
    double total = 0;
    double payment = 0; // 0 when none was typed
};

// What the register keeps around the sale on the screen: the lines rung up
// since the last new sale, the last sale closed here with its payment, and
// whether the history is all on disk. The sale's own amounts stay with the
// window that shows them.
class SaleSession {
  public:
    // A line rung up joins the sale in progress.
    void rungUp(const QString& line);
    // The sale in progress was paid with `payment` and closed by the total line
    // that stands at `totalLine` of the history.
    void closed(qsizetype totalLine, double payment);
    // Nothing is in progress any more.
    void newSale();

    // The sale in progress, with its running total and the payment typed; when
    // none, the last sale the history closed, with its payment when it was
    // closed here; else no lines.
    SaleForTicket forTicket(const QStringList& history, double total, double typed) const;

    // The outcome of each save of the history.
    void saved(bool ok);
    // The history on screen is not all on disk.
    bool unsaved() const { return mUnsaved; }
    // True once for a run of failed saves: the cashier is told then, and the
    // sale goes on while the next saves retry.
    bool tellFailure();

  private:
    QStringList mLines;
    qsizetype mClosedTotalLine = -1;
    double mClosedPayment = 0;
    bool mUnsaved = false;
    bool mTold = false;
};

} // namespace tallimo
