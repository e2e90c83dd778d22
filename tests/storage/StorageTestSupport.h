#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <ostream>
#include <string>

namespace tallimo::test {

// Names on disk as the system compares them.
#ifdef _WIN32
inline constexpr Qt::CaseSensitivity kNameCase = Qt::CaseInsensitive;
#define TALLIMO_LINUX_ONLY(why) GTEST_SKIP() << "not on Windows: " << why
#else
inline constexpr Qt::CaseSensitivity kNameCase = Qt::CaseSensitive;
#define TALLIMO_LINUX_ONLY(why) (void)0
#endif

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

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray golden(const QString& name) {
    return fileBytes(QStringLiteral(TALLIMO_TEST_DATA "/storage/") + name);
}

// Everything in a folder but "." and "..", sorted.
inline QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace tallimo::test

// Readable failure output for Qt values in gtest assertions.
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << tallimo::test::printable(bytes);
}
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << tallimo::test::printable(text);
}
