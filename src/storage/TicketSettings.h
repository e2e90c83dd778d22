#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

namespace tallimo {

// What Ticket.txt on the desktop says about the printed ticket.
struct TicketSettings {
    QStringList header;
    QStringList footer;
    QString printer;  // empty: the system's default printer
    int paperMm = 58; // the narrow roll, so that a ticket is never cut off by default
};

// A ticket is a receipt, not a page: a file holding more is a mistake.
inline constexpr int kMaxHeaderLines = 10;
inline constexpr int kMaxFooterLines = 10;
// A line of the header or footer: three or four printed lines of the narrow roll.
inline constexpr qsizetype kMaxTextChars = 120;
// Far more than the most a ticket's settings need, far less than would slow
// the register down; a larger file is refused without being read.
inline constexpr qsizetype kMaxTicketFileBytes = 64 * 1024;

struct TicketSettingsRead {
    TicketSettings settings;
    QString error; // empty when every line was understood; else names the file and the line
};

// One setting a line, "Name=value": Encabezado and Pie (one printed line each,
// up to their limits), Impresora, Papel (58 or 80). Names without regard to
// case; blank lines and lines starting with "#" are skipped. The lines come
// without the file's leading byte order mark.
TicketSettingsRead parseTicketSettings(const QStringList& lines);

// The file's bytes: UTF-16 after its byte order mark, else each line
// Windows-1252 or UTF-8 as it is written.
TicketSettingsRead parseTicketSettingsBytes(QByteArrayView bytes);

// A missing file gives the defaults (no header, no footer).
TicketSettingsRead readTicketSettings(const QString& localPath);

} // namespace tallimo
