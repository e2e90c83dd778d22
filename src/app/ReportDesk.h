#pragma once

#include "print/DayReport.h"
#include "print/TicketPrinter.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

namespace tallimo {

class Dialogs;

// Where the summary window's report goes: Ticket.txt read at each report, as
// for a ticket, the report laid out and handed to the printer, and every
// reason it was not printed told once, over the window. One report at a time.
class ReportDesk : public QObject {
    Q_OBJECT
  public:
    // ticketFile: Ticket.txt on the drive, nullopt when the drive holds no such path.
    ReportDesk(std::optional<QString> ticketFile, QString decimalPoint, Dialogs& dialogs,
               QWidget* window);

    void print(const ReportDays& report);

    TicketPrinter& printer() { return mPrinter; }

  private:
    void tell(const QString& text);

    std::optional<QString> mTicketFile;
    QString mDecimalPoint;
    Dialogs& mDialogs;
    QPointer<QWidget> mWindow;
    TicketPrinter mPrinter;
    QString mOnItsWay; // the title of the report being printed
    bool mToldOnItsWay = false;
    int mCount = 0;
};

} // namespace tallimo
