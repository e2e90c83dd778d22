#include "sale/SaleSession.h"

#include "storage/Codec.h"

#include <algorithm>

namespace tallimo {

namespace {

// What the file holds of each line, and what it will read back after a restart.
QStringList asFileHolds(QStringList lines) {
    for (QString& line : lines)
        line = decodeWindows1252(encodeWindows1252(line));
    return lines;
}

} // namespace

bool sameSale(const SaleForTicket& a, const SaleForTicket& b) {
    if (a.number != 0 || b.number != 0)
        return a.number == b.number;
    // Closed before this run: an edit that moves it or changes it makes another.
    return a.totalLine >= 0 && a.totalLine == b.totalLine && a.lines == b.lines &&
           a.total == b.total;
}

void SaleSession::rungUp(qsizetype at) {
    if (mStart < 0) {
        mStart = at;
        ++mNumber;
    }
    // The change on screen was worked out before this line: it no longer tells this sale.
    mPaid.reset();
}

void SaleSession::paid(std::optional<Cents> payment) {
    mPaid = payment;
}

void SaleSession::closed(qsizetype totalLine) {
    mClosed.append({totalLine, mNumber});
    mClosedPayment = mPaid;
}

void SaleSession::newSale() {
    mStart = -1;
    mPaid.reset();
}

void SaleSession::edited(const QStringList& before, const QStringList& after) {
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (head + tail < shorter &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const qsizetype changedEnd = before.size() - tail;
    const qsizetype shift = after.size() - before.size();
    // A total line among the lines changed is gone; a sale that began among them
    // begins where they do.
    for (Closed& sale : mClosed) {
        if (sale.totalLine >= head)
            sale.totalLine = sale.totalLine >= changedEnd ? sale.totalLine + shift : -1;
    }
    if (!mClosed.isEmpty() && mClosed.last().totalLine < 0)
        mClosedPayment.reset();
    mClosed.removeIf([](const Closed& sale) { return sale.totalLine < 0; });
    if (mStart > head)
        mStart = mStart >= changedEnd ? mStart + shift : head;
}

SaleForTicket SaleSession::forTicket(const QStringList& history, Cents total) const {
    if (mStart >= 0) {
        // The lines before where it began were left by a new sale without payment.
        qsizetype from = history.size();
        while (from > mStart && !history[from - 1].startsWith(kTotalLinePrefix))
            --from;
        return {asFileHolds(history.sliced(from)), total, mPaid, mNumber};
    }
    const auto last = lastClosedSale(history);
    if (!last)
        return {};
    // Its payment and number are known only when this session closed it.
    const auto here = std::find_if(mClosed.crbegin(), mClosed.crend(), [&](const Closed& sale) {
        return sale.totalLine == last->totalLine;
    });
    const bool closedHere = here != mClosed.crend();
    return {asFileHolds(last->lines), last->total,
            closedHere && here == mClosed.crbegin() ? mClosedPayment : std::nullopt,
            closedHere ? here->number : 0, last->totalLine};
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
