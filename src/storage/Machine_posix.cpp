#include "storage/Machine.h"

#include "storage/DriveRoot.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

namespace tallimo::platform {

QString userName() {
    if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name && *entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    const QString fromEnvironment = qEnvironmentVariable("USER");
    return fromEnvironment.isEmpty() ? QStringLiteral("usuario") : fromEnvironment;
}

QString defaultDriveRoot(const QString& user) {
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome)) // relative ones are invalid
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    const QString directory = QDir::cleanPath(dataHome + QStringLiteral("/tallimo/C"));

    // Without a desktop Qt answers the home folder, which must not become one.
    QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty() || !QFileInfo(desktop).isDir() ||
        QDir(desktop).canonicalPath() == QDir(QDir::homePath()).canonicalPath())
        desktop.clear();

    // A failure shows later, when a file under the root cannot be opened.
    prepareDriveRoot(directory, user, desktop);
    return directory;
}

std::optional<KnownFolders> knownFolders(const QString&) {
    return std::nullopt;
}

std::optional<std::pair<QString, QString>> splitNativePath(const QString& path) {
    if (!path.startsWith(QLatin1Char('/')))
        return std::nullopt;
    return std::pair{QStringLiteral("/"), path.mid(1)};
}

Qt::CaseSensitivity fileNameCase() {
    return Qt::CaseSensitive;
}

// Qt picks X11 or Wayland by these; a platform named outright (offscreen,
// vnc) needs neither.
bool hasDisplay() {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (!qEnvironmentVariableIsEmpty(name))
            return true;
    }
    return false;
}

void useBinaryStandardStreams() {}

} // namespace tallimo::platform
