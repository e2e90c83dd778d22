#include "storage/TextFile.h"

#include "storage/Machine.h"
#include "storage/SaveSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSaveFile>
#include <QSet>
#include <QThread>
#include <QTimer>

#include <algorithm>

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
    if (entry.size() != name.size() + 7 || !entry.startsWith(name, platform::fileNameCase()) ||
        entry.at(name.size()) != u'.')
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

// A temporary outlives its save only when the process dies during it, so one
// look per file and run finds every leftover; a look at every save would read
// the whole folder each time a line is added.
bool firstSaveInThisRun(const QString& localPath) {
    static QMutex mutex;
    static QSet<QString> seen;
    const QMutexLocker lock(&mutex);
    if (seen.contains(localPath))
        return false;
    seen.insert(localPath);
    return true;
}

// The version a save replaces, held open until the save returns.
class HeldVersion {
  public:
    explicit HeldVersion(const QString& path) : mHandle(platform::holdPreviousVersion(path)) {}
    ~HeldVersion() { platform::releasePreviousVersion(mHandle); }
    HeldVersion(const HeldVersion&) = delete;
    HeldVersion& operator=(const HeldVersion&) = delete;

  private:
    int mHandle;
};

// The window keeps painting, and what the cashier types waits in the queue until
// the file operation is over, so no handler runs in the middle of it. Without
// windows (the command line, a worker thread) there is nothing to keep painting.
void waitWithoutFreezing(int ms) {
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || !app->inherits("QGuiApplication") || QThread::currentThread() != app->thread()) {
        QThread::msleep(ulong(ms));
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

// Antivirus, backup and sync programs open a file for a moment after it changes:
// an attempt refused for that is made again, for about two seconds in all.
template <typename Result, typename Attempt> Result retryWhileHeld(Attempt attempt) {
    constexpr qint64 kPatienceMs = 2000;
    QElapsedTimer clock;
    clock.start();
    for (int pause = 50;; pause = std::min(pause * 2, 400)) {
        bool held = false;
        Result result = attempt(held);
        if (!held || clock.elapsed() + pause > kPatienceMs)
            return result;
        waitWithoutFreezing(pause);
    }
}

std::optional<QByteArray> readOnce(const QString& localPath, bool& held) {
    // isFile() is false for folders, pipes and devices, which readAll could
    // block on or never finish.
    const QFileInfo info(localPath);
    if (!info.isFile() || info.size() > kMaxFileBytes)
        return std::nullopt;
    QFile file(localPath);
    platform::clearLastError();
    if (!file.open(QIODevice::ReadOnly)) {
        held = platform::heldByAnotherProgram(platform::lastError(), false);
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxFileBytes)
        return std::nullopt;
    return bytes;
}

SaveResult saveOnce(const QString& localPath, std::initializer_list<QByteArrayView> parts,
                    bool& held) {
    using namespace platform;
    QSaveFile file(localPath);
    clearLastError();
    // Unbuffered: the one write goes straight to the file, so a short write
    // shows in its return value instead of in a later flush.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int err = lastError();
        return saveFailure(err, file.errorString());
    }

    for (const QByteArrayView part : parts) {
        clearLastError();
        // Qt 6.4 reports a short write as success and would commit a cut file.
        if (file.write(part.data(), part.size()) != part.size()) {
            const int err = lastError();
            file.cancelWriting();
            return saveFailure(err, file.errorString());
        }
    }
    clearLastError();
    if (!file.flush()) {
        const int err = lastError();
        file.cancelWriting();
        return saveFailure(err, file.errorString());
    }
    if (const int err = syncFileData(file)) {
        file.cancelWriting();
        return saveFailure(err, file.errorString());
    }
    const QFileInfo target = finalFile(localPath);
    const HeldVersion previous(target.absoluteFilePath());
    clearLastError();
    if (!file.commit()) { // removes its temporary itself
        const int err = lastError();
        held = heldByAnotherProgram(err, true);
        return held ? SaveResult{false, kInUse} : saveFailure(err, file.errorString());
    }

    // The new content is in place now; a failed folder sync is still reported
    // because the replacement may not survive a power cut.
    if (const int err = syncFolder(target.absolutePath()))
        return saveFailure(err, QString());
    return {true, QString()};
}

} // namespace

std::optional<QByteArray> readFileBytes(const QString& localPath) {
    return retryWhileHeld<std::optional<QByteArray>>(
        [&](bool& held) { return readOnce(localPath, held); });
}

SaveResult saveFileAtomically(const QString& localPath, const QByteArray& bytes) {
    return saveFileAtomically(localPath, {QByteArrayView(bytes)});
}

SaveResult saveFileAtomically(const QString& localPath,
                              std::initializer_list<QByteArrayView> parts) {
    if (firstSaveInThisRun(localPath))
        removeLeftoverTemporaries(localPath);
    return retryWhileHeld<SaveResult>([&](bool& held) { return saveOnce(localPath, parts, held); });
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
