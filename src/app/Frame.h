#pragma once

#include "app/Environment.h"
#include "storage/DriveRoot.h"

#include <QPointer>
#include <QString>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

namespace tallimo {

class Dialogs;
class frmBoxBasic;

// The application frame: the shared state every window reads, the windows
// themselves (one object each, created on first use, destroyed on unload) and
// the end of the program. Each test builds a fresh one.
class Frame {
public:
    Frame(DriveRoot root, Dialogs& dialogs, Environment environment);
    ~Frame();
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    // The shared module's variables.
    qint16 SystemChoice = 0;
    QString EditBuffer;
    qint16 EditTarget = 0;

    const DriveRoot& driveRoot() const { return mRoot; }
    Dialogs& dialogs() { return mDialogs; }
    const Environment& environment() const { return mEnvironment; }
    // A Windows path of the program mapped onto the drive root.
    std::optional<QString> localPath(const QString& windowsPath) const
    {
        return mRoot.map(windowsPath);
    }

    // The sale window, loaded (built from its designer values, load handler run)
    // on first use.
    frmBoxBasic& boxBasic();
    bool isBoxBasicLoaded() const { return !mBoxBasic.isNull(); }

    // A window has been unloaded: the next use builds it afresh, and the program
    // ends once no window is loaded.
    void windowUnloaded(QWidget* window);
    bool anyWindowLoaded() const;

    // Ends the program at once: no unload handler runs.
    void endProgram();
    bool isEnding() const { return mEnding; }
    // What ending does; the program quits the event loop, tests watch it.
    std::function<void()> onEnd;

private:
    void quit();
    std::unique_ptr<QObject> mContext; // cancels pending checks when the frame goes
    DriveRoot mRoot;
    Dialogs& mDialogs;
    Environment mEnvironment;
    QPointer<frmBoxBasic> mBoxBasic;
    bool mEnding = false;
};

} // namespace tallimo
