#pragma once

#include <QString>
#include <QStringView>

namespace tallimo {

// A code as read: the key it is compared by, or why it is refused.
struct CodeRead {
    QString key;          // EAN-8/EAN-13 digits as is; a 12-digit UPC-A as the EAN-13 "0"+code;
                          // any other code trimmed and case-folded (QString::toCaseFolded)
    bool misread = false; // an all-digit code of 8, 12 or 13 digits whose check digit is wrong
};
CodeRead readCode(QStringView code);

} // namespace tallimo
