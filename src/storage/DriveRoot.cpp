#include "storage/DriveRoot.h"

#include "storage/Machine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <climits>
#include <tuple>

#include <utility>

namespace tallimo {

namespace {

// The first entry of folder, in plain name order, equal to name without regard
// to case; empty when there is none.
QString caseInsensitiveEntry(const QString& folder, const QString& name) {
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    QString best;
    for (const QString& entry : entries) {
        if (QString::compare(entry, name, Qt::CaseInsensitive) == 0 &&
            (best.isEmpty() || entry < best))
            best = entry;
    }
    return best;
}

bool isDriveCPrefix(const QString& path) {
    return path.size() >= 3 && (path[0] == QLatin1Char('C') || path[0] == QLatin1Char('c')) &&
           path[1] == QLatin1Char(':') &&
           (path[2] == QLatin1Char('\\') || path[2] == QLatin1Char('/'));
}

// A desktop folder of the root: left alone when anything is already there,
// else a link to desktopDir when it exists, else a real folder.
bool prepareDesktop(const QString& path, const QString& desktopDir) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        if (!QDir().mkpath(info.absolutePath()))
            return false;
        const QFileInfo desktop(desktopDir);
        if (desktopDir.isEmpty() || !desktop.isDir() ||
            !QFile::link(desktop.absoluteFilePath(), path))
            QDir().mkdir(path);
    }
    return QFileInfo(path).isDir();
}

} // namespace

DriveRoot::DriveRoot(QString directory) : mDirectory(std::move(directory)) {}

DriveRoot DriveRoot::fromEnvironment(const QString& user) {
    const QString given = qEnvironmentVariable("TALLIMO_ROOT");
    return DriveRoot(given.isEmpty() ? platform::defaultDriveRoot(user) : given);
}

std::optional<QString> DriveRoot::map(const QString& path) const {
    // No file name can hold a NUL; Qt would only warn and fail later.
    if (path.contains(QChar(0)))
        return std::nullopt;

    QString current;
    QString rest;
    if (isDriveCPrefix(path)) {
        current = QDir::cleanPath(QDir(mDirectory).absolutePath());
        rest = path.mid(3);
    } else if (const auto native = platform::splitNativePath(path)) {
        std::tie(current, rest) = *native;
    } else {
        return std::nullopt;
    }

    // Also for Linux paths: a typed folder gets "\probex2.txt" appended.
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);

    // Appended in place: joining copies would make long input quadratic.
    bool matching = true;
    for (const QString& part : parts) {
        if (part == QLatin1String("."))
            continue;
        if (!current.endsWith(QLatin1Char('/')))
            current += QLatin1Char('/');
        const qsizetype nameStart = current.size();
        current += part;
        if (!matching || part == QLatin1String(".."))
            continue;
        // Past PATH_MAX nothing can exist, so stop looking.
        if (current.size() > PATH_MAX) {
            matching = false;
        } else if (!QFileInfo::exists(current)) {
            const QString entry = caseInsensitiveEntry(current.left(nameStart), part);
            matching = !entry.isEmpty(); // else a new file is spelled as typed
            if (matching)
                current.replace(nameStart, part.size(), entry);
        }
    }
    return current;
}

bool prepareDriveRoot(const QString& directory, const QString& user, const QString& desktopDir) {
    const QDir root(directory);
    bool ok = root.mkpath(QStringLiteral("Archivos de programa")) &&
              root.mkpath(QStringLiteral("Program Files"));
    // The user name becomes one folder; anything else would land elsewhere.
    if (user.isEmpty() || user == QLatin1String(".") || user == QLatin1String("..") ||
        user.contains(QLatin1Char('/')) || user.contains(QChar(0)))
        return false;
    ok = prepareDesktop(root.filePath(QStringLiteral("Documents and Settings/") + user +
                                      QStringLiteral("/Escritorio")),
                        desktopDir) &&
         ok;
    ok = prepareDesktop(root.filePath(QStringLiteral("Users/") + user + QStringLiteral("/Desktop")),
                        desktopDir) &&
         ok;
    return ok;
}

QString currentUserName() {
    return platform::userName();
}

} // namespace tallimo
