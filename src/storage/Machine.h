#pragma once

#include "storage/DriveRoot.h"

#include <QString>
#include <Qt>
#include <optional>
#include <utility>

// The facts of the machine that paths are built from; one file per system,
// chosen by the build.
namespace tallimo::platform {

// The logon name of the user running the program.
QString userName();

// The folder that stands for "C:\" when $TALLIMO_ROOT is not set, ready for use.
QString defaultDriveRoot(const QString& user);

// Where the machine keeps the programs folder, the user's profile and desktop;
// nullopt where the root's own folders are all there is.
std::optional<KnownFolders> knownFolders(const QString& user);

// An absolute path of this system other than one on "C:\", split into its
// root ("/", "D:/") and the rest; nullopt for any other form.
std::optional<std::pair<QString, QString>> splitNativePath(const QString& path);

// Whether two spellings of a file name in other case name two files.
Qt::CaseSensitivity fileNameCase();

// Whether a window can be opened at all: without a display Qt would abort.
bool hasDisplay();

// Standard output and error take the bytes as given: no CR added before LF.
void useBinaryStandardStreams();

} // namespace tallimo::platform
