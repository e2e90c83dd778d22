#include "storage/SalesFile.h"

#include "storage/Codec.h"
#include "storage/LineList.h"
#include "storage/TextFile.h"

namespace tallimo {

std::optional<QStringList> readSalesFile(const QString& localPath) {
    removeLeftoverTemporaries(localPath); // only files the program itself writes
    const std::optional<QByteArray> bytes = readFileBytes(localPath);
    if (!bytes)
        return std::nullopt;
    QStringList items = decodeLines(*bytes);
    items.removeIf([](const QString& line) { return line.isEmpty(); });
    return items;
}

QByteArray salesFileBytes(const QStringList& items) {
    QByteArray bytes = encodeLines(items);
    bytes.append("\r\n", 2);
    return bytes;
}

SaveResult saveSalesFile(const QString& localPath, const QStringList& items) {
    return saveFileAtomically(localPath, salesFileBytes(items));
}

SaveResult saveSalesFile(const QString& localPath, const LineList& lines) {
    // In two parts: joined, the whole day would be copied at every line.
    return saveFileAtomically(localPath, {QByteArrayView(lines.encoded()), "\r\n"});
}

} // namespace tallimo
