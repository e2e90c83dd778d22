#include "sale/SaleSession.h"

#include "sale/SalesLine.h"

namespace tallimo {

void SaleSession::rungUp(const QString& line) {
    mLines.append(line);
}

void SaleSession::closed(qsizetype totalLine, double payment) {
    mClosedTotalLine = totalLine;
    mClosedPayment = payment;
}

void SaleSession::newSale() {
    mLines.clear();
}

SaleForTicket SaleSession::forTicket(const QStringList& history, double total, double typed) const {
    if (!mLines.isEmpty())
        return {mLines, total, typed};
    const auto last = lastClosedSale(history);
    if (!last)
        return {};
    // Its payment is known only when this session closed it.
    return {last->lines, centsToDouble(last->total),
            last->totalLine == mClosedTotalLine ? mClosedPayment : 0};
}

void SaleSession::saved(bool ok) {
    mUnsaved = !ok;
    if (ok)
        mTold = false;
}

bool SaleSession::tellFailure() {
    if (!mUnsaved || mTold)
        return false;
    mTold = true;
    return true;
}

} // namespace tallimo
