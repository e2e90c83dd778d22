#pragma once

#include "print/PrintQueue.h"

#include <QList>
#include <QObject>
#include <memory>

class QThread;

namespace tallimo {

// Prints tickets one after the other on a thread of their own, so the sale
// window never waits for a printer; each ends in printed or failed, on the
// thread that asked.
class TicketPrinter : public QObject {
    Q_OBJECT
  public:
    explicit TicketPrinter(QObject* parent = nullptr);
    // Takes the ticket in hand back from its queue and ends within two seconds
    // or so, whatever the print system does.
    ~TicketPrinter() override;

    // Returns at once.
    void print(const printqueue::Job& job);

  signals:
    void printed(const QString& title);
    void failed(const QString& title, const QString& reason);

  private:
    struct Link;
    void startNext();
    void finished(const QString& title, const QString& reason);

    QList<printqueue::Job> mWaiting;
    QThread* mThread = nullptr;
    // Shared with the thread, which may outlive this object at the program's end.
    std::shared_ptr<Link> mLink;
};

} // namespace tallimo
