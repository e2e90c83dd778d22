#include "app/Frame.h"

#include "windows/frmBoxBasic.h"

#include <QCoreApplication>
#include <QTimer>

namespace tallimo {

Frame::Frame(DriveRoot root, Dialogs& dialogs, Environment environment)
    : mContext(std::make_unique<QObject>()), mRoot(std::move(root)), mDialogs(dialogs),
      mEnvironment(std::move(environment))
{
}

Frame::~Frame()
{
    mEnding = true;
    delete mBoxBasic.data();
}

frmBoxBasic& Frame::boxBasic()
{
    if (!mBoxBasic) {
        mBoxBasic = new frmBoxBasic(*this);
        mBoxBasic->Form_Load();
    }
    return *mBoxBasic;
}

void Frame::windowUnloaded(QWidget* window)
{
    if (mBoxBasic == window)
        mBoxBasic = nullptr;
    // Checked once the current handler is done: a restart shows the next window first.
    QTimer::singleShot(0, mContext.get(), [this] {
        if (!anyWindowLoaded() && !mEnding) {
            mEnding = true;
            quit();
        }
    });
}

bool Frame::anyWindowLoaded() const { return !mBoxBasic.isNull(); }

void Frame::endProgram()
{
    mEnding = true;
    delete mBoxBasic.data();
    quit();
}

void Frame::quit()
{
    if (onEnd)
        onEnd();
    else
        QCoreApplication::exit(0);
}

} // namespace tallimo
