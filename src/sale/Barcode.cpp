#include "sale/Barcode.h"

namespace tallimo {

namespace {

bool allAsciiDigits(QStringView text) {
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return !text.isEmpty();
}

// EAN-8, EAN-13 and UPC-A share one rule: from the right, leaving out the check
// digit, the weights are 3, 1, 3, 1...; the check digit brings the sum to a
// multiple of 10.
bool checkDigitValid(QStringView digits) {
    int sum = 0;
    int weight = 3;
    for (qsizetype i = digits.size() - 2; i >= 0; --i) {
        sum += (digits[i].unicode() - u'0') * weight;
        weight = 4 - weight;
    }
    return (10 - sum % 10) % 10 == digits.back().unicode() - u'0';
}

} // namespace

CodeRead readCode(QStringView code) {
    const QStringView text = code.trimmed();
    const qsizetype size = text.size();
    if ((size == 8 || size == 12 || size == 13) && allAsciiDigits(text)) {
        // A UPC-A is the EAN-13 with a leading 0, whichever form the label or
        // the file uses.
        QString key = size == 12 ? QLatin1Char('0') + text.toString() : text.toString();
        return CodeRead{std::move(key), !checkDigitValid(text)};
    }
    return CodeRead{text.toString().toCaseFolded(), false};
}

} // namespace tallimo
