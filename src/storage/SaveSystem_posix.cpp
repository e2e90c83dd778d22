#include "storage/SaveSystem.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tallimo::platform {

namespace {

// A file system that cannot sync has nothing more to make durable.
bool syncUnsupported(int err) {
    return err == EINVAL || err == ENOTSUP || err == EOPNOTSUPP;
}

} // namespace

int lastError() {
    return errno;
}

void clearLastError() {
    errno = 0;
}

int syncFileData(QFileDevice& file) {
    int rc;
    do {
        rc = ::fdatasync(file.handle());
    } while (rc != 0 && errno == EINTR);
    return rc == 0 || syncUnsupported(errno) ? 0 : errno;
}

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

int holdPreviousVersion(const QString& localPath) {
    // Without blocking on a pipe in the file's place; only a file is worth holding.
    const int fd = ::open(QFile::encodeName(localPath).constData(),
                          O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void releasePreviousVersion(int handle) {
    // A thread of its own, not a pool's: a forked copy of the process has no
    // pool threads, and the close must still happen there.
    if (handle >= 0)
        std::thread([handle] { ::close(handle); }).detach();
}

// An open file is replaced or read here whoever holds it.
bool heldByAnotherProgram(int, bool) {
    return false;
}

SaveResult saveFailure(int err, const QString& qtReason) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return {false, kNoFolder};
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return {false, kDiskFull};
    case EACCES:
    case EPERM:
    case EROFS:
        return {false, kNoPermission};
    default:
        break;
    }
    // Some of QSaveFile's refusals (the name is a folder) set no errno.
    const QString detail = err ? QString::fromLocal8Bit(std::strerror(err)) : qtReason;
    return {false, QStringLiteral("Error al escribir el archivo (%1).").arg(detail)};
}

} // namespace tallimo::platform
