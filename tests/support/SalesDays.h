#pragma once

#include "storage/Codec.h"

#include <QStringList>

namespace tallimo::test {

// A total line as the register writes it, closing a sale of `amount`.
inline QString totalLine(const QString& amount) {
    return QString(50, u'-') + ">Total $" + amount;
}

// `count` price-list lines over five accented names: "Jabón de baño 2 $2.50".
QStringList priceListLines(int count);

// A day of the register's lines: sales of `linesPerSale` products, taken one after another
// from a catalogue (quantity 1 to 3, prices from 4.50 up), each closed by its total line.
struct DayPlan {
    int lines;            // the day's lines, total lines included
    int linesPerSale = 4; // invoice lines before each total line
    int catalogue = 1000;
    int firstProduct = 0;
    int unpaidEvery = 0; // every n-th sale is left without its total line; 0: none
};
QStringList salesDay(const DayPlan& plan);
// As the register saves it: CR LF, and an empty line at the end.
inline QByteArray salesDayBytes(const DayPlan& plan) {
    return encodeLines(salesDay(plan)) + "\r\n";
}

} // namespace tallimo::test
