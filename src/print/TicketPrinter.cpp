#include "print/TicketPrinter.h"

#include <QDeadlineTimer>
#include <QMutex>
#include <QThread>
#include <atomic>

namespace tallimo {

// Closing the register waits this long for the ticket in hand, then for taking
// back the tickets the print system could not take back when they failed.
constexpr int kEndingMs = 1500;
constexpr int kLeftoversMs = 500;

struct TicketPrinter::Link {
    std::atomic<bool> stop{false};
    QMutex lock;
    TicketPrinter* owner = nullptr; // none once it is gone
};

TicketPrinter::TicketPrinter(QObject* parent) : QObject(parent), mLink(std::make_shared<Link>()) {
    mLink->owner = this;
}

TicketPrinter::~TicketPrinter() {
    mLink->stop = true;
    {
        const QMutexLocker lock(&mLink->lock);
        mLink->owner = nullptr;
    }
    if (mThread) {
        // A thread still inside a library call is left to end with the program.
        if (mThread->wait(QDeadlineTimer(kEndingMs)))
            delete mThread;
    }
    printqueue::takeBackFailed(kLeftoversMs);
}

void TicketPrinter::print(const printqueue::Job& job) {
    mWaiting.append(job);
    if (!mThread)
        startNext();
}

void TicketPrinter::startNext() {
    if (mWaiting.isEmpty())
        return;
    const printqueue::Job job = mWaiting.takeFirst();
    mThread = QThread::create([link = mLink, job] {
        const QString reason = printqueue::print(job, link->stop);
        // Posted under the lock, so the owner is either there or never reached; a
        // posted call to an object that goes is dropped with it.
        const QMutexLocker lock(&link->lock);
        if (TicketPrinter* owner = link->owner)
            QMetaObject::invokeMethod(
                owner, [owner, title = job.title, reason] { owner->finished(title, reason); },
                Qt::QueuedConnection);
    });
    mThread->start();
}

void TicketPrinter::finished(const QString& title, const QString& reason) {
    mThread->wait();
    delete mThread;
    mThread = nullptr;
    if (reason.isEmpty())
        emit printed(title);
    else
        emit failed(title, reason);
    startNext();
}

} // namespace tallimo
