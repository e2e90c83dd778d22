#include "print/Roll.h"
#include "print/RollLayout.h"

#include "sale/Amount.h"
#include "sale/SalesLine.h"

#include <QLocale>

namespace tallimo {

double printableMm(int paperMm) {
    return paperMm >= 80 ? 72 : 48;
}

int TicketColumns(int paperMm) {
    constexpr double kFontAMm = 1.5; // 12 dots at 8 dots a millimetre
    return int(printableMm(paperMm) / kFontAMm);
}

QStringList LayoutTicket(const TicketSale& ticket, const TicketLook& look) {
    const SaleForTicket& sale = ticket.sale;
    RollLayout t(look);
    for (const QString& line : look.header)
        t.centred(line);
    if (ticket.copy)
        t.centred(QStringLiteral("COPIA"));
    if (!look.header.isEmpty() || ticket.copy)
        t.rule();
    const QLocale c = QLocale::c();
    t.sides(c.toString(ticket.when.date(), QStringLiteral("dd/MM/yyyy")),
            c.toString(ticket.when.time(), QStringLiteral("HH:mm")));
    t.rule();
    Cents printed = 0;
    int amounts = 0;
    for (const QString& line : sale.lines) {
        const auto parsed = parseInvoiceLine(line);
        if (!parsed) { // an edited line is printed as it stands
            t.lines.append(wrapWords(line, look.columns));
            continue;
        }
        t.lines.append(wrapWords(parsed->product, look.columns));
        t.sides(QStringLiteral("  ") + parsed->quantity + QStringLiteral(" x ") +
                    t.money(parsed->price),
                t.money(parsed->amount));
        printed += parsed->amount;
        ++amounts;
    }
    t.rule();
    // The register charges the unrounded sum, so the rounded amounts may miss the
    // total; each misses by half a cent at most, anything more was edited.
    if (const Cents gap = sale.total - printed; gap != 0) {
        const bool rounding = 2 * (gap < 0 ? -gap : gap) <= amounts;
        t.sides(rounding ? QStringLiteral("Redondeo") : QStringLiteral("Ajuste"), t.money(gap));
    }
    t.sides(QStringLiteral("TOTAL"), t.money(sale.total));
    if (sale.payment && *sale.payment > 0) {
        t.sides(QStringLiteral("Pago"), t.money(*sale.payment));
        t.sides(QStringLiteral("Cambio"), t.money(*sale.payment - sale.total));
    }
    t.footer();
    return t.lines;
}

} // namespace tallimo
