#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <functional>

namespace tallimo {

// The facts of the machine that the windows read: today's date, the user's
// locale (short date format, decimal point) and the login name. Tests set them.
struct Environment {
    std::function<QDate()> today;
    QLocale locale;
    std::function<QString()> userName;

    QString shortDateFormat() const { return locale.dateFormat(QLocale::ShortFormat); }
    QString decimalPoint() const { return locale.decimalPoint(); }

    static Environment system();
};

} // namespace tallimo
