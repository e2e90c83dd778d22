// CUPS: the page is made by Qt as a PDF and handed to the queue through libcups,
// whose answers are checked (Qt's own CUPS engine does not report a refused job).
// A ticket counts as printed only once its queue says it completed it.
#include "print/CupsSession_posix.h"
#include "print/PrintQueue.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QThread>

namespace tallimo::printqueue {

namespace {

// A ticket the printer has not finished by then is taken back from the queue;
// every request of the ticket counts inside it.
constexpr int kPatienceMs = 60000;
// Before a ticket, the time given to taking back those told as failed earlier.
constexpr int kLeftoversMs = 2000;

QString quoted(const QString& name) {
    return QStringLiteral("\"") + name + QStringLiteral("\"");
}

QString lastError() {
    return QString::fromUtf8(cups().cupsLastErrorString());
}

QString noAnswer() {
    return QStringLiteral("El sistema de impresión no contesta: revise que el servicio de "
                          "impresión esté en marcha.");
}

// Why a question about the queue got no answer, before any job was sent.
QString unreachable(const CupsSession& session) {
    if (session.gaveUp() || cups().cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
        return noAnswer();
    return QStringLiteral("No se pudo hablar con el sistema de impresión (%1).").arg(lastError());
}

// Why the queue refused a job, in the cashier's words where they are known.
QString refusal() {
    switch (cups().cupsLastError()) {
    case IPP_STATUS_ERROR_REQUEST_VALUE: // what a full spool folder answers
        return QStringLiteral("la cola de impresión no tiene espacio para él");
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return QStringLiteral("no acepta trabajos ahora");
    default:
        return lastError();
    }
}

QString stoppedQueue(const QString& name) {
    return QStringLiteral("La impresora %1 está detenida: actívela y vuelva a imprimir.").arg(name);
}

// Why the queue cannot take the ticket now; empty when it can.
QString problemOf(const QueueState& queue) {
    const QString name = quoted(QString::fromUtf8(queue.name));
    if (queue.state == IPP_PSTATE_STOPPED)
        return stoppedQueue(name);
    if (!queue.accepting)
        return QStringLiteral("La impresora %1 no acepta trabajos ahora.").arg(name);
    return {};
}

// Takes the job back; when the server cannot be reached it is tried again later.
void takeBack(CupsSession& session, const QByteArray& queue, int job) {
    if (!session.cancel(queue, job))
        remember(session, queue, job);
}

QString noDefault() {
    return QStringLiteral("No hay una impresora predeterminada: elija una en el sistema o "
                          "escriba su nombre en Ticket.txt (Impresora=...).");
}

// The queue named, or the default one; nothing, with `why`, when there is none.
std::optional<QueueState> findQueue(CupsSession& session, const QString& printer, QString& why) {
    QByteArray wanted = printer.toUtf8();
    if (wanted.isEmpty()) {
        session.begin();
        wanted = cups().cupsGetDefault2(session.http());
        const ipp_status_t status = cups().cupsLastError();
        if (wanted.isEmpty()) {
            why = session.gaveUp() || (status > IPP_STATUS_OK_EVENTS_COMPLETE &&
                                       status != IPP_STATUS_ERROR_NOT_FOUND)
                      ? unreachable(session)
                      : noDefault();
            return std::nullopt;
        }
    }
    auto queue = session.queue(wanted);
    if (queue)
        return queue;
    if (session.gaveUp() || cups().cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND)
        why = unreachable(session);
    else if (printer.isEmpty())
        why = noDefault();
    else
        why = QStringLiteral("La impresora %1 no existe: revise su nombre en Ticket.txt.")
                  .arg(quoted(printer));
    return std::nullopt;
}

// Hands the page to the queue: the job's id, or 0 with `why` it did not take it.
int submit(CupsSession& session, const QByteArray& queue, const QString& file, const Job& job,
           const QByteArray& media, QString& why) {
    const Cups& api = cups();
    QFile page(file);
    if (!page.open(QIODevice::ReadOnly)) {
        why = QStringLiteral("No se pudo preparar la página del ticket.");
        return 0;
    }
    const QByteArray bytes = page.readAll();
    const QString name = quoted(QString::fromUtf8(queue));
    cups_option_t* options = nullptr;
    const int count = api.cupsAddOption("media", media.constData(), 0, &options);
    session.begin();
    const int id = api.cupsCreateJob(session.http(), queue.constData(),
                                     job.title.toUtf8().constData(), count, options);
    api.cupsFreeOptions(count, options);
    // The document and the server's answer to it are one request.
    session.begin();
    if (id > 0 &&
        api.cupsStartDocument(session.http(), queue.constData(), id, "ticket.pdf", CUPS_FORMAT_PDF,
                              1) == HTTP_STATUS_CONTINUE &&
        api.cupsWriteRequestData(session.http(), bytes.constData(), size_t(bytes.size())) ==
            HTTP_STATUS_CONTINUE &&
        api.cupsFinishDocument(session.http(), queue.constData()) <=
            IPP_STATUS_OK_EVENTS_COMPLETE &&
        !session.gaveUp())
        return id;
    why = session.gaveUp() || api.cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE
              ? noAnswer()
              : QStringLiteral("La impresora %1 rechazó el ticket: %2.").arg(name, refusal());
    if (id > 0)
        takeBack(session, queue, id);
    return 0;
}

// The job's state as the queue tells it; nothing when the queue did not answer.
// A job the queue answers for but no longer lists has left its history after it
// ended, and only a completed job leaves it unless someone purges it: counted as
// completed.
std::optional<ipp_jstate_t> jobState(CupsSession& session, const QByteArray& queue, int job) {
    cups_job_t* jobs = nullptr;
    session.begin();
    const int count =
        cups().cupsGetJobs2(session.http(), &jobs, queue.constData(), 0, CUPS_WHICHJOBS_ALL);
    if (count < 0 || session.gaveUp())
        return std::nullopt;
    ipp_jstate_t state = IPP_JSTATE_COMPLETED;
    for (int i = 0; i < count; ++i)
        if (jobs[i].id == job)
            state = jobs[i].state;
    cups().cupsFreeJobs(count, jobs);
    return state;
}

QString overdue(const QString& name) {
    return QStringLiteral("La impresora %1 no imprimió el ticket en %2 segundos y se quitó de la "
                          "cola. Revise que esté encendida, conectada y con papel.")
        .arg(name)
        .arg(kPatienceMs / 1000);
}

// Follows the job until the queue completed it; empty when it did, or when the
// program ends (it is taken back then).
QString waitFor(CupsSession& session, const QByteArray& queue, int job, const QString& name,
                const QDeadlineTimer& patience) {
    while (!session.stopped()) {
        const auto state = jobState(session, queue, job);
        if (state == IPP_JSTATE_COMPLETED)
            return {};
        const auto printer = state ? session.queue(queue) : std::nullopt;
        if (session.stopped())
            break;
        if (!printer) {
            if (session.gaveUp() && patience.hasExpired()) { // a slow answer at the very end
                takeBack(session, queue, job);
                return overdue(name);
            }
            if (!session.gaveUp() && cups().cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
                return QStringLiteral("La impresora %1 se quitó del sistema de impresión antes "
                                      "de terminar el ticket.")
                    .arg(name);
            takeBack(session, queue, job);
            return QStringLiteral("El sistema de impresión dejó de contestar antes de terminar "
                                  "el ticket: revise que el servicio de impresión esté en "
                                  "marcha.");
        }
        if (*state >= IPP_JSTATE_STOPPED) {
            takeBack(session, queue, job);
            return QStringLiteral("La impresora %1 no terminó el ticket: se canceló o se "
                                  "detuvo la impresora.")
                .arg(name);
        }
        if (printer->state == IPP_PSTATE_STOPPED) {
            takeBack(session, queue, job);
            return stoppedQueue(name);
        }
        if (patience.hasExpired()) {
            takeBack(session, queue, job);
            return overdue(name);
        }
        QThread::msleep(200);
    }
    takeBack(session, queue, job);
    return {};
}

} // namespace

QString print(const Job& job, const std::atomic<bool>& stop) {
    if (!cups().opened)
        return QStringLiteral("No se pudo hablar con el sistema de impresión (%1).")
            .arg(cups().error);
    const QDeadlineTimer patience(kPatienceMs);
    cancelLeftovers(stop, kLeftoversMs);
    CupsSession session(stop, patience);
    if (!session.open())
        return stop ? QString() : noAnswer();

    QString why;
    const auto queue = findQueue(session, job.printer, why);
    if (!queue)
        return session.stopped() ? QString() : why;
    const QString name = quoted(QString::fromUtf8(queue->name));
    if (const QString problem = problemOf(*queue); !problem.isEmpty())
        return problem;

    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("ticket.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    if (!folder.isValid() || !render(printer, job))
        return QStringLiteral("No se pudo preparar la página del ticket.");

    // The queue's driver is told the roll's page, so it neither scales nor pads it.
    const QSizeF size = printer.pageLayout().pageSize().size(QPageSize::Millimeter);
    const QByteArray media = QStringLiteral("Custom.%1x%2mm")
                                 .arg(size.width(), 0, 'f', 1)
                                 .arg(size.height(), 0, 'f', 1)
                                 .toLatin1();
    const int id = submit(session, queue->name, file, job, media, why);
    if (id <= 0)
        return session.stopped() ? QString() : why;
    return waitFor(session, queue->name, id, name, patience);
}

void takeBackFailed(int ms) {
    static const std::atomic<bool> never{false};
    cancelLeftovers(never, ms);
}

} // namespace tallimo::printqueue
