#pragma once

#include "sale/SaleSession.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace tallimo {

// One sale on a ticket, and when it is printed; a later ticket of a sale already
// printed is a copy, and says so.
struct TicketSale {
    QDateTime when;
    SaleForTicket sale;
    bool copy = false;
};

// How the ticket looks: the shop's lines, the roll's width in characters, and
// the decimal mark and currency symbol the sale window shows.
struct TicketLook {
    QStringList header;
    QStringList footer;
    int columns = 32;
    QString decimalPoint = QStringLiteral(".");
    QString symbol = QStringLiteral("$");
};

// What a thermal printer reaches of a 58 mm or an 80 mm roll.
double printableMm(int paperMm);

// Characters a line holds on a 58 mm or an 80 mm roll (font A over the
// printable width).
int TicketColumns(int paperMm);

// The ticket's lines, none longer than look.columns: the header and footer
// centred, "COPIA" centred under the header on a copy, each sale line as its product (wrapped) over
// quantity, unit price and amount, what makes the printed amounts add up to the total, the total,
// and the payment and change when one was confirmed.
QStringList LayoutTicket(const TicketSale& ticket, const TicketLook& look);

} // namespace tallimo
