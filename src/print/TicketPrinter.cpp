#include "print/TicketPrinter.h"

#include <QThread>

namespace tallimo {

TicketPrinter::TicketPrinter(QObject* parent) : QObject(parent) {}

TicketPrinter::~TicketPrinter() {
    mStop = true;
    if (mThread) {
        mThread->wait();
        delete mThread;
    }
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
    mThread = QThread::create([this, job] {
        const QString reason = printqueue::print(job, mStop);
        QMetaObject::invokeMethod(
            this, [this, title = job.title, reason] { finished(title, reason); },
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
