#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace tallimo::fuzz {

// A broken property is a crash, so libFuzzer keeps the input. A view, so
// that the text shown costs nothing while the property holds.
inline void require(bool holds, const char* property, QStringView about = {}) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n  input: %s\n", property,
                     about.left(300).toUtf8().toPercentEncoding(" ").constData());
        std::abort();
    }
}

// Input bytes as text: UTF-8, or raw UTF-16 code units after the marker
// FF FE, so lone surrogates and every code unit can be reached too.
inline QString textOf(const std::uint8_t* data, std::size_t size) {
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(data + 2),
                                  qsizetype((size - 2) / 2));
    }
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Optional "-", digits without a needless leading zero, the point, two digits.
inline bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

inline bool isAmountText(const QString& text, const QString& decimalPoint) {
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    const qsizetype digitsStart = i;
    while (i < text.size() && isAsciiDigit(text[i]))
        ++i;
    const qsizetype digits = i - digitsStart;
    if (digits == 0 || (digits > 1 && text[digitsStart] == u'0'))
        return false;
    if (text.mid(i, decimalPoint.size()) != decimalPoint)
        return false;
    i += decimalPoint.size();
    return text.size() == i + 2 && isAsciiDigit(text[i]) && isAsciiDigit(text[i + 1]);
}

inline bool hasInfOrNan(const QString& text) {
    return text.contains(QLatin1String("inf"), Qt::CaseInsensitive) ||
           text.contains(QLatin1String("nan"), Qt::CaseInsensitive);
}

} // namespace tallimo::fuzz
