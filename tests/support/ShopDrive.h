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
    bool writeDay(QDate day, const QByteArray& bytes) const {
        return writeBytes(salesFile(day), bytes);
    }

  private:
    QTemporaryDir mDir;
};

} // namespace tallimo::test
