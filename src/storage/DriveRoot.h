#pragma once

#include <QString>
#include <optional>

namespace tallimo {

// Where this machine keeps the folders that the fixed paths name ("/" separators;
// empty when unknown), for the user whose name the paths carry.
struct KnownFolders {
    QString user;
    QString programFiles;
    QString profile;
    QString desktop;
};

// The directory that stands for "C:\". Everything that touches files takes one,
// so every test can use a temporary root of its own.
class DriveRoot {
  public:
    // With known folders, a fixed folder that does not exist as written is found
    // where the machine keeps it, as a Spanish Windows' junctions lead there, and
    // the desktop's files follow a desktop moved elsewhere (by OneDrive, say).
    explicit DriveRoot(QString directory, std::optional<KnownFolders> known = std::nullopt);

    // $TALLIMO_ROOT as it is, or the system's own: on Linux $XDG_DATA_HOME/tallimo/C
    // (created with both layouts' folders on first use; the desktop folders link
    // to the user's real desktop when there is one), on Windows the real drive.
    static DriveRoot fromEnvironment(const QString& user);

    const QString& directory() const { return mDirectory; }

    // "C:\..." (any case) under the root, "\" read as "/"; another absolute path
    // of the system (Linux "/...", Windows "D:\...") as it is. Each existing component is matched
    // without regard to case when it does not exist as spelled; a missing one keeps its spelling.
    // nullopt for any other form (a relative path, another drive).
    std::optional<QString> map(const QString& path) const;

  private:
    QString mDirectory;
    std::optional<KnownFolders> mKnown;
};

// Creates the default root's folders for both layouts; desktopDir, when not
// empty and existing, is linked as both desktop folders.
bool prepareDriveRoot(const QString& directory, const QString& user, const QString& desktopDir);

// The login name of the effective user.
QString currentUserName();

} // namespace tallimo
