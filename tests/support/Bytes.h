#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <string>

namespace tallimo::test {

// Line ends and non-ASCII shown as %XX, so a failing row reads clearly.
inline std::string printable(const QByteArray& bytes) {
    return bytes.toPercentEncoding(" !\"#$&'()*+,/:;<=>?@[]").toStdString();
}

inline std::string printable(const QString& text) {
    return printable(text.toUtf8());
}

// The bytes of a file, or "<missing>" so that a comparison shows what happened.
inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<missing>");
}

// Makes the folders on the way too.
inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

// Everything in a folder but "." and "..", sorted.
inline QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace tallimo::test
