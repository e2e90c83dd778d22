#include "summary/SummaryReport.h"

#include "sale/Amount.h"

namespace tallimo::summary {

namespace {

QString money(double value, const QString& mark) {
    return u'$' + FormatAmount(value, mark);
}

void appendDay(QString& out, const QString& heading, const DaySummary& day, const QString& mark) {
    out += heading + u'\n';
    if (!day.found) {
        out += QStringLiteral("  No se pudo leer el archivo de ventas.\n");
        return;
    }
    out += QStringLiteral("  Ventas cerradas: %1\n").arg(day.closedSales);
    out += QStringLiteral("  Total cobrado: %1\n").arg(money(day.charged, mark));
    out += QStringLiteral("  Venta media: %1\n").arg(money(day.average(), mark));
    out += QStringLiteral("  Líneas sin cerrar: %1 (%2)\n")
               .arg(day.openLines)
               .arg(money(day.openAmount, mark));
    out += QStringLiteral("  Líneas no reconocidas: %1\n").arg(day.unrecognised);
    out += QStringLiteral("  Productos vendidos: %1\n").arg(day.products.size());
    for (const ProductSale& product : day.products) {
        out +=
            QStringLiteral("    %1 x %2 = %3\n")
                .arg(formatQuantity(product, mark), product.product, money(product.amount, mark));
    }
}

QString csvField(QString text, QChar separator) {
    if (text.contains(separator) || text.contains(u'"') || text.contains(u'\r') ||
        text.contains(u'\n'))
        return u'"' + text.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
    return text;
}

QString csvText(QString text, QChar separator) {
    if (!text.isEmpty() && QStringLiteral("=+-@").contains(text.front()))
        text.prepend(u'\'');
    return csvField(text, separator);
}

} // namespace

QString reportMark(const QList<DaySummary>& days) {
    for (const DaySummary& day : days) {
        if (!day.decimalMark.isNull())
            return QString(day.decimalMark);
    }
    return QStringLiteral(".");
}

QString formatQuantity(const ProductSale& product, const QString& mark) {
    if (!product.quantityKnown)
        return QStringLiteral("?");
    return QString::number(product.quantity, 'g', 15).replace(u'.', mark);
}

QByteArray textReport(const QList<DaySummary>& days) {
    const QString mark = reportMark(days);
    QString out;
    for (const DaySummary& day : days) {
        appendDay(out, QStringLiteral("Día %1").arg(day.day), day, mark);
        out += u'\n';
    }
    if (days.size() > 1)
        appendDay(out, QStringLiteral("Suma de %1 días").arg(days.size()), sumOfDays(days, {}),
                  mark);
    return out.toUtf8();
}

QByteArray csvReport(const QList<DaySummary>& days) {
    const QString mark = reportMark(days);
    const QChar separator = mark == u"," ? u';' : u',';
    QString out = QStringLiteral("\uFEFFDía%1Producto%1Cantidad%1Importe\r\n").arg(separator);
    for (const DaySummary& day : days) {
        for (const ProductSale& product : day.products) {
            out += csvText(day.day, separator) + separator + csvText(product.product, separator) +
                   separator + csvField(formatQuantity(product, mark), separator) + separator +
                   csvField(FormatAmount(product.amount, mark), separator) + QStringLiteral("\r\n");
        }
    }
    return out.toUtf8();
}

} // namespace tallimo::summary
