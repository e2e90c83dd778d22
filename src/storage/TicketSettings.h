#pragma once

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

struct TicketSettingsRead {
    TicketSettings settings;
    QString error; // empty when every line was understood; else names the file and the line
};

// One setting a line, "Name=value": Encabezado and Pie (one printed line each,
// as many as wanted), Impresora, Papel (58 or 80). Names without regard to case;
// blank lines and lines starting with "#" are skipped.
TicketSettingsRead parseTicketSettings(const QStringList& lines);

// Windows-1252 or UTF-8; a missing file gives the defaults (no header, no footer).
TicketSettingsRead readTicketSettings(const QString& localPath);

} // namespace tallimo
