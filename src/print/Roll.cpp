#include "print/Roll.h"

#include "sale/Amount.h"
#include "sale/SalesLine.h"

#include <QLocale>

namespace tallimo {

namespace {

// Words go whole onto lines of at most `columns` characters; a longer word is cut.
QStringList wrap(QString text, int columns) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    QStringList out;
    QString current;
    for (QString word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!current.isEmpty() && current.size() + 1 + word.size() > columns)
            out.append(std::exchange(current, QString()));
        while (word.size() > columns) {
            out.append(word.first(columns));
            word.remove(0, columns);
        }
        current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!current.isEmpty())
        out.append(current);
    return out;
}

class Layout {
  public:
    explicit Layout(const TicketLook& look) : mLook(look) {}
    QStringList lines;

    void centred(const QString& text) {
        const QStringList pieces = wrap(text, mLook.columns);
        if (pieces.isEmpty())
            lines.append(QString()); // a blank header line keeps its place
        for (const QString& piece : pieces)
            lines.append(QString((mLook.columns - piece.size()) / 2, u' ') + piece);
    }
    void rule() { lines.append(QString(mLook.columns, u'-')); }
    // `left` at the left margin and `right` at the right one, on one line when both fit.
    void sides(const QString& left, const QString& right) {
        const int room = mLook.columns - int(left.size()) - int(right.size());
        if (room >= 1) {
            lines.append(left + QString(room, u' ') + right);
            return;
        }
        if (left.size() <= mLook.columns)
            lines.append(left); // keeps its indent
        else
            lines.append(wrap(left, mLook.columns));
        for (const QString& piece : wrap(right, mLook.columns))
            lines.append(piece.rightJustified(mLook.columns));
    }
    QString money(Cents value) const {
        return WithSymbol(formatCents(value, mLook.decimalPoint), mLook.symbol);
    }

  private:
    const TicketLook& mLook;
};

} // namespace

double printableMm(int paperMm) {
    return paperMm >= 80 ? 72 : 48;
}

int TicketColumns(int paperMm) {
    constexpr double kFontAMm = 1.5; // 12 dots at 8 dots a millimetre
    return int(printableMm(paperMm) / kFontAMm);
}

QStringList LayoutTicket(const TicketSale& ticket, const TicketLook& look) {
    const SaleForTicket& sale = ticket.sale;
    Layout t(look);
    for (const QString& line : look.header)
        t.centred(line);
    if (!look.header.isEmpty())
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
            t.lines.append(wrap(line, look.columns));
            continue;
        }
        t.lines.append(wrap(parsed->product, look.columns));
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
    if (!look.footer.isEmpty())
        t.rule();
    for (const QString& line : look.footer)
        t.centred(line);
    return t.lines;
}

} // namespace tallimo
