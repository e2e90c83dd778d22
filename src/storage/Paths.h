#pragma once

#include <QDate>
#include <QString>

// The program's file locations as the exact Windows strings it shows the user.
// DriveRoot maps them to real files.
namespace tallimo::paths {

QString priceListPath(qint16 systemChoice, const QString& user);
// The ticket's settings, beside the price list.
QString ticketSettingsPath(qint16 systemChoice, const QString& user);
// The products' barcodes, Codigos.txt, beside the price list.
QString codesPath(qint16 systemChoice, const QString& user);
QString salesFilePath(qint16 systemChoice, const QString& user, const QString& fileDate);
QString choiceFilePath(qint16 systemChoice);
// "C:\Users\" + user + "\Desktop", whatever the layout.
QString proposedAddress(const QString& user);
// The address + "Probex2.txt" when it ends with "\", otherwise + "\probex2.txt".
QString addressFilePath(const QString& address);
// The message shown when the sample price list cannot be created.
QString createFailureMessage(qint16 systemChoice, const QString& user);

// The date in the given short date format with every "/" replaced by "-".
QString fileNameDate(const QDate& date, const QString& shortDateFormat);

// The scanner's setting, beside the price list.
QString scannerSettingsPath(qint16 systemChoice, const QString& user);

} // namespace tallimo::paths
