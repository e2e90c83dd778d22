#include "summary/SummaryReport.h"

#include "sale/Amount.h"

#include <algorithm>

namespace tallimo::summary {

namespace {

// Control characters (a NUL, an escape that a terminal would obey) are shown
// as U+FFFD; every other character stays as the file has it.
QString printable(QString text) {
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0))
            c = QChar(0xFFFD);
    }
    return text;
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
        out += QStringLiteral("    %1 x %2 = %3\n")
                   .arg(formatQuantity(product, mark), printable(product.product),
                        money(product.amount, mark));
    }
    // Shown only where they differ, so that nobody takes them for the same figure.
    if (const Cents products = day.productsAmount(); products != day.charged)
        out += QStringLiteral("  Los productos suman %1 y el total cobrado es %2: hay totales "
                              "que no son la suma de sus líneas.\n")
                   .arg(money(products, mark), money(day.charged, mark));
}

QString csvField(QString text, QChar separator) {
    if (text.contains(separator) || text.contains(u'"') || text.contains(u'\r') ||
        text.contains(u'\n'))
        return u'"' + text.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
    return text;
}

// A spreadsheet takes a cell for a formula by its first character that is not
// a blank (=, +, -, @), and some by a leading tab or CR: such a text gets a
// leading "'", as the usual guidance for CSV files asks.
QString csvText(QString text, QChar separator) {
    const auto blank = std::find_if_not(text.cbegin(), text.cend(),
                                        [](QChar c) { return c == u' ' || c == u'\u00A0'; });
    if (blank != text.cend() && QStringLiteral("=+-@\t\r").contains(*blank))
        text.prepend(u'\'');
    return csvField(printable(text), separator);
}

// Each count as its file holds it, under the day it belongs to.
void appendCounts(QString& out, const DaySummary& day, const QString& mark) {
    if (day.counts.isEmpty())
        return;
    out += QStringLiteral("  Cortes de caja: %1\n").arg(day.counts.size());
    for (qsizetype i = 0; i < day.counts.size(); ++i) {
        for (const QString& line : countBlock(day.counts[i], int(i) + 1, mark)) {
            if (!line.isEmpty())
                out += QStringLiteral("    ") + line + u'\n';
        }
    }
}

} // namespace

QString money(Cents value, const QString& mark) {
    return WithSymbol(formatCents(value, mark));
}

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
        appendDay(out, QStringLiteral("Día %1").arg(printable(day.day)), day, mark);
        appendCounts(out, day, mark);
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
                   csvField(formatCents(product.amount, mark), separator) + QStringLiteral("\r\n");
        }
    }
    return out.toUtf8();
}

} // namespace tallimo::summary
