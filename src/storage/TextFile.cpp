#include "storage/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile> // before fcntl.h, which may define open

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tallimo {

namespace {

// The file QSaveFile really replaces: it follows a link to its target, so its
// temporaries and the folder to sync are the target's.
QFileInfo finalFile(const QString& localPath) {
    QFileInfo info(localPath);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? QFileInfo(localPath) : info;
}

// QSaveFile names its temporary "<name>.XXXXXX" with six random letters (when
// the file system cannot give it an unnamed one). A few six-letter words a
// person may give a copy of the file are left alone; Qt's random names all but
// never spell one of them.
bool isTemporaryName(const QString& entry, const QString& name) {
    if (entry.size() != name.size() + 7 || !entry.startsWith(name) || entry.at(name.size()) != u'.')
        return false;
    const QStringView suffix = QStringView(entry).sliced(name.size() + 1);
    for (const QChar c : suffix) {
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return false;
    }
    for (const char* word : {"backup", "copias", "previo", "viejos"}) {
        if (suffix.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
            return false;
    }
    return true;
}

SaveResult failure(int err, const QString& qtReason) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return {false, QStringLiteral("La carpeta no existe.")};
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return {false, QStringLiteral("No queda espacio en el disco.")};
    case EACCES:
    case EPERM:
    case EROFS:
        return {false, QStringLiteral("No hay permiso para escribir en la carpeta.")};
    default:
        break;
    }
    // Some of QSaveFile's refusals (the name is a folder) set no errno.
    const QString detail = err ? QString::fromLocal8Bit(std::strerror(err)) : qtReason;
    return {false, QStringLiteral("Error al escribir el archivo (%1).").arg(detail)};
}

// A file system that cannot sync has nothing more to make durable.
bool syncUnsupported(int err) {
    return err == EINVAL || err == ENOTSUP || err == EOPNOTSUPP;
}

// 0 on success, otherwise the errno of the failing call.
int syncData(int fd) {
    int rc;
    do {
        rc = ::fdatasync(fd);
    } while (rc != 0 && errno == EINTR);
    return rc == 0 || syncUnsupported(errno) ? 0 : errno;
}

// Makes the rename itself durable.
int syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int rc;
    do {
        rc = ::fsync(fd);
    } while (rc != 0 && errno == EINTR);
    const int err = rc == 0 || syncUnsupported(errno) ? 0 : errno;
    ::close(fd);
    return err;
}

} // namespace

std::optional<QByteArray> readFileBytes(const QString& localPath) {
    // isFile() is false for folders, pipes and devices, which readAll could
    // block on or never finish.
    const QFileInfo info(localPath);
    if (!info.isFile() || info.size() > kMaxFileBytes)
        return std::nullopt;
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxFileBytes)
        return std::nullopt;
    return bytes;
}

SaveResult saveFileAtomically(const QString& localPath, const QByteArray& bytes) {
    removeLeftoverTemporaries(localPath);

    QSaveFile file(localPath);
    errno = 0;
    // Unbuffered: the one write goes straight to the file, so a short write
    // shows in its return value instead of in a later flush.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int err = errno;
        return failure(err, file.errorString());
    }

    errno = 0;
    // Qt 6.4 reports a short write as success and would commit a cut file.
    if (file.write(bytes) != bytes.size()) {
        const int err = errno;
        file.cancelWriting();
        return failure(err, file.errorString());
    }
    errno = 0;
    if (!file.flush()) {
        const int err = errno;
        file.cancelWriting();
        return failure(err, file.errorString());
    }
    if (const int err = syncData(file.handle())) {
        file.cancelWriting();
        return failure(err, file.errorString());
    }
    errno = 0;
    if (!file.commit()) { // removes its temporary itself
        const int err = errno;
        return failure(err, file.errorString());
    }

    // The new content is in place now; a failed folder sync is still reported
    // because the replacement may not survive a power cut.
    if (const int err = syncFolder(finalFile(localPath).absolutePath()))
        return failure(err, QString());
    return {true, QString()};
}

void removeLeftoverTemporaries(const QString& localPath) {
    const QFileInfo target = finalFile(localPath);
    const QString name = target.fileName();
    if (name.isEmpty())
        return;
    QDir folder = target.absoluteDir();
    const auto entries =
        folder.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::NoSort);
    for (const QString& entry : entries) {
        if (isTemporaryName(entry, name))
            folder.remove(entry);
    }
}

} // namespace tallimo
