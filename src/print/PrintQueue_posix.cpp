// CUPS: the page is made by Qt as a PDF and handed to the queue through libcups,
// whose answers are checked (Qt's own CUPS engine does not report a refused job).
#include "print/PrintQueue.h"

#include <QDeadlineTimer>
#include <QPrinter>
#include <QTemporaryDir>
#include <QThread>

#include <cups/cups.h>
#include <dlfcn.h>
#include <memory>

namespace tallimo::printqueue {

namespace {

// libcups is opened at the first ticket, not at start: with what it pulls in
// (GnuTLS, Kerberos, Avahi) it cost a register that never prints 3.4 MB resident.
struct Cups {
    decltype(&::cupsLastError) cupsLastError = nullptr;
    decltype(&::cupsLastErrorString) cupsLastErrorString = nullptr;
    decltype(&::cupsGetNamedDest) cupsGetNamedDest = nullptr;
    decltype(&::cupsFreeDests) cupsFreeDests = nullptr;
    decltype(&::cupsGetOption) cupsGetOption = nullptr;
    decltype(&::cupsAddOption) cupsAddOption = nullptr;
    decltype(&::cupsFreeOptions) cupsFreeOptions = nullptr;
    decltype(&::cupsPrintFile2) cupsPrintFile2 = nullptr;
    decltype(&::cupsGetJobs2) cupsGetJobs2 = nullptr;
    decltype(&::cupsFreeJobs) cupsFreeJobs = nullptr;
    decltype(&::cupsCancelJob2) cupsCancelJob2 = nullptr;
    bool opened = false;
    QString error; // why it could not be opened
};

template <typename Function> bool resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

Cups openCups() {
    Cups api;
    void* library = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL); // kept open for the program
    const bool found = library && resolve(library, "cupsLastError", api.cupsLastError) &&
                       resolve(library, "cupsLastErrorString", api.cupsLastErrorString) &&
                       resolve(library, "cupsGetNamedDest", api.cupsGetNamedDest) &&
                       resolve(library, "cupsFreeDests", api.cupsFreeDests) &&
                       resolve(library, "cupsGetOption", api.cupsGetOption) &&
                       resolve(library, "cupsAddOption", api.cupsAddOption) &&
                       resolve(library, "cupsFreeOptions", api.cupsFreeOptions) &&
                       resolve(library, "cupsPrintFile2", api.cupsPrintFile2) &&
                       resolve(library, "cupsGetJobs2", api.cupsGetJobs2) &&
                       resolve(library, "cupsFreeJobs", api.cupsFreeJobs) &&
                       resolve(library, "cupsCancelJob2", api.cupsCancelJob2);
    api.opened = found;
    if (const char* why = found ? nullptr : dlerror())
        api.error = QString::fromLocal8Bit(why);
    return api;
}

// Opened once, by the first printing thread; each print runs after the last one ended.
const Cups& cups() {
    static const Cups api = openCups();
    return api;
}

// A ticket the printer has not finished by then is taken back from the queue.
constexpr int kPatienceMs = 60000;

QString quoted(const QString& name) {
    return QStringLiteral("\"") + name + QStringLiteral("\"");
}

QString lastError() {
    return QString::fromUtf8(cups().cupsLastErrorString());
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

struct DestFree {
    void operator()(cups_dest_t* dest) const { cups().cupsFreeDests(1, dest); }
};
using Dest = std::unique_ptr<cups_dest_t, DestFree>;

// Why the queue cannot take the ticket now; empty when it can.
QString problemOf(const cups_dest_t& dest) {
    const QString name = quoted(QString::fromUtf8(dest.name));
    const char* state = cups().cupsGetOption("printer-state", dest.num_options, dest.options);
    const char* accepting =
        cups().cupsGetOption("printer-is-accepting-jobs", dest.num_options, dest.options);
    if (state && QByteArray(state) == QByteArray::number(IPP_PSTATE_STOPPED))
        return QStringLiteral("La impresora %1 está detenida: actívela y vuelva a imprimir.")
            .arg(name);
    if (accepting && QByteArray(accepting) == "false")
        return QStringLiteral("La impresora %1 no acepta trabajos ahora.").arg(name);
    return {};
}

// Waits for the job to leave the queue; empty when it printed.
QString waitFor(const char* queue, int job, const QString& name, const std::atomic<bool>& stop) {
    const QDeadlineTimer deadline(kPatienceMs);
    while (!stop) {
        cups_job_t* jobs = nullptr;
        const int count =
            cups().cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue, 0, CUPS_WHICHJOBS_ALL);
        ipp_jstate_t state = IPP_JSTATE_COMPLETED; // a job gone from the history has printed
        for (int i = 0; i < count; ++i)
            if (jobs[i].id == job)
                state = jobs[i].state;
        cups().cupsFreeJobs(count, jobs);
        if (state == IPP_JSTATE_COMPLETED)
            return {};
        if (state == IPP_JSTATE_CANCELED || state == IPP_JSTATE_ABORTED ||
            state == IPP_JSTATE_STOPPED)
            return QStringLiteral("La impresora %1 no terminó el ticket: se canceló o se "
                                  "detuvo la impresora.")
                .arg(name);
        if (deadline.hasExpired()) {
            cups().cupsCancelJob2(CUPS_HTTP_DEFAULT, queue, job, 0);
            return QStringLiteral("La impresora %1 no imprimió el ticket en %2 segundos y se "
                                  "quitó de la cola. Revise que esté encendida, conectada y "
                                  "con papel.")
                .arg(name)
                .arg(kPatienceMs / 1000);
        }
        QThread::msleep(200);
    }
    return {};
}

} // namespace

QString print(const Job& job, const std::atomic<bool>& stop) {
    if (!cups().opened)
        return QStringLiteral("No se pudo hablar con el sistema de impresión (%1).")
            .arg(cups().error);
    const QByteArray wanted = job.printer.toUtf8();
    const Dest dest(cups().cupsGetNamedDest(
        CUPS_HTTP_DEFAULT, wanted.isEmpty() ? nullptr : wanted.constData(), nullptr));
    if (!dest) {
        if (cups().cupsLastError() >= IPP_STATUS_ERROR_INTERNAL)
            return QStringLiteral("No se pudo hablar con el sistema de impresión (%1).")
                .arg(lastError());
        return wanted.isEmpty()
                   ? QStringLiteral("No hay una impresora predeterminada: elija una en el "
                                    "sistema o escriba su nombre en Ticket.txt (Impresora=...).")
                   : QStringLiteral("La impresora %1 no existe: revise su nombre en Ticket.txt.")
                         .arg(quoted(job.printer));
    }
    const QString name = quoted(QString::fromUtf8(dest->name));
    if (const QString problem = problemOf(*dest); !problem.isEmpty())
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
    cups_option_t* options = nullptr;
    int count = cups().cupsAddOption("media", media.constData(), 0, &options);
    const int id =
        cups().cupsPrintFile2(CUPS_HTTP_DEFAULT, dest->name, file.toLocal8Bit().constData(),
                              job.title.toUtf8().constData(), count, options);
    cups().cupsFreeOptions(count, options);
    if (id <= 0)
        return QStringLiteral("La impresora %1 rechazó el ticket: %2.").arg(name, refusal());
    return waitFor(dest->name, id, name, stop);
}

} // namespace tallimo::printqueue
