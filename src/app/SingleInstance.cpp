#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tallimo {

QString SingleInstance::defaultLockFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

QString SingleInstance::lockPath(const QString& driveRoot, const QString& lockFolder) {
    // The same root reached through a link or a trailing "/" is the same register.
    const QFileInfo info(driveRoot);
    const QString canonical = info.canonicalFilePath();
    const QString key = canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
    const QByteArray hash =
        QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QDir(lockFolder)
        .filePath(QStringLiteral("tallimo-%1.lock").arg(QString::fromLatin1(hash.left(16))));
}

std::unique_ptr<QLockFile> SingleInstance::acquire(const QString& driveRoot,
                                                   const QString& lockFolder) {
    QDir().mkpath(lockFolder);
    auto lock = std::make_unique<QLockFile>(lockPath(driveRoot, lockFolder));
    // Never stale by age: a register stays open all day. A dead owner still frees it.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

} // namespace tallimo
