#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace tallimo {

// Windows-1252 with a table of its own: 0x80-0x9F are not Latin-1 ("€" is 0x80).
// The five bytes Windows-1252 leaves undefined map to U+0081, U+008D, U+008F,
// U+0090, U+009D, so every byte survives a round trip.
QString decodeWindows1252(QByteArrayView bytes);
// A character Windows-1252 cannot hold is written as "?"; a text holding a
// character above U+00FF is composed (NFC) first, so "e" + U+0301 writes "é".
QByteArray encodeWindows1252(QStringView text);

// Valid UTF-8 holding non-ASCII bytes (a list saved by a Linux editor) is read
// as UTF-8; anything else as Windows-1252.
QString decodeText(QByteArrayView bytes);

// CR LF, LF and a lone CR each end a line; a last line without a line end is
// still a line; a final line end does not start another one.
QStringList splitLines(QStringView text);

// The same lines as splitLines(decodeText(bytes)), with less copying: a
// large Windows-1252 file is decoded line by line.
QStringList decodeLines(QByteArrayView bytes);

// Each line as it is written, for a file several editors have added to: a
// line of valid UTF-8 as UTF-8, any other as Windows-1252. A byte order mark
// stays a character (U+FEFF) wherever it is.
QStringList decodeEachLine(QByteArrayView bytes);

// Every line encoded in Windows-1252 and followed by CR LF.
QByteArray encodeLines(const QStringList& lines);

} // namespace tallimo
