#include "storage/ChoiceFile.h"

#include "storage/Codec.h"
#include "storage/Digits.h"
#include "storage/SaveSystem.h"
#include "storage/TextFile.h"

#include <QFile>

#include <algorithm>
#include <string>

namespace tallimo {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// For a file that may be written in a folder that may not (a shop may allow
// only that). Still safe: the line is a few bytes at the start of the file, in
// one disk sector, which a disk writes whole; a longer old content is cut only
// after it, and only the first line is ever read.
bool overwriteInPlace(const QString& localPath, const QByteArray& bytes) {
    QFile file(localPath);
    return file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered) &&
           file.write(bytes) == bytes.size() && file.resize(bytes.size()) &&
           platform::syncFileData(file) == 0;
}

} // namespace

QByteArray choiceFileBytes(qint16 value) {
    const int v = value;
    QByteArray bytes(1, v < 0 ? '-' : ' ');
    bytes += QByteArray::number(v < 0 ? -v : v);
    bytes += " \r\n";
    return bytes;
}

std::optional<qint16> parseChoiceLine(QStringView line) {
    qsizetype begin = 0, end = line.size();
    while (begin < end && isBlank(line[begin]))
        ++begin;
    while (end > begin && isBlank(line[end - 1]))
        --end;
    const QStringView s = line.sliced(begin, end - begin);

    // Read as decimal digits and the place of the point, so that rounding is
    // exact ("2.5000000000000001" is above the half, a double would say 2.5).
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        negative = s[i++] == u'-';
    std::string digits;
    long long point = 0; // digits before the decimal point
    for (; i < s.size() && isDigit(s[i]); ++i, ++point)
        digits += char(s[i].unicode());
    if (i < s.size() && s[i] == u'.') {
        for (++i; i < s.size() && isDigit(s[i]); ++i)
            digits += char(s[i].unicode());
    }
    if (digits.empty())
        return std::nullopt;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
            negativeExponent = s[i++] == u'-';
        if (i >= s.size() || !isDigit(s[i]))
            return std::nullopt;
        // An exponent larger than the line is long can only give 0 or an
        // out-of-range value, so it is capped there.
        const long long cap = static_cast<long long>(s.size()) + 6;
        long long exponent = 0;
        for (; i < s.size() && isDigit(s[i]); ++i)
            exponent = std::min(exponent * 10 + (s[i].unicode() - u'0'), cap);
        point += negativeExponent ? -exponent : exponent;
    }
    if (i != s.size())
        return std::nullopt;

    const std::size_t lead = digits.find_first_not_of('0');
    if (lead == std::string::npos)
        return qint16(0);
    digits.erase(0, lead);
    point -= static_cast<long long>(lead);
    if (point > 5) // at least 100000
        return std::nullopt;

    const long long size = static_cast<long long>(digits.size());
    long value = 0;
    for (long long k = 0; k < point; ++k)
        value = value * 10 + (k < size ? digits[k] - '0' : 0);
    // point < 0 leaves less than a tenth, which rounds to 0.
    if (point >= 0 && point < size) {
        const char first = digits[point];
        const bool moreAfterHalf = digits.find_first_not_of('0', point + 1) != std::string::npos;
        if (first > '5' || (first == '5' && (moreAfterHalf || value % 2 != 0)))
            ++value;
    }
    if (negative)
        value = -value;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return qint16(value);
}

std::optional<qint16> readChoiceFile(const QString& localPath) {
    removeLeftoverTemporaries(localPath); // only files the program itself writes
    const std::optional<QByteArray> bytes = readFileBytes(localPath);
    if (!bytes)
        return std::nullopt;
    const QStringList lines = decodeLines(*bytes);
    if (lines.isEmpty())
        return std::nullopt;
    return parseChoiceLine(lines.first());
}

SaveResult writeChoiceFile(const QString& localPath, qint16 value) {
    const QByteArray bytes = choiceFileBytes(value);
    const SaveResult saved = saveFileAtomically(localPath, bytes);
    if (saved || !overwriteInPlace(localPath, bytes))
        return saved;
    return {true, QString()};
}

} // namespace tallimo
