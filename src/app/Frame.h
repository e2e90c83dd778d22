#pragma once

#include "storage/DriveRoot.h"
#include "widgets/Environment.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace tallimo {

class Dialogs;
class frmAddress;
class frmBoxBasic;
class frmEditar;
class frmInicio;
class frmSystem;

// The application frame: the shared state every window reads, the five windows
// (one object each, loaded on first use: built from its designer values, load
// handler run; destroyed on unload) and the end of the program. Each test builds
// a fresh one.
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
    std::optional<QString> localPath(const QString& windowsPath) const {
        return mRoot.map(windowsPath);
    }

    // Each window by its name, loaded on first use (not shown).
    frmInicio& inicio();
    frmBoxBasic& boxBasic();
    frmSystem& system();
    frmAddress& address();
    frmEditar& editar();

    bool isInicioLoaded() const { return !mInicio.isNull(); }
    bool isBoxBasicLoaded() const { return !mBoxBasic.isNull(); }
    bool isSystemLoaded() const { return !mSystem.isNull(); }
    bool isAddressLoaded() const { return !mAddress.isNull(); }
    bool isEditarLoaded() const { return !mEditar.isNull(); }

    // Called by a window once its unload handler let it close: the next use
    // builds it afresh, and the program ends once no window is loaded.
    void windowUnloaded(QWidget* window);
    bool anyWindowLoaded() const;

    // Ends the program at once: every window goes, no unload handler runs.
    void endProgram();
    bool isEnding() const { return mEnding; }
    // What ending does; the program quits its event loop, tests watch it.
    std::function<void()> onEnd;

  private:
    template <class Window> Window& load(QPointer<Window>& slot);
    void destroyAll();
    void quit();

    std::unique_ptr<QObject> mContext; // cancels pending checks when the frame goes
    DriveRoot mRoot;
    Dialogs& mDialogs;
    Environment mEnvironment;
    QPointer<frmInicio> mInicio;
    QPointer<frmBoxBasic> mBoxBasic;
    QPointer<frmSystem> mSystem;
    QPointer<frmAddress> mAddress;
    QPointer<frmEditar> mEditar;
    bool mEnding = false;
};

} // namespace tallimo
