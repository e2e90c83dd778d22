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
// once, over the window given. A sale has one ticket on its way at a time, and
// every ticket of a sale after one came out of the printer in this run is a copy.
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
    // Whether the sale has a ticket on its way; the first time this is asked for
    // it, the cashier is told. Another sale with the same lines waits its turn.
    bool onItsWay(const SaleForTicket& sale);
    void arrived(const QString& title, bool printed);

    struct OnItsWay {
        QString title;
        SaleForTicket sale;
        bool told = false;
    };

    Shared& mShared;
    TicketPrinter mPrinter;
    QPointer<QWidget> mWindow;
    std::optional<std::pair<TicketSale, QString>> mLast;
    QList<OnItsWay> mOnItsWay;
    QList<SaleForTicket> mPrinted; // a failed ticket's retry is no copy
    int mCount = 0;
};

} // namespace tallimo
