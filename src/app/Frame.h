#pragma once

#include "widgets/Shared.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

class QWidget;

namespace tallimo {

class frmAddress;
class frmBoxBasic;
class frmEditar;
class frmInicio;
class frmSystem;
class TicketDesk;

// The application frame: the shared state, the five windows (one object each,
// loaded on first use: built from its designer values, load handler run;
// destroyed on unload), what each window's signals lead to, and the end of the
// program. Each test builds a fresh one.
class Frame {
  public:
    Frame(DriveRoot root, Dialogs& dialogs, Environment environment);
    ~Frame();
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    Shared& shared() { return mShared; }
    // Prints the sale window's tickets; lives as long as the frame.
    TicketDesk& tickets() { return *mTickets; }

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
    bool anyWindowLoaded() const;

    // Ends the program at once: every window goes, no unload handler runs.
    void endProgram();
    bool isEnding() const { return mShared.ending; }
    // What ending does; the program quits its event loop, tests watch it.
    std::function<void()> onEnd;

  private:
    template <class Window, class Wire> Window& load(QPointer<Window>& slot, Wire wire);
    // The next use builds the window afresh, and the program ends once no
    // window is loaded.
    void windowUnloaded(QWidget* window);
    void editorClosed(const QStringList& lines);
    void destroyAll();
    void quit();

    std::unique_ptr<QObject> mContext; // cancels pending checks when the frame goes
    Shared mShared;
    std::unique_ptr<TicketDesk> mTickets;
    QPointer<frmInicio> mInicio;
    QPointer<frmBoxBasic> mBoxBasic;
    QPointer<frmSystem> mSystem;
    QPointer<frmAddress> mAddress;
    QPointer<frmEditar> mEditar;
};

} // namespace tallimo
