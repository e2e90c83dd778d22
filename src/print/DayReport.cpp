#include "print/DayReport.h"
#include "print/RollLayout.h"

#include "summary/SummaryReport.h"

namespace tallimo {

namespace {

QString dateText(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

void countLines(RollLayout& t, const summary::CashCount& count, int number, const QString& day) {
    const TicketLook& look = t.look();
    t.rule();
    t.sides(QStringLiteral("Corte de caja %1").arg(number),
            day.isEmpty() ? count.time : day + u' ' + count.time);
    t.sides(QStringLiteral("Ventas"),
            count.lastSale < count.firstSale
                ? QStringLiteral("ninguna")
                : QStringLiteral("%1 a %2").arg(count.firstSale).arg(count.lastSale));
    const std::pair<const char*, Cents> amounts[] = {
        {"Total cobrado", count.charged},          {"Fondo inicial", count.fondo},
        {"Tarjeta y otros medios", count.tarjeta}, {"Retiros", count.retiros},
        {"Efectivo esperado", count.expected()},   {"Efectivo contado", count.contado},
    };
    for (const auto& [name, value] : amounts)
        t.sides(QString::fromUtf8(name), t.money(value));
    t.sides(QStringLiteral("Diferencia"),
            summary::differenceText(count.difference(), look.decimalPoint));
}

} // namespace

QString reportLabel(const ReportDays& report) {
    const QDate to = report.from.addDays(std::max(qsizetype(1), report.days.size()) - 1);
    return to == report.from ? dateText(to)
                             : dateText(report.from) + QStringLiteral(" al ") + dateText(to);
}

QStringList LayoutDayReport(const ReportDays& report, const QDateTime& printed,
                            const TicketLook& look) {
    RollLayout t(look);
    for (const QString& line : look.header)
        t.centred(line);
    if (!look.header.isEmpty())
        t.rule();
    t.centred(QStringLiteral("Resumen de ventas"));
    t.centred(reportLabel(report));
    t.sides(QStringLiteral("Impreso"), printed.toString(QStringLiteral("dd/MM/yyyy HH:mm")));
    t.rule();
    // A day without its file adds nothing: it had no sales the register kept.
    const summary::DaySummary sum = summary::sumOfDays(report.days, QString());
    t.sides(QStringLiteral("Ventas cerradas"), QString::number(sum.closedSales));
    t.sides(QStringLiteral("Total cobrado"), t.money(sum.charged));
    t.sides(QStringLiteral("Venta promedio"), t.money(sum.average()));
    t.sides(QStringLiteral("Líneas sin cerrar: %1").arg(sum.openLines), t.money(sum.openAmount));
    t.rule();
    if (sum.products.isEmpty())
        t.centred(QStringLiteral("Sin productos vendidos"));
    for (const summary::ProductSale& product : sum.products) {
        t.lines.append(wrapWords(product.product, look.columns));
        t.sides(QStringLiteral("  ") + summary::formatQuantity(product, look.decimalPoint),
                t.money(product.amount));
    }
    const bool severalDays = report.days.size() > 1;
    for (int d = 0; d < report.days.size(); ++d) {
        const QString day =
            severalDays ? report.from.addDays(d).toString(QStringLiteral("dd/MM")) : QString();
        const QList<summary::CashCount>& counts = report.days[d].counts;
        for (int i = 0; i < counts.size(); ++i)
            countLines(t, counts[i], i + 1, day);
    }
    t.footer();
    return t.lines;
}

} // namespace tallimo
