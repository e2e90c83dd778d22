// Ticket.txt on any bytes, decoded and read as the register reads the file:
// the settings stay within what a ticket can print, and a message stays short
// and whole however long the line it names.

#include "FuzzSupport.h"

#include "storage/TicketSettings.h"

using namespace tallimo;
using namespace tallimo::fuzz;

namespace {

// The longest message: the line's number, a quote of its start, the longest reason.
constexpr qsizetype kMaxMessage = 250;

bool printable(const QString& line) {
    return !line.contains(QChar(0)) && !line.contains(QChar(0xFEFF)) && !line.contains(u'\r') &&
           !line.contains(u'\n');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const TicketSettingsRead read = parseTicketSettingsBytes(bytes);
    if (!read.error.isEmpty()) {
        require(read.error.size() <= kMaxMessage, "a message quotes a short start of the line",
                read.error);
        require(read.error.startsWith(u"Ticket.txt") && read.error.endsWith(u'.'),
                "a message names the file and ends with its whole reason", read.error);
        return 0;
    }
    const TicketSettings& s = read.settings;
    require(s.header.size() <= kMaxHeaderLines, "the header within its limit");
    require(s.footer.size() <= kMaxFooterLines, "the footer within its limit");
    require(s.paperMm == 58 || s.paperMm == 80, "paper of 58 or 80 mm");
    for (const QString& line : s.header + s.footer)
        require(line.size() <= kMaxTextChars, "a header or footer line within its limit", line);
    for (const QString& line : s.header + s.footer + QStringList{s.printer})
        require(printable(line), "no NUL, byte order mark or line end in a setting", line);
    return 0;
}
