#include "storage/TicketSettings.h"

#include "storage/Codec.h"
#include "storage/TextFile.h"

#include <QFileInfo>

namespace tallimo {

namespace {

QString lineError(int number, const QString& line, const QString& why) {
    return QStringLiteral("Ticket.txt, línea %1 (\"%2\"): %3").arg(number).arg(line, why);
}

} // namespace

TicketSettingsRead parseTicketSettings(const QStringList& lines) {
    TicketSettingsRead read;
    TicketSettings& s = read.settings;
    bool printerSet = false;
    bool paperSet = false;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (i == 0 && line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1); // the mark some Windows editors put before UTF-8
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        const auto fail = [&](const QString& why) {
            read.error = lineError(i + 1, trimmed, why);
            return read;
        };
        if (equals < 0)
            return fail(QStringLiteral("falta el signo \"=\" entre el nombre y el valor."));
        const QString name = line.first(equals).trimmed().toLower();
        const QString value = line.sliced(equals + 1).trimmed();
        if (name == u"encabezado") {
            s.header.append(value);
        } else if (name == u"pie") {
            s.footer.append(value);
        } else if (name == u"impresora" && !printerSet) {
            s.printer = value;
            printerSet = true;
        } else if (name == u"papel" && !paperSet) {
            QString mm = value.toLower();
            mm.remove(QStringLiteral("mm")), mm = mm.trimmed();
            if (mm != u"58" && mm != u"80")
                return fail(QStringLiteral("el papel debe ser de 58 o de 80 mm."));
            s.paperMm = mm.toInt();
            paperSet = true;
        } else if (name == u"impresora" || name == u"papel") {
            return fail(QStringLiteral("\"%1\" ya se indicó en una línea anterior.")
                            .arg(line.first(equals).trimmed()));
        } else {
            return fail(QStringLiteral("\"%1\" no es un ajuste del ticket; los ajustes son "
                                       "Encabezado, Pie, Impresora y Papel.")
                            .arg(line.first(equals).trimmed()));
        }
    }
    return read;
}

TicketSettingsRead readTicketSettings(const QString& localPath) {
    if (!QFileInfo::exists(localPath))
        return {};
    const std::optional<QByteArray> bytes = readFileBytes(localPath);
    if (!bytes)
        return {{}, QStringLiteral("Ticket.txt no se pudo leer.")};
    return parseTicketSettings(decodeLines(*bytes));
}

} // namespace tallimo
