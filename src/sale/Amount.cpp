#include "sale/Amount.h"

#include "storage/Digits.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tallimo {

namespace {

// Adds digits of `from` to `to` while they are decimal digits; returns the count.
int takeDigits(const QString& text, qsizetype& pos, std::string& to) {
    int count = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        to.push_back(char(text[pos].unicode()));
        ++pos;
        ++count;
    }
    return count;
}

// The length of the decimal mark at `pos` when a digit follows it, else 0.
qsizetype decimalMarkAt(const QString& text, qsizetype pos, const QString& decimalPoint) {
    qsizetype length = 0;
    if (pos < text.size() && text[pos] == u'.')
        length = 1;
    else if (!decimalPoint.isEmpty() && QStringView(text).mid(pos).startsWith(decimalPoint))
        length = decimalPoint.size();
    return length > 0 && pos + length < text.size() && isDigit(text[pos + length]) ? length : 0;
}

} // namespace

std::optional<double> ReadNumber(QStringView input, const QString& decimalPoint) {
    QString text;
    text.reserve(input.size());
    for (QChar c : input)
        if (c != u' ' && c != u'\t' && c != u'\n')
            text.append(c);

    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
        negative = text[pos++] == u'-';

    std::string intDigits, fracDigits;
    takeDigits(text, pos, intDigits);
    if (const qsizetype mark = decimalMarkAt(text, pos, decimalPoint)) {
        pos += mark;
        takeDigits(text, pos, fracDigits);
    }
    if (intDigits.empty() && fracDigits.empty())
        return 0.0;

    // The exponent saturates: its exact size no longer matters past this.
    long long exponent = 0;
    if (pos < text.size()) {
        const QChar e = text[pos];
        if (e == u'E' || e == u'e' || e == u'D' || e == u'd') {
            qsizetype p = pos + 1;
            bool expNegative = false;
            if (p < text.size() && (text[p] == u'+' || text[p] == u'-'))
                expNegative = text[p++] == u'-';
            if (p < text.size() && isDigit(text[p])) {
                while (p < text.size() && isDigit(text[p])) {
                    if (exponent < 100000000)
                        exponent = exponent * 10 + (text[p].unicode() - u'0');
                    ++p;
                }
                if (expNegative)
                    exponent = -exponent;
            }
        }
    }

    std::string number = intDigits.empty() ? "0" : intDigits;
    if (!fracDigits.empty())
        number += "." + fracDigits;
    number += "e" + std::to_string(exponent);

    double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Overflow fails; underflow is a value too small to matter, so 0.
        const std::string all = intDigits + fracDigits;
        const auto firstNonZero = all.find_first_not_of('0');
        if (firstNonZero == std::string::npos)
            value = 0;
        else {
            const long long magnitude = static_cast<long long>(intDigits.size()) -
                                        static_cast<long long>(firstNonZero) + exponent;
            if (magnitude > 0)
                return std::nullopt;
            value = 0;
        }
    } else if (ec != std::errc()) {
        return 0.0;
    }
    if (!std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

QString FormatAmount(double value, const QString& decimalPoint) {
    if (!std::isfinite(value))
        return {};

    // d.dddddddddddddde±x: the value at 15 significant digits.
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    const std::string sci(buf, res.ptr);
    const auto ePos = sci.find('e');
    std::string digits = sci.substr(0, 1) + sci.substr(2, ePos - 2);
    const int intDigitCount = std::stoi(sci.substr(ePos + 1)) + 1; // digits before the point

    // Keep the digits up to the cents; the first digit cut off rounds halves away from zero.
    const int keep = intDigitCount + 2;
    auto digitAt = [&](int i) { return i >= 0 && i < int(digits.size()) ? digits[i] : '0'; };
    std::string cents;
    for (int i = 0; i < keep; ++i)
        cents.push_back(digitAt(i));
    if (digitAt(keep) >= '5') {
        int i = int(cents.size()) - 1;
        while (i >= 0 && cents[i] == '9')
            cents[i--] = '0';
        if (i < 0)
            cents.insert(cents.begin(), '1');
        else
            ++cents[i];
    }
    while (cents.size() < 3)
        cents.insert(cents.begin(), '0');

    std::string whole = cents.substr(0, cents.size() - 2);
    const auto nonZero = whole.find_first_not_of('0');
    whole = nonZero == std::string::npos ? "0" : whole.substr(nonZero);
    const std::string fraction = cents.substr(cents.size() - 2);

    // A value that rounds to zero is written without a sign.
    const bool isZero = whole == "0" && fraction == "00";
    QString out;
    if (value < 0 && !isZero)
        out += u'-';
    out += QString::fromLatin1(whole.data(), qsizetype(whole.size()));
    out += decimalPoint;
    out += QString::fromLatin1(fraction.data(), 2);
    return out;
}

std::optional<QString> NormalizeAmount(QStringView text, const QString& decimalPoint) {
    const auto value = ReadNumber(text, decimalPoint);
    if (!value)
        return std::nullopt;
    // Just below the largest double the 15 digits round up past it, and the
    // shown text would no longer read: refused like any other overflow.
    QString shown = FormatAmount(*value, decimalPoint);
    if (!ReadNumber(shown, decimalPoint))
        return std::nullopt;
    return shown;
}

QString WithSymbol(const QString& amount, const QString& symbol) {
    return symbol + (symbol.size() > 1 ? QStringLiteral(" ") : QString()) + amount;
}

} // namespace tallimo
