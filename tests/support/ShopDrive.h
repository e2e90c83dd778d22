#pragma once

#include "support/Bytes.h"

#include "storage/Codec.h"
#include "storage/Paths.h"

#include <QDate>
#include <QLocale>
#include <QTemporaryDir>

namespace tallimo::test {

// The day, the cashier and the machine's locale that every run here has.
inline QDate shopDay() {
    return {2026, 12, 5};
}
inline QLocale shopLocale() {
    return {QLocale::Spanish, QLocale::Mexico};
}
inline constexpr char kCashier[] = "cajera";

// A drive root of its own, gone with the object, with the cashier's desktop folder of the older
// layout. `english` picks the newer layout's folders: "Users/.../Desktop", "Program Files".
class ShopDrive {
  public:
    ShopDrive() { QDir().mkpath(desktop()); }
    QString root() const { return mDir.path(); }
    QString desktop(bool english = false) const {
        return root() + (english ? "/Users/" : "/Documents and Settings/") + kCashier +
               (english ? "/Desktop" : "/Escritorio");
    }
    QString choiceFile(bool english) const {
        return root() + (english ? "/Program Files" : "/Archivos de programa") + "/TLMSystem.txt";
    }
    // The day's sales file, named with `locale`'s short date.
    QString salesFile(QDate day = shopDay(), const QLocale& locale = shopLocale()) const {
        const QString date = paths::fileNameDate(day, locale.dateFormat(QLocale::ShortFormat));
        return desktop() + "/Ventas de " + date + ".txt";
    }
    bool writePriceList(const QStringList& lines, bool english = false) const {
        return writeBytes(desktop(english) + "/Lista.txt", encodeLines(lines));
    }

  private:
    QTemporaryDir mDir;
};

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
