// The text codec on any bytes and any UTF-16: Windows-1252 is a bijection on
// bytes, lines cut from bytes equal lines cut from the decoded text, and
// encoding never writes a byte that reads back as another character than the
// composed text holds.

#include "FuzzSupport.h"

#include "storage/Codec.h"

#include <algorithm>
#include <vector>

using namespace tallimo;
using namespace tallimo::fuzz;

namespace {

// The line ends by their plain definition: CR LF, LF, or a lone CR.
QList<QByteArrayView> byteLines(QByteArrayView bytes) {
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines.append(bytes.sliced(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append(bytes.sliced(start));
    return lines;
}

// Whether a UTF-16 unit is one of the 256 characters Windows-1252 has.
bool inWindows1252(QChar c) {
    static const std::vector<bool> table = [] {
        std::vector<bool> has(0x10000);
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        for (const QChar ch : decodeWindows1252(all))
            has[ch.unicode()] = true;
        return has;
    }();
    return table[c.unicode()];
}

void checkBytes(QByteArrayView bytes) {
    const QString asWindows = decodeWindows1252(bytes);
    require(asWindows.size() == bytes.size(), "one character per byte");
    require(encodeWindows1252(asWindows) == bytes, "Windows-1252 gives the same bytes back");

    const QString text = decodeText(bytes);
    const QStringList lines = decodeLines(bytes);
    require(lines == splitLines(text), "decodeLines is splitLines of decodeText");
    for (const QString& line : lines)
        require(!line.contains(u'\r') && !line.contains(u'\n'), "no line holds a line end", line);

    // Read as Windows-1252, each line is its own bytes, written back with CR LF.
    if (text == asWindows) {
        const QList<QByteArrayView> expected = byteLines(bytes);
        require(lines.size() == expected.size(), "as many lines as line ends say");
        QByteArray written;
        for (const QByteArrayView line : expected) {
            written.append(line);
            written.append("\r\n");
        }
        require(encodeLines(lines) == written, "lines are written back as they were read");
    }
}

void checkText(QStringView typed) {
    // A text holding a character above U+00FF is written composed (NFC): one
    // byte per code point of that, each reading back as its character or "?".
    const bool composes =
        std::any_of(typed.begin(), typed.end(), [](QChar c) { return c.unicode() > 0xFF; });
    const QString text =
        composes ? typed.toString().normalized(QString::NormalizationForm_C) : typed.toString();
    const QByteArray bytes = encodeWindows1252(typed);
    const QString back = decodeWindows1252(bytes);
    qsizetype at = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++at) {
        require(at < back.size(), "no byte is missing", text);
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QChar expected = !pair && inWindows1252(text[i]) ? text[i] : QChar(u'?');
        require(back[at] == expected, "a character is kept or becomes one \"?\"", text);
        i += pair ? 1 : 0;
    }
    require(at == back.size(), "no byte is added", text);

    const QStringList lines = splitLines(typed);
    for (const QString& line : lines)
        require(!line.contains(u'\r') && !line.contains(u'\n'), "no line holds a line end", line);
    require(encodeLines(lines).size() >= qsizetype(lines.size()) * 2, "every line gets its CR LF");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    checkBytes(bytes);
    checkText(textOf(data, size));
    return 0;
}
