#pragma once

#include "storage/SaveResult.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

namespace tallimo {

// " 0 " or " 1 " and CR LF: the sign place (a blank, or "-"), the digits, one blank.
QByteArray choiceFileBytes(qint16 value);

// The first line read as a whole number: blanks around it ignored, a fraction
// rounded to the nearest whole number with halves to the even one. Letters, an
// empty line or a value outside the 16-bit signed range give nullopt.
std::optional<qint16> parseChoiceLine(QStringView line);

std::optional<qint16> readChoiceFile(const QString& localPath);
SaveResult writeChoiceFile(const QString& localPath, qint16 value);

} // namespace tallimo
