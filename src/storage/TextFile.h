#pragma once

#include "storage/SaveResult.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <initializer_list>
#include <optional>

namespace tallimo {

// Largest file readFileBytes accepts, so a wrong file cannot exhaust memory.
inline constexpr qint64 kMaxFileBytes = qint64(256) * 1024 * 1024;

// Whole file content; nullopt when it cannot be opened or read (missing file,
// a folder, unreadable, larger than the program will ever hold).
std::optional<QByteArray> readFileBytes(const QString& localPath);

// Durable replace: the previous file stays as it was unless the new content is
// completely on disk. Removes leftovers of earlier interrupted saves first.
SaveResult saveFileAtomically(const QString& localPath, const QByteArray& bytes);
// The same, for content held in parts, written one after the other.
SaveResult saveFileAtomically(const QString& localPath,
                              std::initializer_list<QByteArrayView> parts);

// Removes temporary files that an interrupted save of localPath left behind.
void removeLeftoverTemporaries(const QString& localPath);

} // namespace tallimo
