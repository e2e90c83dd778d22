#pragma once

#include <QString>
#include <QStringList>
#include <atomic>

class QPrinter;

// Handing a ticket to the system's print queue; one file per system, chosen by
// the build. Runs off the user-interface thread.
namespace tallimo::printqueue {

struct Job {
    QString printer; // empty: the system's default printer
    QString title;   // the job's name in the queue, unique to this ticket
    QStringList lines;
    int paperMm = 58;
    int columns = 32;
};

// Prints the job and waits until the queue has printed it (or the program ends,
// which `stop` tells). An empty text when it printed; else why not, in Spanish.
QString print(const Job& job, const std::atomic<bool>& stop);

// Takes back from their queues, within `ms`, the tickets told as failed that the
// print system could not take back then, so none of them prints later.
void takeBackFailed(int ms);

// Lays the lines out on a page of the roll's width and as long as they need,
// on a printer set up for this system; false when the page could not be begun.
bool render(QPrinter& printer, const Job& job);

} // namespace tallimo::printqueue
