#pragma once

#include "storage/DriveRoot.h"
#include "widgets/Environment.h"

#include <QString>
#include <optional>

namespace tallimo {

class Dialogs;

// The shared module: the variables the windows share, the drive root, the
// message boxes and the facts of the machine. The frame owns it and hands it to
// every window it loads.
class Shared {
  public:
    Shared(DriveRoot root, Dialogs& dialogs, Environment environment)
        : mRoot(std::move(root)), mDialogs(dialogs), mEnvironment(std::move(environment)) {}
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

    qint16 SystemChoice = 0;
    QString EditBuffer;
    qint16 EditTarget = 0;
    // Once the program is ending, windows go without running their unload handlers.
    bool ending = false;

    const DriveRoot& driveRoot() const { return mRoot; }
    Dialogs& dialogs() { return mDialogs; }
    const Environment& environment() const { return mEnvironment; }
    // A Windows path of the program mapped onto the drive root.
    std::optional<QString> localPath(const QString& windowsPath) const {
        return mRoot.map(windowsPath);
    }

  private:
    DriveRoot mRoot;
    Dialogs& mDialogs;
    Environment mEnvironment;
};

} // namespace tallimo
