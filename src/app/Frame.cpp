#include "app/Frame.h"

#include "windows/frmAddress.h"
#include "windows/frmBoxBasic.h"
#include "windows/frmEditar.h"
#include "windows/frmInicio.h"
#include "windows/frmSystem.h"

#include <QCoreApplication>
#include <QTimer>

namespace tallimo {

Frame::Frame(DriveRoot root, Dialogs& dialogs, Environment environment)
    : mContext(std::make_unique<QObject>()), mRoot(std::move(root)), mDialogs(dialogs),
      mEnvironment(std::move(environment)) {}

Frame::~Frame() {
    mEnding = true;
    destroyAll();
}

template <class Window> Window& Frame::load(QPointer<Window>& slot) {
    if (!slot) {
        slot = new Window(*this);
        slot->Form_Load();
    }
    return *slot;
}

frmInicio& Frame::inicio() {
    return load(mInicio);
}
frmSystem& Frame::system() {
    return load(mSystem);
}
frmAddress& Frame::address() {
    return load(mAddress);
}
frmEditar& Frame::editar() {
    return load(mEditar);
}

frmBoxBasic& Frame::boxBasic() {
    if (!mBoxBasic) {
        mBoxBasic = new frmBoxBasic(*this);
        frmBoxBasic* window = mBoxBasic;
        QObject::connect(window, &frmBoxBasic::addressRequested, window,
                         [this] { address().show(); });
        QObject::connect(window, &frmBoxBasic::editorRequested, window,
                         [this] { editar().show(); });
        QObject::connect(window, &frmBoxBasic::restartRequested, window,
                         [this] { inicio().show(); });
        window->Form_Load();
    }
    return *mBoxBasic;
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
        if (!anyWindowLoaded() && !mEnding) {
            mEnding = true;
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
    mEnding = true;
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
