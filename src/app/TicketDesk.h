#pragma once

#include "print/Roll.h"
#include "print/TicketPrinter.h"

#include <QPointer>
#include <QWidget>
#include <optional>

namespace tallimo {

class Shared;

// Where the sale window's tickets go: Ticket.txt read at each ticket, the ticket
// laid out and handed to the printer, and every reason it was not printed told
// once, over the window given.
class TicketDesk {
  public:
    explicit TicketDesk(Shared& shared);

    void print(const TicketSale& ticket, const QString& symbol, QWidget* window);
    // The last ticket asked for, printed or not, with Ticket.txt as it is now.
    void reprint(QWidget* window);

    TicketPrinter& printer() { return mPrinter; }

  private:
    void hand();
    void tell(const QString& text);

    Shared& mShared;
    TicketPrinter mPrinter;
    QPointer<QWidget> mWindow;
    std::optional<std::pair<TicketSale, QString>> mLast;
    int mCount = 0;
};

} // namespace tallimo
