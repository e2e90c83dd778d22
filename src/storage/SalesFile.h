#pragma once

#include "storage/SaveResult.h"

#include <QByteArray>
#include <QStringList>
#include <optional>

namespace tallimo {

class LineList;

// The day's history: every non-empty line, in order; nullopt when the file
// cannot be opened (the first load of a day).
std::optional<QStringList> readSalesFile(const QString& localPath);

// Every item and CR LF, then one more CR LF (an empty history is a single CR LF).
QByteArray salesFileBytes(const QStringList& items);
SaveResult saveSalesFile(const QString& localPath, const QStringList& items);
// The same file from a list's kept encoding, without encoding every line again.
SaveResult saveSalesFile(const QString& localPath, const LineList& lines);

} // namespace tallimo
