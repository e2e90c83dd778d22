// The system-choice line: a whole number in the 16-bit range or nothing,
// rounded with halves to even, and every written value reads back.

#include "FuzzSupport.h"

#include "storage/ChoiceFile.h"
#include "storage/Codec.h"

#include <QRegularExpression>

#include <cfenv>
#include <cmath>
#include <cstdlib>

using namespace tallimo;
using namespace tallimo::fuzz;

namespace {

// Plain numbers of at most 15 significant digits and a small exponent: long
// double holds them closely enough that its rounding to even is the answer.
std::optional<std::optional<qint16>> expectedChoice(const QString& line) {
    static const QRegularExpression plain(QStringLiteral(
        R"(\A[ \t]*([+-]?)([0-9]*)(?:\.([0-9]*))?(?:[eE]([+-]?[0-9]{1,3}))?[ \t]*\z)"));
    const QRegularExpressionMatch m = plain.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    QString digits = m.captured(2) + m.captured(3);
    if (digits.isEmpty())
        return std::optional<qint16>(); // no digit: refused
    while (digits.startsWith(u'0'))
        digits.remove(0, 1);
    if (digits.size() > 15)
        return std::nullopt;
    QString number = line.trimmed();
    const long double value = std::strtold(number.toLatin1().constData(), nullptr);
    std::fesetround(FE_TONEAREST);
    const long double rounded = std::nearbyint(value);
    if (rounded < -32768 || rounded > 32767)
        return std::optional<qint16>();
    return std::optional<qint16>(qint16(rounded));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString line = textOf(data, size);
    const std::optional<qint16> value = parseChoiceLine(line);
    if (const auto expected = expectedChoice(line))
        require(value == *expected, "rounds to the nearest whole number, halves to even", line);

    // What the file would give: its first line, whatever the bytes are.
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = decodeLines(bytes);
    if (!lines.isEmpty())
        (void)parseChoiceLine(lines.first());

    // Every value the choice window may write reads back as itself.
    qint16 written = value.value_or(0);
    if (size >= 2)
        written = qint16(data[0] | (data[1] << 8));
    for (const qint16 v : {written, value.value_or(0)}) {
        const QStringList back = decodeLines(choiceFileBytes(v));
        require(back.size() == 1 && parseChoiceLine(back.first()) == v,
                "a written choice reads back", QString::number(v));
    }
    return 0;
}
