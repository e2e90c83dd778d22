#include "storage/Codec.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

namespace tallimo {

namespace {

// 0x80-0x9F; the five bytes Windows-1252 leaves undefined keep their C1 code
// point so that every byte survives a round trip.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::array<char16_t, 256> makeDecodeTable() {
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : char16_t(b);
    return table;
}

constexpr std::array<char16_t, 256> kDecode = makeDecodeTable();

// 0 when the character has no byte.
char highByteFor(char16_t c) {
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == c)
            return char(0x80 + i);
    }
    return 0;
}

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Characters that are the same byte in Latin-1 and Windows-1252.
bool isSameByte(char16_t c) {
    return c < 0x80 || char16_t(c - 0xA0) < 0x60;
}

// Character by character through the table. A surrogate pair shrinks to one
// byte, so the output never outgrows the input.
void appendByTable(QByteArray& out, QStringView text) {
    const qsizetype start = out.size();
    const qsizetype n = text.size();
    out.resize(start + n);
    char* dst = out.data() + start;
    const char16_t* src = text.utf16();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = src[i];
        if (isSameByte(c)) {
            *dst++ = char(c);
        } else if (isHighSurrogate(c) && i + 1 < n && isLowSurrogate(src[i + 1])) {
            *dst++ = '?';
            ++i;
        } else {
            const char b = highByteFor(c);
            *dst++ = b ? b : '?';
        }
    }
    out.truncate(dst - out.constData());
}

void appendWindows1252(QByteArray& out, QStringView text) {
    const qsizetype n = text.size();
    const char16_t* src = text.utf16();

    // Nearly every line is plain text: a branch-free pass the compiler vectorises
    // (0x80-0x9F and everything above 0xFF are the characters that differ).
    unsigned differ = 0;
    for (qsizetype i = 0; i < n; ++i)
        differ |= unsigned(char16_t(src[i] - 0x80) < 0x20) | unsigned(src[i] > 0xFF);
    if (!differ) {
        const qsizetype start = out.size();
        out.resize(start + n);
        char* dst = out.data() + start;
        for (qsizetype i = 0; i < n; ++i)
            dst[i] = char(src[i]);
        return;
    }
    // An accent typed as a combining mark ("e" + U+0301) is written as the
    // letter that has a byte ("é"). Composing can lengthen a text (a few
    // characters are kept decomposed), so the composed text sizes the output.
    if (std::any_of(src, src + n, [](char16_t c) { return c > 0xFF; })) {
        appendByTable(out, text.toString().normalized(QString::NormalizationForm_C));
        return;
    }
    appendByTable(out, text);
}

// Calls onLine(line) for every line of bytes, by the same rules as splitLines.
// CR and LF are the same bytes in both encodings and never part of a UTF-8
// sequence, so lines can be cut before decoding.
template <typename OnLine> void forEachByteLine(QByteArrayView bytes, OnLine onLine) {
    const char* p = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype pos = 0;
    qsizetype lf = -1; // next LF at or after pos, n when there is none
    while (pos < n) {
        if (lf < pos) {
            const void* found = std::memchr(p + pos, '\n', size_t(n - pos));
            lf = found ? static_cast<const char*>(found) - p : n;
        }
        const void* cr = std::memchr(p + pos, '\r', size_t(lf - pos));
        if (!cr) {
            onLine(bytes.sliced(pos, lf - pos));
            pos = lf + 1;
            continue;
        }
        const qsizetype at = static_cast<const char*>(cr) - p;
        onLine(bytes.sliced(pos, at - pos));
        pos = (at + 1 == lf) ? lf + 1 : at + 1; // CR LF is one line end
    }
}

// Adds the lines of text to lines, by the rules of splitLines.
void appendLines(QStringList& lines, QStringView text) {
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (c != u'\n' && c != u'\r')
            continue;
        lines.append(text.sliced(start, i - start).toString());
        if (c == u'\r' && i + 1 < n && p[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.sliced(start).toString());
}

// The lines of bytes that are well-formed UTF-8, or nothing. Qt's decoder refuses
// overlong forms, surrogates, code points above U+10FFFF and, being stateless,
// a sequence cut short at the end of a piece. Pieces end at a line end, so a
// Windows-1252 list is told at its first accent without decoding the rest.
std::optional<QStringList> utf8Lines(QByteArrayView bytes) {
    constexpr qsizetype kPiece = 64 * 1024;
    if (bytes.startsWith("\xEF\xBB\xBF")) // only the first mark is dropped
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QStringList lines;
    while (!bytes.isEmpty()) {
        const qsizetype lf = bytes.size() > kPiece ? bytes.first(kPiece).lastIndexOf('\n') : -1;
        const qsizetype size = lf < 0 ? bytes.size() : lf + 1;
        const QString text = utf8(bytes.first(size));
        if (utf8.hasError())
            return std::nullopt;
        appendLines(lines, text);
        bytes = bytes.sliced(size);
    }
    return lines;
}

} // namespace

QString decodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(text.data());
    const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    // Eight ASCII bytes in a row widen without the table lookup.
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, src + i, 8);
        if ((word & 0x8080808080808080ULL) == 0) {
            for (int k = 0; k < 8; ++k)
                dst[i + k] = src[i + k];
        } else {
            for (int k = 0; k < 8; ++k)
                dst[i + k] = kDecode[src[i + k]];
        }
    }
    for (; i < n; ++i)
        dst[i] = kDecode[src[i]];
    return text;
}

QByteArray encodeWindows1252(QStringView text) {
    QByteArray out;
    appendWindows1252(out, text);
    return out;
}

QString decodeText(QByteArrayView bytes) {
    // ASCII reads the same either way. The decoder drops a leading byte order mark.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    return utf8.hasError() ? decodeWindows1252(bytes) : text;
}

QStringList splitLines(QStringView text) {
    QStringList lines;
    appendLines(lines, text);
    return lines;
}

QStringList decodeLines(QByteArrayView bytes) {
    // ASCII reads the same either way. A Windows-1252 line is decoded straight
    // into its own string: a whole-file string first would double the copying.
    if (std::optional<QStringList> lines = utf8Lines(bytes))
        return *std::move(lines);
    QStringList lines;
    forEachByteLine(bytes, [&](QByteArrayView line) { lines.append(decodeWindows1252(line)); });
    return lines;
}

QStringList decodeEachLine(QByteArrayView bytes) {
    QStringList lines;
    forEachByteLine(bytes, [&](QByteArrayView line) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                      QStringDecoder::Flag::ConvertInitialBom);
        QString text = utf8(line);
        lines.append(utf8.hasError() ? decodeWindows1252(line) : std::move(text));
    });
    return lines;
}

QByteArray encodeLines(const QStringList& lines) {
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    QByteArray out;
    out.reserve(size);
    for (const QString& line : lines) {
        appendWindows1252(out, line);
        out.append("\r\n", 2);
    }
    return out;
}

} // namespace tallimo
