#include "app/ReportDesk.h"

#include "storage/TicketSettings.h"
#include "widgets/Dialogs.h"

#include <utility>

namespace tallimo {

ReportDesk::ReportDesk(std::optional<QString> ticketFile, QString decimalPoint, Dialogs& dialogs,
                       QWidget* window)
    : QObject(window), mTicketFile(std::move(ticketFile)), mDecimalPoint(std::move(decimalPoint)),
      mDialogs(dialogs), mWindow(window) {
    connect(&mPrinter, &TicketPrinter::printed, this, [this] { mOnItsWay.clear(); });
    connect(&mPrinter, &TicketPrinter::failed, this, [this](const QString&, const QString& reason) {
        mOnItsWay.clear();
        tell(QStringLiteral("No se imprimió el resumen.\n\n%1\n\nPulse F9 para imprimirlo otra "
                            "vez.")
                 .arg(reason));
    });
}

void ReportDesk::print(const ReportDays& report) {
    if (!mOnItsWay.isEmpty()) {
        if (!std::exchange(mToldOnItsWay, true))
            tell(QStringLiteral("El resumen ya se está imprimiendo."));
        return;
    }
    const TicketSettingsRead read =
        mTicketFile ? readTicketSettings(*mTicketFile) : TicketSettingsRead{};
    if (!read.error.isEmpty()) {
        tell(QStringLiteral("No se imprimió el resumen: revise Ticket.txt en el escritorio.\n\n") +
             read.error);
        return;
    }
    const TicketSettings& s = read.settings;
    const TicketLook look{s.header, s.footer, TicketColumns(s.paperMm), mDecimalPoint};
    const QDateTime now = QDateTime::currentDateTime();
    // A name of its own in the queue, so its job is told from a ticket's.
    mOnItsWay = QStringLiteral("Resumen %1 %2")
                    .arg(now.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss")))
                    .arg(++mCount);
    mToldOnItsWay = false;
    mPrinter.print(
        {s.printer, mOnItsWay, LayoutDayReport(report, now, look), s.paperMm, look.columns});
}

void ReportDesk::tell(const QString& text) {
    mDialogs.message(mWindow, text, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
}

} // namespace tallimo
