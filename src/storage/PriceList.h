#pragma once

#include "storage/SaveResult.h"

#include <QByteArray>
#include <QStringList>
#include <optional>

namespace tallimo {

// Every line of the file becomes an item, blank lines included; nullopt when
// the file cannot be opened.
std::optional<QStringList> readPriceList(const QString& localPath);

// "Producto patito $198" and CR LF.
QByteArray samplePriceListBytes();
SaveResult createPriceList(const QString& localPath);

} // namespace tallimo
