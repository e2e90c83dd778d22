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

bool sameName(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// How many leading parts name a fixed folder that the machine keeps elsewhere,
// and where: the desktop of either layout when it was moved or is not there as
// written, then the older layout's user folder, then the programs folder.
std::pair<qsizetype, QString> knownFolderFor(const QString& drive, const QStringList& parts,
                                             const KnownFolders& known) {
    const auto is = [&](qsizetype i, const QString& name) {
        return parts.size() > i && sameName(parts[i], name);
    };
    const auto missing = [&](qsizetype n) {
        return !QFileInfo::exists(QDir(drive).filePath(parts.first(n).join(QLatin1Char('/'))));
    };
    const bool olderUser = is(0, QStringLiteral("Documents and Settings")) && is(1, known.user);
    const bool newerUser = is(0, QStringLiteral("Users")) && is(1, known.user);
    if (!known.desktop.isEmpty() && ((olderUser && is(2, QStringLiteral("Escritorio"))) ||
                                     (newerUser && is(2, QStringLiteral("Desktop"))))) {
        const bool moved = !known.profile.isEmpty() &&
                           !sameName(QDir::cleanPath(known.desktop),
                                     QDir::cleanPath(known.profile + QStringLiteral("/Desktop")));
        if (moved || missing(3))
            return {3, known.desktop};
    }
    if (olderUser && !known.profile.isEmpty() && missing(2))
        return {2, known.profile};
    if ((is(0, QStringLiteral("Archivos de programa")) || is(0, QStringLiteral("Program Files"))) &&
        !known.programFiles.isEmpty() && missing(1))
        return {1, known.programFiles};
    return {0, QString()};
}

} // namespace

DriveRoot::DriveRoot(QString directory, std::optional<KnownFolders> known)
    : mDirectory(std::move(directory)), mKnown(std::move(known)) {}

DriveRoot DriveRoot::fromEnvironment(const QString& user) {
    // A root given by hand stands for "C:\" as it is.
    const QString given = qEnvironmentVariable("TALLIMO_ROOT");
    if (!given.isEmpty())
        return DriveRoot(given);
    return DriveRoot(platform::defaultDriveRoot(user), platform::knownFolders(user));
}

std::optional<QString> DriveRoot::map(const QString& path) const {
    // No file name can hold a NUL; Qt would only warn and fail later.
    if (path.contains(QChar(0)))
        return std::nullopt;

    QString current;
    QString rest;
    const bool onDriveC = isDriveCPrefix(path);
    if (onDriveC) {
        current = QDir::cleanPath(QDir(mDirectory).absolutePath());
        rest = path.mid(3);
    } else if (const auto native = platform::splitNativePath(path)) {
        std::tie(current, rest) = *native;
    } else {
        return std::nullopt;
    }

    // Also for Linux paths: a typed folder gets "\probex2.txt" appended.
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList parts = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (mKnown && onDriveC) {
        const auto [count, folder] = knownFolderFor(current, parts, *mKnown);
        if (count > 0) {
            current = QDir::cleanPath(folder);
            parts.remove(0, count);
        }
    }

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
