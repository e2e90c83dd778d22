#include "storage/PriceList.h"

#include "storage/Codec.h"
#include "storage/TextFile.h"

namespace tallimo {

std::optional<QStringList> readPriceList(const QString& localPath) {
    const std::optional<QByteArray> bytes = readFileBytes(localPath);
    if (!bytes)
        return std::nullopt;
    // Every line is an item as it stands, blank ones included.
    return decodeLines(*bytes);
}

QByteArray samplePriceListBytes() {
    return QByteArrayLiteral("Producto patito $198\r\n");
}

SaveResult createPriceList(const QString& localPath) {
    return saveFileAtomically(localPath, samplePriceListBytes());
}

} // namespace tallimo
