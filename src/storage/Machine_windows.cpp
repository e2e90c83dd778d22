#include "storage/Machine.h"

#include <QDir>
#include <cstdio>
#include <fcntl.h>
#include <io.h>

#include <windows.h>

#include <shlobj.h>

namespace tallimo::platform {

namespace {

// Empty when the folder is unknown or missing.
QString knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    QString folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path)))
        folder = QDir::fromNativeSeparators(QString::fromWCharArray(path));
    ::CoTaskMemFree(path);
    return folder;
}

} // namespace

QString userName() {
    wchar_t name[257]; // UNLEN + 1
    DWORD size = DWORD(std::size(name));
    if (::GetUserNameW(name, &size) && size > 1)
        return QString::fromWCharArray(name, int(size) - 1);
    const QString fromEnvironment = qEnvironmentVariable("USERNAME");
    return fromEnvironment.isEmpty() ? QStringLiteral("usuario") : fromEnvironment;
}

// The real drive, with the folders the shop already has.
QString defaultDriveRoot(const QString&) {
    return QStringLiteral("C:/");
}

std::optional<KnownFolders> knownFolders(const QString& user) {
    return KnownFolders{user, knownFolder(FOLDERID_ProgramFiles), knownFolder(FOLDERID_Profile),
                        knownFolder(FOLDERID_Desktop)};
}

// Another drive ("D:\Listas") is opened where it is.
std::optional<std::pair<QString, QString>> splitNativePath(const QString& path) {
    if (path.size() < 3 || !path[0].isLetter() || path[0].unicode() > 0x7f ||
        path[1] != QLatin1Char(':') ||
        (path[2] != QLatin1Char('\\') && path[2] != QLatin1Char('/')))
        return std::nullopt;
    return std::pair{path.left(2) + QLatin1Char('/'), path.mid(3)};
}

Qt::CaseSensitivity fileNameCase() {
    return Qt::CaseInsensitive;
}

bool hasDisplay() {
    return true;
}

// The C runtime opens them in text mode, which writes every LF as CR LF: the
// reports' own CR LF would become CR CR LF.
void useBinaryStandardStreams() {
    std::fflush(stdout);
    std::fflush(stderr);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

} // namespace tallimo::platform
