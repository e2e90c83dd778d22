#pragma once

#include "print/PrintQueue.h"

#include <QList>
#include <QObject>
#include <atomic>

class QThread;

namespace tallimo {

// Prints tickets one after the other on a thread of their own, so the sale
// window never waits for a printer; each ends in printed or failed, on the
// thread that asked.
class TicketPrinter : public QObject {
    Q_OBJECT
  public:
    explicit TicketPrinter(QObject* parent = nullptr);
    // Stops waiting for the printer and lets the job in hand finish its call.
    ~TicketPrinter() override;

    // Returns at once.
    void print(const printqueue::Job& job);

  signals:
    void printed(const QString& title);
    void failed(const QString& title, const QString& reason);

  private:
    void startNext();
    void finished(const QString& title, const QString& reason);

    QList<printqueue::Job> mWaiting;
    QThread* mThread = nullptr;
    std::atomic<bool> mStop{false};
};

} // namespace tallimo
