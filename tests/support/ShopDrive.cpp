#include "ShopDrive.h"

namespace tallimo::test {
namespace {

QString product(int i) {
    static const char* names[] = {"Piñata de colores", "Café molido de altura", "Jabón de baño",
                                  "Azúcar morena", "Pan dulce"};
    return QString::fromUtf8(names[i % 5]) + ' ' + QString::number(i);
}

} // namespace

QStringList priceListLines(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("%1 $%2.50").arg(product(i)).arg(i % 300);
    return lines;
}

QStringList salesDay(const DayPlan& plan) {
    QStringList day;
    double total = 0;
    for (int n = 0, sale = 0; day.size() < plan.lines; ++n) {
        const int i = (plan.firstProduct + n) % plan.catalogue;
        const int quantity = 1 + i % 3;
        const double price = 4.5 + (i % 40) * 1.25;
        day << QStringLiteral("%1 x %2 de $%3 = $%4")
                   .arg(QString::number(quantity), product(i), QString::number(price, 'f', 2),
                        QString::number(price * quantity, 'f', 2));
        total += price * quantity;
        if (n % plan.linesPerSale == plan.linesPerSale - 1) {
            if (plan.unpaidEvery == 0 || ++sale % plan.unpaidEvery != 0)
                day << totalLine(QString::number(total, 'f', 2));
            total = 0;
        }
    }
    return day;
}

} // namespace tallimo::test
