// The Windows spooler: the page is drawn through Qt's own engine for the
// printer's driver; the spooler's API tells whether the printer can take it
// and follows the job until it has printed.
#include "print/PrintQueue.h"

#include <QDeadlineTimer>
#include <QPrinter>
#include <QThread>

#include <windows.h>
#include <winspool.h>

#include <optional>
#include <vector>

namespace tallimo::printqueue {

namespace {

// A ticket the printer has not finished by then is taken back from the queue.
constexpr int kPatienceMs = 60000;

QString quoted(const QString& name) {
    return QStringLiteral("\"") + name + QStringLiteral("\"");
}

const wchar_t* wide(const QString& text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

QString defaultPrinter() {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0)
        return {};
    std::vector<wchar_t> name(size);
    if (!GetDefaultPrinterW(name.data(), &size))
        return {};
    return QString::fromWCharArray(name.data());
}

class Printer {
  public:
    explicit Printer(const QString& name) {
        if (!OpenPrinterW(const_cast<wchar_t*>(wide(name)), &mHandle, nullptr))
            mHandle = nullptr;
    }
    ~Printer() {
        if (mHandle)
            ClosePrinter(mHandle);
    }
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;
    HANDLE handle() const { return mHandle; }

    // Why it cannot take the ticket now; empty when it can.
    QString problem(const QString& name) const {
        DWORD size = 0;
        GetPrinterW(mHandle, 2, nullptr, 0, &size);
        std::vector<BYTE> buffer(size ? size : 1);
        if (!size || !GetPrinterW(mHandle, 2, buffer.data(), size, &size))
            return {};
        const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
        if (info->Status & (PRINTER_STATUS_PAUSED | PRINTER_STATUS_PENDING_DELETION))
            return QStringLiteral("La impresora %1 está detenida: actívela y vuelva a imprimir.")
                .arg(quoted(name));
        if ((info->Status & (PRINTER_STATUS_OFFLINE | PRINTER_STATUS_ERROR)) ||
            (info->Attributes & PRINTER_ATTRIBUTE_WORK_OFFLINE))
            return QStringLiteral("La impresora %1 no está disponible (apagada, desconectada o "
                                  "con un error).")
                .arg(quoted(name));
        return {};
    }

    // The job whose document is `title`: its id and status, id 0 when the queue holds
    // none; nothing when the spooler did not answer (a printer removed, the service
    // stopped), which is never taken for printed. A spooler that cannot list jobs at
    // all fails without a reason (Wine's): what it accepted is all it can tell.
    std::optional<std::pair<DWORD, DWORD>> job(const QString& title) const {
        DWORD needed = 0, count = 0;
        SetLastError(ERROR_SUCCESS); // else a reason left by an earlier call is read
        if (!EnumJobsW(mHandle, 0, 255, 1, nullptr, 0, &needed, &count)) {
            const DWORD error = GetLastError();
            if (error == ERROR_SUCCESS)
                return std::pair<DWORD, DWORD>{0, 0};
            if (error != ERROR_INSUFFICIENT_BUFFER)
                return std::nullopt;
        }
        if (needed == 0)
            return std::pair<DWORD, DWORD>{0, 0};
        std::vector<BYTE> buffer(needed);
        if (!EnumJobsW(mHandle, 0, 255, 1, buffer.data(), needed, &needed, &count))
            return std::nullopt;
        const auto* jobs = reinterpret_cast<const JOB_INFO_1W*>(buffer.data());
        for (DWORD i = 0; i < count; ++i)
            if (jobs[i].pDocument && QString::fromWCharArray(jobs[i].pDocument) == title)
                return std::pair<DWORD, DWORD>{jobs[i].JobId, jobs[i].Status};
        return std::pair<DWORD, DWORD>{0, 0};
    }

  private:
    HANDLE mHandle = nullptr;
};

} // namespace

// The print spooler service is not running: no printer can be asked about.
bool spoolerDown() {
    return GetLastError() == RPC_S_SERVER_UNAVAILABLE;
}

QString noAnswer() {
    return QStringLiteral("El sistema de impresión no contesta: revise que el servicio de "
                          "impresión esté en marcha.");
}

QString print(const Job& job, const std::atomic<bool>& stop) {
    const QString name = job.printer.isEmpty() ? defaultPrinter() : job.printer;
    if (name.isEmpty())
        return spoolerDown() ? noAnswer()
                             : QStringLiteral("No hay una impresora predeterminada: elija una en "
                                              "Windows o escriba su nombre en Ticket.txt "
                                              "(Impresora=...).");
    const Printer printer(name);
    if (!printer.handle())
        return spoolerDown()
                   ? noAnswer()
                   : QStringLiteral("La impresora %1 no existe: revise su nombre en Ticket.txt.")
                         .arg(quoted(name));
    if (const QString problem = printer.problem(name); !problem.isEmpty())
        return problem;

    QPrinter page(QPrinter::HighResolution);
    page.setPrinterName(name);
    if (!page.isValid() || !render(page, job))
        return QStringLiteral("La impresora %1 no aceptó el ticket.").arg(quoted(name));

    // The spooler keeps the job until the printer has taken all of it.
    const QDeadlineTimer deadline(kPatienceMs);
    const auto takeBack = [&](DWORD id) {
        SetJobW(printer.handle(), id, 0, nullptr, JOB_CONTROL_DELETE);
    };
    while (!stop) {
        const auto found = printer.job(job.title);
        if (!found)
            return QStringLiteral("La impresora %1 dejó de contestar antes de terminar el "
                                  "ticket: revise que siga instalada y que el servicio de "
                                  "impresión esté en marcha.")
                .arg(quoted(name));
        const auto [id, status] = *found;
        if (id == 0)
            return {};
        // Paused or taken offline while printing: its own state, told at once.
        if (const QString problem = printer.problem(name); !problem.isEmpty()) {
            takeBack(id);
            return problem;
        }
        if (status &
                (JOB_STATUS_ERROR | JOB_STATUS_DELETING | JOB_STATUS_DELETED | JOB_STATUS_OFFLINE |
                 JOB_STATUS_PAPEROUT | JOB_STATUS_BLOCKED_DEVQ | JOB_STATUS_USER_INTERVENTION) ||
            deadline.hasExpired()) {
            takeBack(id);
            return QStringLiteral("La impresora %1 no imprimió el ticket y se quitó de la cola. "
                                  "Revise que esté encendida, conectada y con papel.")
                .arg(quoted(name));
        }
        QThread::msleep(200);
    }
    // The program ends: the ticket does not print later by surprise.
    if (const auto found = printer.job(job.title); found && found->first)
        takeBack(found->first);
    return {};
}

// The spooler is on this machine: a failed ticket is taken back at once, above.
void takeBackFailed(int) {}

} // namespace tallimo::printqueue
