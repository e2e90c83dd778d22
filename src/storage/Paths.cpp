#include "storage/Paths.h"

#include <QLocale>

namespace tallimo::paths {

namespace {

// Only 0 selects the Spanish layout; every other value the newer one.
bool spanish(qint16 systemChoice) {
    return systemChoice == 0;
}

QString desktopFolder(qint16 systemChoice, const QString& user) {
    return spanish(systemChoice)
               ? QStringLiteral("C:\\Documents and Settings\\") + user +
                     QStringLiteral("\\Escritorio")
               : QStringLiteral("C:\\Users\\") + user + QStringLiteral("\\Desktop");
}

} // namespace

QString priceListPath(qint16 systemChoice, const QString& user) {
    return desktopFolder(systemChoice, user) + QStringLiteral("\\Lista.txt");
}

QString ticketSettingsPath(qint16 systemChoice, const QString& user) {
    return desktopFolder(systemChoice, user) + QStringLiteral("\\Ticket.txt");
}

QString codesPath(qint16 systemChoice, const QString& user) {
    return desktopFolder(systemChoice, user) + QStringLiteral("\\Codigos.txt");
}

QString salesFilePath(qint16 systemChoice, const QString& user, const QString& fileDate) {
    return desktopFolder(systemChoice, user) + QStringLiteral("\\Ventas de ") + fileDate +
           QStringLiteral(".txt");
}

QString choiceFilePath(qint16 systemChoice) {
    return spanish(systemChoice) ? QStringLiteral("C:\\Archivos de programa\\TLMSystem.txt")
                                 : QStringLiteral("C:\\Program Files\\TLMSystem.txt");
}

QString proposedAddress(const QString& user) {
    return QStringLiteral("C:\\Users\\") + user + QStringLiteral("\\Desktop");
}

QString addressFilePath(const QString& address) {
    return address.endsWith(QLatin1Char('\\')) ? address + QStringLiteral("Probex2.txt")
                                               : address + QStringLiteral("\\probex2.txt");
}

QString createFailureMessage(qint16 systemChoice, const QString& user) {
    return QStringLiteral("No se puede crear el archivo, la dirección: ") +
           desktopFolder(systemChoice, user) + QStringLiteral(" no existe.");
}

QString fileNameDate(const QDate& date, const QString& shortDateFormat) {
    // The C locale keeps month names and digits independent of the machine;
    // the caller's format carries the user's choices.
    QString text = QLocale::c().toString(date, shortDateFormat);
    text.replace(QLatin1Char('/'), QLatin1Char('-'));
    return text;
}

QString scannerSettingsPath(qint16 systemChoice, const QString& user) {
    return desktopFolder(systemChoice, user) + QStringLiteral("\\Escaner.txt");
}

} // namespace tallimo::paths
