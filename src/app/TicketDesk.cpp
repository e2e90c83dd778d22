#include "app/TicketDesk.h"

#include "storage/Paths.h"
#include "storage/TicketSettings.h"
#include "widgets/Dialogs.h"
#include "widgets/Shared.h"

#include <algorithm>

namespace tallimo {

TicketDesk::TicketDesk(Shared& shared) : mShared(shared) {
    QObject::connect(&mPrinter, &TicketPrinter::printed, &mPrinter,
                     [this](const QString& title) { arrived(title, true); });
    QObject::connect(&mPrinter, &TicketPrinter::failed, &mPrinter,
                     [this](const QString& title, const QString& reason) {
                         arrived(title, false);
                         tell(QStringLiteral("No se imprimió el ticket.\n\n%1\n\nLa venta no "
                                             "cambió; pulse F12 para imprimirlo otra vez.")
                                  .arg(reason));
                     });
}

void TicketDesk::print(const TicketSale& ticket, const QString& symbol, QWidget* window) {
    mWindow = window;
    if (ticket.sale.lines.isEmpty()) {
        tell(QStringLiteral("No hay ninguna venta para imprimir."));
        return;
    }
    if (onItsWay(ticket.sale))
        return;
    mLast.emplace(ticket, symbol);
    hand();
}

void TicketDesk::reprint(QWidget* window) {
    mWindow = window;
    if (!mLast) {
        tell(QStringLiteral("Todavía no se ha pedido ningún ticket: pulse F9 para imprimir el de "
                            "la venta."));
        return;
    }
    if (!onItsWay(mLast->first.sale))
        hand();
}

bool TicketDesk::onItsWay(const SaleForTicket& sale) {
    for (OnItsWay& ticket : mOnItsWay) {
        if (!sameSale(ticket.sale, sale))
            continue;
        if (!ticket.told)
            tell(QStringLiteral("El ticket de esta venta ya se está imprimiendo."));
        ticket.told = true;
        return true;
    }
    return false;
}

void TicketDesk::arrived(const QString& title, bool printed) {
    mOnItsWay.removeIf([&](const OnItsWay& ticket) {
        if (ticket.title != title)
            return false;
        if (printed)
            mPrinted.append(ticket.sale);
        return true;
    });
}

void TicketDesk::hand() {
    const Environment& env = mShared.environment();
    const auto local =
        mShared.localPath(paths::ticketSettingsPath(mShared.SystemChoice, env.userName()));
    const TicketSettingsRead read = local ? readTicketSettings(*local) : TicketSettingsRead{};
    if (!read.error.isEmpty()) {
        tell(QStringLiteral("No se imprimió el ticket: revise Ticket.txt en el escritorio.\n\n") +
             read.error);
        return;
    }
    const TicketSettings& s = read.settings;
    auto [ticket, symbol] = *mLast;
    ticket.copy = std::any_of(mPrinted.cbegin(), mPrinted.cend(), [&](const SaleForTicket& sale) {
        return sameSale(sale, ticket.sale);
    });
    const TicketLook look{s.header, s.footer, TicketColumns(s.paperMm), env.decimalPoint(), symbol};
    // A name of its own in the queue, so its job is told from any other.
    const QString title = QStringLiteral("Ticket %1 %2")
                              .arg(ticket.when.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss")))
                              .arg(++mCount);
    mOnItsWay.append({title, ticket.sale});
    mPrinter.print({s.printer, title, LayoutTicket(ticket, look), s.paperMm, look.columns});
}

void TicketDesk::tell(const QString& text) {
    mShared.dialogs().message(mWindow, text, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
}

} // namespace tallimo
