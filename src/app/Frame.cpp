#include "app/Frame.h"

#include "app/TicketDesk.h"
#include "windows/frmAddress.h"
#include "windows/frmBoxBasic.h"
#include "windows/frmEditar.h"
#include "windows/frmInicio.h"
#include "windows/frmSystem.h"

#include <QCoreApplication>
#include <QTimer>

namespace tallimo {

Frame::Frame(DriveRoot root, Dialogs& dialogs, Environment environment)
    : mContext(std::make_unique<QObject>()),
      mShared(std::move(root), dialogs, std::move(environment)),
      mTickets(std::make_unique<TicketDesk>(mShared)) {}

Frame::~Frame() {
    mShared.ending = true;
    destroyAll();
}

template <class Window, class Wire> Window& Frame::load(QPointer<Window>& slot, Wire wire) {
    if (!slot) {
        Window* window = new Window(mShared);
        slot = window;
        QObject::connect(window, &Form::unloaded, window,
                         [this, window] { windowUnloaded(window); });
        QObject::connect(window, &Form::endRequested, window, [this] { endProgram(); });
        wire(window);
        window->Form_Load();
    }
    return *slot;
}

frmInicio& Frame::inicio() {
    return load(mInicio, [this](frmInicio* window) {
        QObject::connect(window, &frmInicio::layoutKnown, window, [this] { boxBasic().show(); });
        QObject::connect(window, &frmInicio::layoutUnknown, window, [this] { system().show(); });
    });
}

frmSystem& Frame::system() {
    return load(mSystem, [this](frmSystem* window) {
        QObject::connect(window, &frmSystem::layoutChosen, window, [this] { boxBasic().show(); });
    });
}

frmBoxBasic& Frame::boxBasic() {
    return load(mBoxBasic, [this](frmBoxBasic* window) {
        QObject::connect(window, &frmBoxBasic::addressRequested, window,
                         [this] { address().show(); });
        QObject::connect(window, &frmBoxBasic::editorRequested, window,
                         [this] { editar().show(); });
        QObject::connect(window, &frmBoxBasic::restartRequested, window,
                         [this] { inicio().show(); });
        QObject::connect(window, &frmBoxBasic::ticketRequested, window,
                         [this, window](const SaleForTicket& sale, const QString& symbol) {
                             // Dated the day the sales file is named after.
                             const QDateTime when(mShared.environment().today(),
                                                  QTime::currentTime());
                             mTickets->print({when, sale}, symbol, window);
                         });
        QObject::connect(window, &frmBoxBasic::reprintRequested, window,
                         [this, window] { mTickets->reprint(window); });
    });
}

frmAddress& Frame::address() {
    return load(mAddress, [this](frmAddress* window) {
        window->holdOwner(&boxBasic());
        // For the current run only: the price list file stays as it is.
        QObject::connect(window, &frmAddress::listLoaded, window,
                         [this](const QStringList& items) { boxBasic().setPriceList(items); });
    });
}

frmEditar& Frame::editar() {
    return load(mEditar, [this](frmEditar* window) {
        window->holdOwner(&boxBasic());
        QObject::connect(window, &frmEditar::edited, window,
                         [this](const QStringList& lines) { editorClosed(lines); });
    });
}

void Frame::editorClosed(const QStringList& lines) {
    // The sale window is only gone when the program ends; it is not loaded
    // again just to receive the text.
    if (!mBoxBasic)
        return;
    if (mShared.EditTarget == 0)
        mBoxBasic->setHistory(lines);
    else
        mBoxBasic->setPriceList(lines);
}

void Frame::windowUnloaded(QWidget* window) {
    if (mInicio == window)
        mInicio = nullptr;
    if (mBoxBasic == window)
        mBoxBasic = nullptr;
    if (mSystem == window)
        mSystem = nullptr;
    if (mAddress == window)
        mAddress = nullptr;
    if (mEditar == window)
        mEditar = nullptr;
    // Checked once the current handler is done: a hand-over shows the next window
    // before it closes this one, a restart right after.
    QTimer::singleShot(0, mContext.get(), [this] {
        if (!anyWindowLoaded() && !mShared.ending) {
            mShared.ending = true;
            quit();
        }
    });
}

bool Frame::anyWindowLoaded() const {
    return mInicio || mBoxBasic || mSystem || mAddress || mEditar;
}

void Frame::destroyAll() {
    delete mEditar.data();
    delete mAddress.data();
    delete mSystem.data();
    delete mBoxBasic.data();
    delete mInicio.data();
}

void Frame::endProgram() {
    mShared.ending = true;
    destroyAll();
    quit();
}

void Frame::quit() {
    if (onEnd)
        onEnd();
    else
        QCoreApplication::exit(0);
}

} // namespace tallimo
