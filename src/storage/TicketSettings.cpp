#include "storage/TicketSettings.h"

#include "storage/Codec.h"
#include "storage/TextFile.h"

#include <QFileInfo>
#include <QtEndian>

#include <algorithm>

namespace tallimo {

namespace {

constexpr char16_t kByteOrderMark = 0xFEFF;

// The start of a line a message quotes: a whole line of megabytes would take
// the message box seconds to lay out and push the reason out of sight. A NUL
// or a byte order mark, which a line is refused for, shows as "�", not as nothing.
QString quoted(QStringView text) {
    constexpr qsizetype kShown = 40;
    qsizetype n = std::min(text.size(), kShown);
    if (n < text.size() && text[n - 1].isHighSurrogate())
        --n;
    QString shown = text.first(n).toString();
    for (QChar& c : shown) {
        if (c == QChar(0) || c == QChar(kByteOrderMark))
            c = QChar::ReplacementCharacter;
    }
    return n < text.size() ? shown + u'…' : shown;
}

QString lineError(int number, QStringView line, const QString& why) {
    return QStringLiteral("Ticket.txt, línea %1 (\"%2\"): %3").arg(number).arg(quoted(line), why);
}

// Notepad's "Unicode": UTF-16 after its mark, little-endian (FF FE) or
// big-endian (FE FF). Nullopt when the bytes are not whole UTF-16.
std::optional<QString> utf16Text(QByteArrayView bytes, bool littleEndian) {
    if (bytes.size() % 2)
        return std::nullopt;
    QString text(bytes.size() / 2, Qt::Uninitialized);
    if (littleEndian)
        qFromLittleEndian<char16_t>(bytes.data(), text.size(), text.data());
    else
        qFromBigEndian<char16_t>(bytes.data(), text.size(), text.data());
    if (!QStringView(text).isValidUtf16())
        return std::nullopt;
    return text;
}

TicketSettingsRead tooLarge() {
    return {{},
            QStringLiteral("Ticket.txt pesa más de %1 KB, demasiado para un ticket; revise que "
                           "sea el archivo correcto.")
                .arg(kMaxTicketFileBytes / 1024)};
}

} // namespace

TicketSettingsRead parseTicketSettings(const QStringList& lines) {
    TicketSettingsRead read;
    TicketSettings& s = read.settings;
    bool printerSet = false;
    bool paperSet = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        const auto fail = [&](const QString& why) {
            read.error = lineError(i + 1, trimmed, why);
            return read;
        };
        // Either would make the line look like another one, and print as nothing.
        if (line.contains(QChar(0)))
            return fail(QStringLiteral(
                "la línea tiene un carácter nulo; guarde el archivo como ANSI o UTF-8."));
        if (line.contains(QChar(kByteOrderMark)))
            return fail(QStringLiteral("la línea tiene una marca de orden de bytes (un carácter "
                                       "invisible) en medio del archivo; borre la línea y "
                                       "escríbala de nuevo."));
        if (equals < 0)
            return fail(QStringLiteral("falta el signo \"=\" entre el nombre y el valor."));
        const QString name = line.first(equals).trimmed().toLower();
        const QString value = line.sliced(equals + 1).trimmed();
        if ((name == u"encabezado" || name == u"pie") && value.size() > kMaxTextChars)
            return fail(QStringLiteral("el encabezado y el pie admiten %1 caracteres por línea "
                                       "como máximo.")
                            .arg(kMaxTextChars));
        if (name == u"encabezado") {
            if (s.header.size() == kMaxHeaderLines)
                return fail(QStringLiteral("el encabezado admite %1 líneas como máximo.")
                                .arg(kMaxHeaderLines));
            s.header.append(value);
        } else if (name == u"pie") {
            if (s.footer.size() == kMaxFooterLines)
                return fail(
                    QStringLiteral("el pie admite %1 líneas como máximo.").arg(kMaxFooterLines));
            s.footer.append(value);
        } else if (name == u"impresora" && !printerSet) {
            s.printer = value;
            printerSet = true;
        } else if (name == u"papel" && !paperSet) {
            // The unit only once, at the end: "80", "80mm", "80 MM".
            QStringView mm = value;
            if (mm.endsWith(u"mm", Qt::CaseInsensitive))
                mm = mm.chopped(2).trimmed();
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
                            .arg(quoted(line.first(equals).trimmed())));
        }
    }
    return read;
}

TicketSettingsRead parseTicketSettingsBytes(QByteArrayView bytes) {
    if (bytes.size() > kMaxTicketFileBytes)
        return tooLarge();
    const bool little = bytes.startsWith("\xFF\xFE");
    if (little || bytes.startsWith("\xFE\xFF")) {
        const std::optional<QString> text = utf16Text(bytes.sliced(2), little);
        if (!text)
            return {{},
                    QStringLiteral("Ticket.txt está guardado como Unicode pero tiene bytes que no "
                                   "forman caracteres; guárdelo de nuevo como ANSI o UTF-8.")};
        return parseTicketSettings(splitLines(*text));
    }
    // Lines added by different editors may be in different encodings.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    return parseTicketSettings(decodeEachLine(bytes));
}

TicketSettingsRead readTicketSettings(const QString& localPath) {
    const QFileInfo info(localPath);
    // A link to nothing is a file the user made, not a missing one.
    if (!info.exists() && !info.isSymbolicLink())
        return {};
    if (info.isFile() && info.size() > kMaxTicketFileBytes)
        return tooLarge();
    const std::optional<QByteArray> bytes = readFileBytes(localPath);
    if (!bytes)
        return {{}, QStringLiteral("Ticket.txt no se pudo leer.")};
    return parseTicketSettingsBytes(*bytes);
}

} // namespace tallimo
