#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace tallimo {

// One sale as the printed ticket tells it.
struct TicketSale {
    QDateTime when;
    QStringList lines; // invoice lines, as the sales file holds them
    double total = 0;
    double payment = 0; // 0 when none was typed
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

// Characters a line holds on a 58 mm or an 80 mm roll (the printable width of
// a thermal printer's font A: 48 mm and 72 mm).
int TicketColumns(int paperMm);

// The ticket's lines, none longer than look.columns: the header and footer
// centred, each sale line as its product (wrapped) over quantity, unit price
// and amount, the total, and the payment and change when one was typed.
QStringList LayoutTicket(const TicketSale& sale, const TicketLook& look);

} // namespace tallimo
