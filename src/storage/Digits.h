#pragma once

#include <QChar>

namespace tallimo {

// Only ASCII digits count, in the files and in what is typed: QChar::isDigit
// would also take other scripts' digits, which no amount here is written with.
constexpr bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace tallimo
