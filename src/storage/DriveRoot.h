#pragma once

#include <QString>
#include <optional>

namespace tallimo {

// The directory that stands for "C:\". Everything that touches files takes one,
// so every test can use a temporary root of its own.
class DriveRoot {
  public:
    explicit DriveRoot(QString directory);

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
};

// Creates the default root's folders for both layouts; desktopDir, when not
// empty and existing, is linked as both desktop folders.
bool prepareDriveRoot(const QString& directory, const QString& user, const QString& desktopDir);

// The login name of the effective user.
QString currentUserName();

} // namespace tallimo
